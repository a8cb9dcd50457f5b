#pragma once
// `qm pages` and `qm render`: the print job of an estimate-family document and its
// pages as images, with the print settings of print.ini and --set overrides.
#include "cli/document_commands.h"

namespace qm::cli {

void PagesCommand(const Invocation& in);
void RenderCommand(const Invocation& in);

}  // namespace qm::cli
