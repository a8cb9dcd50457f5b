// Fuzz target for the comma-text rules. The input is one line; its fields, written
// back by JoinCSV, must split into the same fields, and a line without quotes or
// blanks must be exactly its fields joined by commas. Anything else aborts.
#include <string>
#include <string_view>
#include <vector>

#include "base/comma_text.h"
#include "fuzz_target.h"

namespace {

using Fields = std::vector<std::string>;

std::string Show(const Fields& fields) {
  std::string out = "[";
  for (const std::string& f : fields) out += "<" + f + ">";
  return out + "]";
}

[[noreturn]] void Fail(const std::string& what) { FuzzFail("comma_text_fuzz", what); }

// No quote, no NUL and no blank: nothing but fields and commas.
bool IsPlain(std::string_view line) {
  for (char c : line)
    if (c == '"' || static_cast<unsigned char>(c) <= 32) return false;
  return true;
}

}  // namespace

bool FuzzLastInputAccepted() { return true; }  // every line splits

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const Fields fields = qm::SplitCommaText(line);
  for (const std::string& f : fields)
    if (f.find('\0') != std::string::npos) Fail("a field holds NUL: " + Show(fields));

  const std::string joined = qm::JoinCSV(fields);
  const Fields again = qm::SplitCommaText(joined);
  // One empty field is written as an empty line, which holds no field.
  const Fields expected = fields == Fields{""} ? Fields{} : fields;
  if (again != expected) Fail("split " + Show(fields) + ", joined \"" + joined + "\", split again " + Show(again));

  const std::string_view text = line.substr(0, line.find('\0'));
  if (IsPlain(text) && joined != text)
    Fail("the plain line \"" + std::string(text) + "\" joined as \"" + joined + "\"");
  return 0;
}
