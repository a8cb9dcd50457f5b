#pragma once
// The postal table zip.dat: one line per postal area, the code as digits, one comma, the
// address (Shift-JIS, any line end). The table is read once and searched in memory: by a
// code prefix on the bytes, or by a piece of text anywhere in the line, letters compared
// without regard to case on the decoded text. Hits are line numbers; a line's displayed
// code and address are decoded only when asked for, so a search of tens of thousands of
// hits costs no more than finding them.
#include <QString>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::postal {

// What a lookup shows for one line (UTF-8).
struct ZipHit {
  std::string zipCode;  // the code field as 100-0001, at most 128 bytes
  std::string address;  // after the first comma, at most 512 bytes
  bool operator==(const ZipHit&) const = default;
};

class ZipTable {
 public:
  ZipTable() = default;
  // The table of a file's bytes (CP932).
  static ZipTable FromBytes(std::string bytes);
  // Reads the file; throws qm::Error naming it when it cannot be read.
  static ZipTable Load(const std::string& path);
  // The same over the file mapped into memory, for a short-lived process: nothing is
  // copied, but the file must not be rewritten in place while the table lives.
  static ZipTable Map(const std::string& path);

  std::size_t LineCount() const { return starts_.size(); }
  // The line's bytes without its line end.
  std::string_view Line(std::size_t line) const;

  // Lines whose first bytes are exactly `key` (CP932), in file order.
  std::vector<std::size_t> LinesStartingWith(std::string_view key) const;
  // Lines whose whole text contains `key` (UTF-8), letters compared without regard to
  // case, in file order. An empty key finds nothing.
  std::vector<std::size_t> LinesContaining(std::string_view key) const;

  ZipHit Hit(std::size_t line) const;

 private:
  // The decoded, case-folded text of every line, each ended by '\n', built on the first
  // search by text.
  struct Folded {
    QString text;
    std::vector<qsizetype> starts;
  };
  const Folded& FoldedText() const;

  // Shared by copies of the table, which hold the same bytes.
  struct Lazy {
    std::once_flag once;
    std::unique_ptr<Folded> folded;
  };

  // Indexes the lines of `data_`.
  void IndexLines();

  std::string_view data_;
  std::shared_ptr<const void> owner_;  // keeps `data_` alive: a string or a mapping
  std::vector<std::uint32_t> starts_, ends_;
  std::shared_ptr<Lazy> lazy_ = std::make_shared<Lazy>();
};

// The displayed postal code of a code field: its first three bytes, "-", the rest, at
// most 128 bytes; cuts never split a double-byte character.
std::string DisplayedZipCode(std::string_view codeField);

// Keeps at most `limit` bytes of CP932 text, cutting before a character that would
// straddle the limit.
std::string_view CutAtCharacter(std::string_view cp932, std::size_t limit);

// The table of the data folder, read on first use and kept until the file's size or time
// changes or Invalidate() is called (after an update replaced it).
class ZipTableCache {
 public:
  explicit ZipTableCache(std::string path) : path_(std::move(path)) {}
  // Throws qm::Error naming the file when it cannot be read.
  std::shared_ptr<const ZipTable> Get();
  void Invalidate();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::mutex mutex_;
  std::shared_ptr<const ZipTable> table_;
  std::int64_t size_ = -1;
  std::int64_t modified_ = -1;
};

// Looking up as the customer block's two buttons do.
inline constexpr const char* kUnknownZip = "郵便番号が不明です。";
inline constexpr const char* kUnknownAddress = "住所が不明です。";

// The key of a typed postal code: the text without its hyphens, in CP932; nothing when
// the text is shorter than 3 bytes or the key longer than 8.
std::optional<std::string> ZipKey(std::string_view typed);

// The hits of a typed postal code (nothing for a text that is no key) and of a typed
// address, in file order.
std::vector<std::size_t> FindByZip(const ZipTable& table, std::string_view typed);
std::vector<std::size_t> FindByAddress(const ZipTable& table, std::string_view typed);

}  // namespace qm::postal
