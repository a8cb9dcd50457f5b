#pragma once
// The commands over a document's lines: the contents export and a line's picture.
#include "cli/front/invocation.h"

namespace qm::cli {

void ExportLinesCommand(const Invocation& in);
void PictureCommand(const Invocation& in);

}  // namespace qm::cli
