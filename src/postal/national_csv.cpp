#include "postal/national_csv.h"

#include <QString>

#include "base/atomic_file.h"
#include "base/comma_text.h"
#include "base/cp932.h"
#include "base/error.h"
#include "postal/zip_update.h"

namespace qm::postal {
namespace {

constexpr std::size_t kColumns = 15;
constexpr std::size_t kCodeColumn = 2, kPrefectureColumn = 6, kCityColumn = 7, kTownColumn = 8;

const QChar kOpen(0xFF08);   // （
const QChar kClose(0xFF09);  // ）

bool SevenDigits(const std::string& code) {
  if (code.size() != 7) return false;
  for (char c : code)
    if (c < '0' || c > '9') return false;
  return true;
}

// A town whose note in parentheses is not closed yet continues on the next row.
bool Open(const std::string& town) {
  const QString t = QString::fromStdString(town);
  return t.count(kOpen) > t.count(kClose);
}

struct Area {
  std::string code, prefecture, city, town;  // UTF-8
};

}  // namespace

std::string CleanTown(const std::string& town) {
  const QString text = QString::fromStdString(town);
  QString kept;
  int depth = 0;
  for (const QChar c : text) {
    if (c == kOpen) ++depth;
    else if (c == kClose && depth > 0) --depth;
    else if (depth == 0) kept += c;
  }
  kept = kept.trimmed();
  if (kept == QStringLiteral("以下に掲載がない場合") || kept.endsWith(QStringLiteral("の次に番地がくる場合")) ||
      (kept.endsWith(QStringLiteral("一円")) && kept.size() > 2))
    return {};
  return kept.toStdString();
}

std::vector<std::string> ConvertNationalCsv(std::string_view csv) {
  std::vector<std::string> lines;
  std::optional<Area> pending;
  const auto flush = [&] {
    if (!pending) return;
    const std::string address = pending->prefecture + pending->city + CleanTown(pending->town);
    std::string line = pending->code + "," + cp932::Encode(address).bytes;
    if (lines.empty() || lines.back() != line) lines.push_back(std::move(line));
    pending.reset();
  };
  const std::vector<std::string> rows = SplitAnyLines(csv);
  for (std::size_t n = 0; n < rows.size(); ++n) {
    if (rows[n].empty()) continue;
    const std::vector<std::string> f = SplitCommaText(rows[n]);
    const std::string where = "行 " + std::to_string(n + 1) + ": ";
    if (f.size() != kColumns) throw Error(where + "15 項目の郵便番号データではありません。");
    if (!SevenDigits(f[kCodeColumn])) throw Error(where + "7 桁の郵便番号がありません。");
    const std::string town = cp932::Decode(f[kTownColumn]);
    if (pending && Open(pending->town) && pending->code == f[kCodeColumn]) {
      pending->town += town;
      continue;
    }
    flush();
    pending = Area{f[kCodeColumn], cp932::Decode(f[kPrefectureColumn]), cp932::Decode(f[kCityColumn]), town};
  }
  flush();
  if (lines.empty()) throw Error("郵便番号データの行がありません。");
  return lines;
}

std::size_t ImportNationalCsv(const std::string& csvFile, const std::string& zipFolder) {
  const std::vector<std::string> table = ConvertNationalCsv(ReadWholeFile(csvFile));
  const InstalledVersion installed = ReadInstalledVersion(zipFolder + "/version.txt");
  const QString name = QString::fromStdString(csvFile).section(QChar('/'), -1);
  const std::string description =
      cp932::Encode("全国版の郵便番号データ " + name.toStdString() + " から取り込み").bytes;
  InstallTable(zipFolder, {installed.key, description}, table);
  return table.size();
}

}  // namespace qm::postal
