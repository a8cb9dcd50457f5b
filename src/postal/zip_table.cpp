#include "postal/zip_table.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringMatcher>

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "base/error.h"

namespace qm::postal {
namespace {

constexpr std::size_t kZipCodeLimit = 128;
constexpr std::size_t kAddressLimit = 512;

}  // namespace

std::string_view CutAtCharacter(std::string_view cp932, std::size_t limit) {
  std::size_t i = 0;
  while (i < cp932.size()) {
    const std::size_t n = cp932::IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
    if (i + n > limit) break;
    i += n;
  }
  return cp932.substr(0, i);
}

std::string DisplayedZipCode(std::string_view codeField) {
  const std::string_view head = CutAtCharacter(codeField, 3);
  std::string shown(head);
  shown += '-';
  shown += codeField.substr(head.size());
  return cp932::Decode(CutAtCharacter(shown, kZipCodeLimit));
}

ZipTable ZipTable::FromBytes(std::string bytes) {
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) throw Error("郵便番号データが大きすぎます。");
  ZipTable t;
  t.bytes_ = std::move(bytes);
  const std::string& b = t.bytes_;
  // CR LF, a lone LF and a lone CR each end a line; neither is ever the second byte of a
  // Shift-JIS character, so the bytes can be cut before decoding. Blank lines hold no
  // postal area and are skipped.
  std::size_t start = 0;
  const auto endLine = [&](std::size_t end) {
    if (end > start) {
      t.starts_.push_back(static_cast<std::uint32_t>(start));
      t.ends_.push_back(static_cast<std::uint32_t>(end));
    }
  };
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] != '\r' && b[i] != '\n') continue;
    endLine(i);
    if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') ++i;
    start = i + 1;
  }
  endLine(b.size());
  return t;
}

ZipTable ZipTable::Load(const std::string& path) { return FromBytes(ReadWholeFile(path)); }

std::string_view ZipTable::Line(std::size_t line) const {
  return std::string_view(bytes_).substr(starts_[line], ends_[line] - starts_[line]);
}

std::vector<std::size_t> ZipTable::LinesStartingWith(std::string_view key) const {
  std::vector<std::size_t> hits;
  const char* data = bytes_.data();
  for (std::size_t i = 0; i < starts_.size(); ++i)
    if (ends_[i] - starts_[i] >= key.size() && std::memcmp(data + starts_[i], key.data(), key.size()) == 0)
      hits.push_back(i);
  return hits;
}

const ZipTable::Folded& ZipTable::FoldedText() const {
  std::call_once(lazy_->once, [this] {
    auto folded = std::make_unique<Folded>();
    folded->starts.reserve(starts_.size());
    folded->text.reserve(static_cast<qsizetype>(bytes_.size()));
    for (std::size_t i = 0; i < starts_.size(); ++i) {
      folded->starts.push_back(folded->text.size());
      folded->text += QString::fromStdString(cp932::Decode(Line(i))).toCaseFolded();
      folded->text += QChar('\n');
    }
    lazy_->folded = std::move(folded);
  });
  return *lazy_->folded;
}

std::vector<std::size_t> ZipTable::LinesContaining(std::string_view key) const {
  std::vector<std::size_t> hits;
  const QString folded = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())).toCaseFolded();
  if (folded.isEmpty() || folded.contains(QChar('\n')) || folded.contains(QChar('\r'))) return hits;
  const Folded& f = FoldedText();
  const QStringMatcher matcher(folded);
  qsizetype from = 0;
  while (true) {
    const qsizetype at = matcher.indexIn(f.text, from);
    if (at < 0) break;
    const auto next = std::upper_bound(f.starts.begin(), f.starts.end(), at);
    hits.push_back(static_cast<std::size_t>(next - f.starts.begin()) - 1);
    if (next == f.starts.end()) break;
    from = *next;  // one hit a line
  }
  return hits;
}

ZipHit ZipTable::Hit(std::size_t line) const {
  const std::string_view text = Line(line);
  const std::size_t comma = text.find(',');
  const std::string_view code = comma == std::string_view::npos ? std::string_view() : text.substr(0, comma);
  const std::string_view address = comma == std::string_view::npos ? text : text.substr(comma + 1);
  return {DisplayedZipCode(code), cp932::Decode(CutAtCharacter(address, kAddressLimit))};
}

std::shared_ptr<const ZipTable> ZipTableCache::Get() {
  const std::lock_guard lock(mutex_);
  const QFileInfo info(QString::fromStdString(path_));
  const std::int64_t size = info.exists() ? info.size() : -1;
  const std::int64_t modified = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
  if (table_ && size == size_ && modified == modified_) return table_;
  table_ = std::make_shared<const ZipTable>(ZipTable::Load(path_));
  size_ = size;
  modified_ = modified;
  return table_;
}

void ZipTableCache::Invalidate() {
  const std::lock_guard lock(mutex_);
  table_.reset();
}

std::optional<std::string> ZipKey(std::string_view typed) {
  // At least three bytes as typed, at most eight without the hyphens: 100-00-01 is the
  // key 1000001 like 100-0001, and three hyphens are the empty key that lists every line.
  if (cp932::ByteLength(typed) < 3) return std::nullopt;
  std::string withoutHyphens;
  for (char c : typed)
    if (c != '-') withoutHyphens += c;
  std::string key = cp932::Encode(withoutHyphens).bytes;
  if (cp932::ByteLength(withoutHyphens) > 8) return std::nullopt;
  return key;
}

std::vector<std::size_t> FindByZip(const ZipTable& table, std::string_view typed) {
  const std::optional<std::string> key = ZipKey(typed);
  return key ? table.LinesStartingWith(*key) : std::vector<std::size_t>{};
}

std::vector<std::size_t> FindByAddress(const ZipTable& table, std::string_view typed) {
  return table.LinesContaining(typed);
}

}  // namespace qm::postal
