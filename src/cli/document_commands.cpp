#include "cli/document_commands.h"

#include <QDate>
#include <QFileInfo>

#include "base/atomic_file.h"
#include "base/data_folders.h"
#include "base/error.h"
#include "cli/document_json.h"
#include "cli/front/messages.h"
#include "cli/front/output.h"
#include "cli/quiet_stderr.h"
#include "files/file_listing.h"
#include "files/file_name_check.h"
#include "model/tax_rate_setting.h"
#include "model/total_claim.h"

namespace qm::cli {
namespace {

struct LoadedDocument {
  TMxEstimateObjectList doc;
  EstimateFileInfo info;
  std::optional<std::string> jsonSavedAt;  // the "SavedAt" of JSON input
};

void Warn(const Invocation& in, const std::string& text) { std::fprintf(in.err, "qm: %s\n", text.c_str()); }

// --rate, else TAX of conf.ini in the data folder, else the default rate.
Currency ResolveTaxRate(const Invocation& in) {
  if (const auto text = in.args.Value("--rate")) {
    const auto rate = Currency::TryParseDecimal(*text);
    if (!rate || *rate < Currency()) throw Error(msg::BadRate(*text));
    return *rate;
  }
  return LoadTaxRateSetting(in.data.ConfIni());
}

// Line amounts first, since the totals are sums of them.
void Recalculate(const Invocation& in, TMxEstimateObjectList& doc) {
  for (int i = 0; i < doc.Count(); ++i)
    if (!doc.Items(i).DoCalc()) Warn(in, msg::LineOverflow(i + 1));
  doc.DoCalc();
}

std::string_view SkipBom(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return bytes;
}

bool LooksLikeJson(std::string_view bytes) {
  bytes = SkipBom(bytes);
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && bytes[first] == '{';
}

enum class InputKind { Estimate, Json, ByContent };

// Reads a document, deciding by content when asked: JSON starts with '{'.
LoadedDocument Load(const std::string& path, InputKind kind) {
  const std::string bytes = ReadWholeFile(path);
  if (kind == InputKind::ByContent) kind = LooksLikeJson(bytes) ? InputKind::Json : InputKind::Estimate;
  LoadedDocument loaded;
  if (kind == InputKind::Estimate) {
    try {
      loaded.doc.LoadFromBytes(bytes, &loaded.info);
    } catch (const Error& e) {
      throw Error(msg::InEstimateFile(path, e.what()));
    }
    return loaded;
  }
  try {
    const QString folder = QFileInfo(QString::fromStdString(path)).absolutePath();
    JsonDocument parsed = DocumentFromJson(SkipBom(bytes), folder.toStdString());
    loaded.doc = std::move(parsed.doc);
    loaded.info.comment = std::move(parsed.comment);
    loaded.jsonSavedAt = std::move(parsed.savedAt);
  } catch (const Error& e) {
    throw Error(msg::InJsonFile(path, e.what()));
  }
  return loaded;
}

// Every document the program holds carries the configured rate (the file has none);
// the rate is resolved before any file is read so that a bad --rate fails first.
LoadedDocument LoadWithRate(const Invocation& in, const std::string& path, InputKind kind, bool recalculate) {
  const Currency rate = ResolveTaxRate(in);
  LoadedDocument loaded = [&] {
    const QuietStderr quiet;  // pictures are decoded while reading
    return Load(path, kind);
  }();
  loaded.doc.SetTaxRate(rate);
  if (recalculate) Recalculate(in, loaded.doc);
  return loaded;
}

}  // namespace

TMxEstimateObjectList LoadDocument(const Invocation& in, const std::string& path) {
  return std::move(LoadWithRate(in, path, InputKind::ByContent, true).doc);
}

void DumpCommand(const Invocation& in) {
  const LoadedDocument loaded = LoadWithRate(in, in.args.operands.at(0), InputKind::Estimate, in.args.Has("--calc"));
  WriteOutput(in.out, DocumentToJson(loaded.doc, loaded.info));
}

void BuildCommand(const Invocation& in) {
  const LoadedDocument loaded = LoadWithRate(in, in.args.operands.at(0), InputKind::Json, in.args.Has("--calc"));
  const std::string comment = in.args.Value("--comment").value_or(loaded.info.comment);
  // A dump built again keeps its saved time, so the file comes back as it was.
  if (loaded.jsonSavedAt) loaded.doc.SaveFile(in.args.operands.at(1), comment, *loaded.jsonSavedAt);
  else loaded.doc.SaveFile(in.args.operands.at(1), comment);
}

void SaveCommand(const Invocation& in) {
  const std::string& name = in.args.operands.at(1);
  if (const FileNameProblem problem = CheckFileNameText(name); problem != FileNameProblem::None)
    throw Error(FileNameProblemMessage(problem));
  const std::string saveDir = in.data.SaveDir();
  const std::string path = EstimateFilePath(saveDir, name);
  if (!in.args.Has("--overwrite") && QFileInfo::exists(QString::fromStdString(path)))
    throw Error(FileExistsMessage(name));
  const LoadedDocument loaded = LoadWithRate(in, in.args.operands.at(0), InputKind::Json, in.args.Has("--calc"));
  EnsureFolder(saveDir);
  loaded.doc.SaveFile(path, in.args.Value("--comment").value_or(loaded.info.comment));
}

void TotalClaimCommand(const Invocation& in) {
  const bool perFile = in.args.Has("--per-file"), perLine = in.args.Has("--per-line");
  if (perFile == perLine) throw Error(msg::TotalClaimNeedsMode());
  std::vector<TotalClaimSource> sources;
  for (std::size_t i = 1; i < in.args.operands.size(); ++i) {
    const std::string& name = in.args.operands[i];
    sources.push_back({name, EstimateFilePath(in.data.SaveDir(), name)});
  }
  TMxEstimateObjectList doc;
  doc.SetTaxRate(ResolveTaxRate(in));
  {
    const QuietStderr quiet;  // pictures are decoded while reading
    MakeTotalClaim(perFile ? TotalClaimMode::PerFile : TotalClaimMode::PerLine, sources, doc,
                   ToEraDate(QDate::currentDate()));
  }
  doc.SaveFile(in.args.operands.at(0), in.args.Value("--comment").value_or(std::string()));
}

void CalcCommand(const Invocation& in) {
  const LoadedDocument loaded = LoadWithRate(in, in.args.operands.at(0), InputKind::ByContent, true);
  WriteOutput(in.out, TotalsToJson(loaded.doc));
}

}  // namespace qm::cli
