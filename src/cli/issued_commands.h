#pragma once
// `qm issued`: the issued-documents archive of the data folder — its records as JSON, as
// the CSV of the search dialog, and its verification.
#include "cli/front/invocation.h"

namespace qm::cli {

inline constexpr const char* kIssuedSynopsis =
    "qm issued (ls | export OUT.csv | verify) [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--min N] [--max N] "
    "[--customer TEXT] [--kind KIND]";
void IssuedCommand(const Invocation& in);

}  // namespace qm::cli
