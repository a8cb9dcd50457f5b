#pragma once
// The issued-documents archive (発行控え): the PDF of every estimate-family document,
// receipt and total invoice that left the program, in the data folder's "issued" folder
// (one folder per year), and one record of each in an SQLite index beside them. Records
// and PDFs are never changed or deleted; issuing a document of the same kind and slip
// number again makes a new record that names the one it corrects. Every record holds the
// SHA-256 of its PDF and of the record before it, so a changed PDF byte or a changed,
// deleted or inserted record shows when the archive is verified.
#include <QDate>
#include <QDateTime>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/currency.h"
#include "base/data_folders.h"
#include "print/document_kinds.h"

namespace qm::archive {

// How a document was issued.
enum class IssueVia { Print, Pdf, Qm };
const char* ViaName(IssueVia via);  // "print", "pdf", "qm"
std::optional<IssueVia> FindVia(std::string_view name);

// What an issue is known by, as printed.
struct IssueFacts {
  TChartType kind = TChartType::tcMitumori;
  std::string slipNo;
  QDate slipDate;  // null when the slip's date does not read as a date: the issue date is taken
  std::string customer;      // company name 1
  std::string customerCode;
  Currency total;            // the grand total as printed
  Currency tax;
  std::string registNo;      // the registration number printed, or empty
  IssueVia via = IssueVia::Pdf;
  std::string target;        // the printer, or the path written
  std::string source;        // the document's file name, or empty for one never saved
};

struct IssuedRecord {
  std::int64_t id = 0;
  QDateTime issuedAt;  // local time, whole seconds
  QDate slipDate;
  TChartType kind = TChartType::tcMitumori;
  std::string slipNo, customer, customerCode;
  Currency total, tax;
  std::string registNo;
  IssueVia via = IssueVia::Pdf;
  std::string target, source;
  std::string file;    // the PDF, relative to the data folder ("issued/2026/….pdf")
  std::string sha256;  // of the PDF, lower-case hexadecimal
  std::optional<std::int64_t> corrects;
  std::string previous;  // the hash of the record before it; empty for the first
  std::string hash;      // the hash of this record, its previous hash included
};

// Every filter is optional; ranges include their ends. The customer matches when its
// company name 1 holds the text.
struct IssueFilter {
  std::optional<QDate> from, to;
  std::optional<Currency> min, max;
  std::string customer;
  std::optional<TChartType> kind;
};

struct VerifyProblem {
  std::int64_t id = 0;  // the record; 0 for a PDF that has none
  std::string reason;
};
struct VerifyResult {
  int records = 0;
  std::vector<VerifyProblem> bad;
};

// The kinds kept: the estimate family, the receipt and the total invoice.
bool IsArchivedKind(TChartType kind);

// The file name of an issued PDF: YYYYMMDD_<customer>_<total>_<kind caption>_<id>.pdf,
// the customer made safe for every file system.
std::string IssuedFileName(const QDate& slipDate, const std::string& customer, Currency total, TChartType kind,
                           std::int64_t id);

class IssueArchive {
 public:
  // `clock` dates the records. Nothing is created until the first issue or query.
  explicit IssueArchive(const DataFolder& folder, const Clock& clock = SystemClock());
  ~IssueArchive();
  IssueArchive(const IssueArchive&) = delete;
  IssueArchive& operator=(const IssueArchive&) = delete;

  // data/issued/ and the index in it.
  std::string FolderPath() const;
  std::string IndexPath() const;

  // Writes the PDF through the program's write path, then inserts its record in one
  // transaction. Throws qm::Error when either fails, and then leaves neither.
  IssuedRecord Archive(const IssueFacts& facts, const std::string& pdf);

  // The records that pass the filter, by slip date, then by id.
  std::vector<IssuedRecord> Find(const IssueFilter& filter) const;
  // Every record, by id.
  std::vector<IssuedRecord> All() const;
  bool Empty() const;

  // Lets go of the index, so that a restore can put another in its place; the next call
  // opens it again.
  void Close();

  // Re-reads every archived PDF and the chain of records.
  VerifyResult Verify() const;

 private:
  struct Db;
  Db& Open() const;
  std::string folder_;
  std::string dataRoot_;
  const Clock& clock_;
  mutable std::unique_ptr<Db> db_;
};

// The hits as the tax office asks for them: CP932, CR LF, a heading line.
std::string IssuedCsv(const std::vector<IssuedRecord>& records);

// The SHA-256 of bytes, lower-case hexadecimal.
std::string Sha256Hex(std::string_view bytes);

}  // namespace qm::archive
