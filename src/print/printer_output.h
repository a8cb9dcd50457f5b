#pragma once
// Sending a print job to a printer.
#include <QPrinter>

#include "print/print_job.h"

namespace qm {

// Prints every page of `job` on `printer` as one job titled "Velora Quillmark": each
// page laid out from the paper's edge (the printer's unprintable margin is subtracted)
// at the printer's own resolution, shrunk to 0.87 on B5. Throws qm::Error when the
// printer cannot start or finish.
void PrintJobOn(QPrinter& printer, const PrintJob& job);

}  // namespace qm
