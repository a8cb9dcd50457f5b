#pragma once
// The system's print spooler: its printers, whether one takes jobs, and sending a print
// job to one the way the print dialogs' 印刷 does.
#include <string>
#include <vector>

#include "print/print_job.h"

namespace qm {

// The spooler's printers by name, and its default printer ("" when it has none).
std::vector<std::string> SpoolerPrinters();
std::string DefaultSpoolerPrinter();

// Throws qm::Error when the spooler does not know the printer or refuses jobs for it,
// with what the spooler says about it.
void CheckPrinterTakesJobs(const std::string& name);

// Prints every page of `job` on printer `name` (the default printer when empty) through
// the spooler; returns the printer used. Throws qm::Error when there is no such printer,
// it refuses jobs or the job cannot be handed over.
std::string PrintOnSpoolerPrinter(const PrintJob& job, const std::string& name);

}  // namespace qm
