#include "model/peppol_ids.h"

#include <QString>

#include <vector>

#include "base/comma_text.h"
#include "base/error.h"
#include "base/half_width.h"
#include "model/master_file.h"

namespace qm {
namespace {

bool AllDigits(const QString& s) {
  for (const QChar ch : s)
    if (ch < u'0' || ch > u'9') return false;
  return !s.isEmpty();
}

std::string NotAPeppolId(const std::string& typed) {
  return "Peppol ID「" + typed +
         "」は「スキーム:ID」の形で入力してください（例: 0188:1234567890123、0221:T1234567890123）。";
}

}  // namespace

std::optional<PeppolId> ParsePeppolId(const std::string& typed) {
  const QString plain = HalfWidthAscii(QString::fromStdString(typed).trimmed());
  if (plain.isEmpty()) return std::nullopt;
  const qsizetype colon = plain.indexOf(u':');
  if (colon < 0) throw Error(NotAPeppolId(typed));
  const QString scheme = plain.left(colon), id = plain.mid(colon + 1);
  if (scheme.size() != 4 || !AllDigits(scheme) || id.isEmpty()) throw Error(NotAPeppolId(typed));
  for (const QChar ch : id)
    if (ch.isSpace() || ch.unicode() < 0x21 || ch.unicode() > 0x7E) throw Error(NotAPeppolId(typed));
  if (scheme == u"0188" && !(id.size() == 13 && AllDigits(id)))
    throw Error("Peppol ID「" + typed + "」: スキーム 0188 の ID は法人番号の13桁の数字です。");
  if (scheme == u"0221" && !(id.size() == 14 && id.startsWith(u'T') && AllDigits(id.mid(1))))
    throw Error("Peppol ID「" + typed + "」: スキーム 0221 の ID は登録番号（T と13桁の数字）です。");
  return PeppolId{scheme.toStdString(), id.toStdString()};
}

std::string NormalisePeppolId(const std::string& typed) {
  const std::optional<PeppolId> id = ParsePeppolId(typed);
  return id ? id->Text() : std::string();
}

std::string PeppolIdBook::KeyOf(const std::string& customerCode, const std::string& customerName1) {
  return customerCode.empty() ? customerName1 : customerCode;
}

void PeppolIdBook::Load(const std::string& fileName) {
  ids_.clear();
  loadedWhole_ = false;
  int lineNo = 0;
  for (const std::string& line : ReadMasterLines(fileName)) {
    ++lineNo;
    if (line.empty()) continue;
    const std::vector<std::string> f = SplitCommaText(line, Blanks::ControlsOnly);
    if (f.size() != 2 || f[0].empty())
      throw Error(masters_msg::UnreadableLine(fileName, lineNo, "取引先と Peppol ID の 2 項目がありません"));
    ids_[f[0]] = f[1];
  }
  loadedWhole_ = true;
}

void PeppolIdBook::Save(const std::string& fileName) const {
  // A file read only in part is never written over with the part that was read.
  if (!loadedWhole_) throw Error(masters_msg::KeptAfterIncompleteLoad(fileName));
  std::vector<std::string> lines;
  for (const auto& [key, text] : ids_) lines.push_back(JoinCSV({key, text}));
  WriteMasterLines(fileName, lines);
}

std::string PeppolIdBook::Find(const std::string& key) const {
  const auto it = ids_.find(key);
  return it == ids_.end() ? std::string() : it->second;
}

void PeppolIdBook::Set(const std::string& key, const std::string& text) {
  if (key.empty()) return;
  if (text.empty()) ids_.erase(key);
  else ids_[key] = text;
}

}  // namespace qm
