#pragma once
// Text fields at the edges of the code page, and estimate files that hold them, built
// byte by byte independently of the program's writer.
#include <string>
#include <vector>

namespace qmtest {

struct EdgeText {
  std::string what;
  std::string bytes;
  // True when every character in it has one CP932 form, so that writing its text gives
  // these bytes again; false when it holds a character CP932 can write in two ways.
  bool oneForm;
};

// Byte strings at the edges of the code page: lone lead bytes before each row, the
// NEC-selected IBM rows, the IBM rows, the NEC row 13 duplicates, bytes that are no text.
std::vector<EdgeText> EdgeStrings();

// A picture of a line as the file stores it: kind 1–3 and its bytes.
struct StoredPicture {
  int kind = 0;
  std::string bytes;
};

// A version 5 file in the writer's own layout whose text fields hold `a`, `b` and `c`
// (raw bytes) in the header, the customer block and two lines; every other field is
// what the writer writes for it. The lines carry `pictures[0]` and `pictures[1]` when
// given.
std::string FileWith(const std::string& a, const std::string& b, const std::string& c,
                     const std::vector<StoredPicture>& pictures = {});

}  // namespace qmtest
