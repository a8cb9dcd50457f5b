#pragma once
// What an issued print job is recorded by, and keeping it: the one call the print
// commands of the window and of qm make after a document left the program.
#include <optional>
#include <string>

#include "archive/issue_archive.h"
#include "model/config_info.h"
#include "print/print_job.h"

namespace qm::archive {

// The kind, slip number and date, customer, grand total and tax, and the registration
// number of the job as it prints them.
IssueFacts FactsOf(const PrintJob& job, IssueVia via, const std::string& target, const std::string& source);

// Keeps `pdf` (the job as PDF出力 writes it) and its record when the job's kind is kept
// and the settings ask for it (ISSUE_ARCHIVE); nullopt when nothing is to be kept. Throws
// qm::Error, leaving nothing behind, when it cannot be kept.
std::optional<IssuedRecord> KeepIssued(IssueArchive& archive, const TMxConfigInfo& config, const PrintJob& job,
                                       IssueVia via, const std::string& target, const std::string& source,
                                       const std::string& pdf);

// Whether a job leaves a record at all (its kind, and the setting).
bool IsKept(const TMxConfigInfo& config, const PrintJob& job);

}  // namespace qm::archive
