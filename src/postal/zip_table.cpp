#include "postal/zip_table.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringMatcher>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

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
  auto owned = std::make_shared<const std::string>(std::move(bytes));
  t.data_ = *owned;
  t.owner_ = std::move(owned);
  t.IndexLines();
  return t;
}

void ZipTable::IndexLines() {
  const std::string_view b = data_;
  // About 40 bytes a line in the national table.
  starts_.reserve(b.size() / 32 + 1);
  ends_.reserve(b.size() / 32 + 1);
  // CR LF, a lone LF and a lone CR each end a line; neither is ever the second byte of a
  // Shift-JIS character, so the bytes can be cut before decoding. Blank lines hold no
  // postal area and are skipped.
  const char* const base = b.data();
  const std::size_t size = b.size();
  // The next CR and the next LF at or after a position, found with memchr.
  const auto next = [&](char c, std::size_t from) {
    const void* at = from < size ? std::memchr(base + from, c, size - from) : nullptr;
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - base) : size;
  };
  std::size_t start = 0;
  std::size_t cr = next('\r', 0), lf = next('\n', 0);
  while (start <= size) {
    const std::size_t end = std::min(cr, lf);
    if (end > start) {
      starts_.push_back(static_cast<std::uint32_t>(start));
      ends_.push_back(static_cast<std::uint32_t>(end));
    }
    if (end >= size) break;
    start = end + (end == cr && lf == end + 1 ? 2 : 1);
    if (cr < start) cr = next('\r', start);
    if (lf < start) lf = next('\n', start);
  }
}

namespace {

// Opens the file and answers its descriptor and size; throws naming it.
std::pair<int, std::size_t> OpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Error("ファイル " + path + " を開けません（" + std::strerror(errno) + "）");
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw Error("ファイル " + path + " を開けません（通常のファイルではありません）");
  }
  if (static_cast<std::uint64_t>(st.st_size) > std::numeric_limits<std::uint32_t>::max()) {
    ::close(fd);
    throw Error("郵便番号データが大きすぎます。");
  }
  return {fd, static_cast<std::size_t>(st.st_size)};
}

}  // namespace

ZipTable ZipTable::Load(const std::string& path) {
  const auto [fd, size] = OpenForReading(path);
  // One allocation of the file's size, filled straight from the file.
  std::string bytes(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, bytes.data() + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string why = n < 0 ? std::strerror(errno) : "途中で終わっています";
      ::close(fd);
      throw Error("ファイル " + path + " を読み込めません（" + why + "）");
    }
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return FromBytes(std::move(bytes));
}

ZipTable ZipTable::Map(const std::string& path) {
  const auto [fd, size] = OpenForReading(path);
  if (size == 0) {
    ::close(fd);
    return FromBytes({});
  }
  void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  ::close(fd);
  if (mapped == MAP_FAILED) return Load(path);
  ZipTable t;
  t.data_ = std::string_view(static_cast<const char*>(mapped), size);
  t.owner_ = std::shared_ptr<const void>(mapped, [length = size](const void* p) { ::munmap(const_cast<void*>(p), length); });
  t.IndexLines();
  return t;
}

std::string_view ZipTable::Line(std::size_t line) const {
  return data_.substr(starts_[line], ends_[line] - starts_[line]);
}

std::vector<std::size_t> ZipTable::LinesStartingWith(std::string_view key) const {
  std::vector<std::size_t> hits;
  const char* data = data_.data();
  for (std::size_t i = 0; i < starts_.size(); ++i)
    if (ends_[i] - starts_[i] >= key.size() && std::memcmp(data + starts_[i], key.data(), key.size()) == 0)
      hits.push_back(i);
  return hits;
}

const ZipTable::Folded& ZipTable::FoldedText() const {
  std::call_once(lazy_->once, [this] {
    // Every line decoded, one '\n' after each, then folded as one text; the lines are
    // found again by their '\n', which folding leaves alone.
    std::u16string decoded;
    decoded.reserve(data_.size() + starts_.size());
    for (std::size_t i = 0; i < starts_.size(); ++i) {
      cp932::AppendUtf16(Line(i), decoded);
      decoded.push_back(u'\n');
    }
    auto folded = std::make_unique<Folded>();
    folded->text = QString::fromUtf16(decoded.data(), static_cast<qsizetype>(decoded.size())).toCaseFolded();
    folded->starts.reserve(starts_.size());
    qsizetype start = 0;
    for (qsizetype at; (at = folded->text.indexOf(QChar('\n'), start)) >= 0; start = at + 1)
      folded->starts.push_back(start);
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
