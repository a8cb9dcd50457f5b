#pragma once
// `qm pages`, `qm render` and `qm pdf`: the print job of an estimate-family document,
// its pages as images, and the document as PDF, with the print settings of print.ini
// and --set overrides.
#include "cli/document_commands.h"

namespace qm::cli {

void PagesCommand(const Invocation& in);
void RenderCommand(const Invocation& in);
void PdfCommand(const Invocation& in);

}  // namespace qm::cli
