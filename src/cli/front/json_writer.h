#pragma once
// A streaming JSON writer with two-space indentation and keys in the order written.
// Text goes out as UTF-8 as it is; only quotes, backslashes and control characters are
// escaped, and malformed UTF-8 becomes U+FFFD so the output is always valid.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm::cli {

class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Names the next value inside an object.
  void Key(std::string_view key);

  void String(std::string_view text);
  void Bool(bool value);
  void Integer(std::int64_t value);
  void Number(double value);
  void Null();

  // The finished text, ending in a newline.
  std::string Take();

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);
  void NewLine(std::size_t depth);

  std::string out_;
  std::vector<int> stack_;  // members written so far, per open container
  bool afterKey_ = false;
};

// `text` as a quoted JSON string.
std::string JsonQuote(std::string_view text);

}  // namespace qm::cli
