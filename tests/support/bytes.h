#pragma once
// Builds estimate-file bytes field by field, independently of the program's writer,
// so the tests pin the format rather than echo the code.
#include <cstdint>
#include <string>
#include <string_view>

namespace qmtest {

class FileBytes {
 public:
  FileBytes& I32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) s_.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
    return *this;
  }
  // A String field holding raw (already CP932) bytes.
  FileBytes& Str(std::string_view raw) {
    I32(static_cast<std::int32_t>(raw.size()));
    s_.append(raw);
    return *this;
  }
  FileBytes& Bool(bool v) { return Str(v ? "-1" : "0"); }
  FileBytes& Raw(std::string_view raw) {
    s_.append(raw);
    return *this;
  }
  const std::string& str() const { return s_; }
  std::size_t size() const { return s_.size(); }

 private:
  std::string s_;
};

// Hex dump of bytes ("03 00 00 00 61") for readable failure messages.
std::string Hex(std::string_view bytes);

}  // namespace qmtest
