#pragma once
// The commands over one document: dump, build and calc. Each throws qm::Error on
// failure; warnings go to the error stream and do not fail the command.
#include <cstdio>
#include <string>

#include "cli/front/invocation.h"
#include "model/estimate_list.h"

namespace qm::cli {

// A document from an estimate file or JSON (decided by content), carrying the tax
// rate of --rate or the settings and recalculated, as the main window shows it.
TMxEstimateObjectList LoadDocument(const Invocation& in, const std::string& path);

void DumpCommand(const Invocation& in);
void BuildCommand(const Invocation& in);
void CalcCommand(const Invocation& in);
// Saves a JSON document into the save folder under a checked name.
void SaveCommand(const Invocation& in);
// Builds a total invoice from saved documents of the save folder and writes it.
void TotalClaimCommand(const Invocation& in);

}  // namespace qm::cli
