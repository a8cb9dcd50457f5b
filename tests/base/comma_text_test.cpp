#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/comma_text.h"

using Fields = std::vector<std::string>;

namespace {

std::string Show(const Fields& fields) {
  std::string out = "[";
  for (const std::string& f : fields) out += "<" + f + ">";
  return out + "]";
}

}  // namespace

TEST(CommaText, QuotesOnlyWhatTheReaderWouldSplit) {
  const struct {
    std::string in, want;
  } cases[] = {
      {"", ""},
      {"ABC-01", "ABC-01"},
      {"山田建設", "山田建設"},
      {"山田　建設", "山田　建設"},  // full-width space is no separator
      {"山田 建設", "\"山田 建設\""},
      {"1,500", "\"1,500\""},
      {"5\"", "\"5\"\"\""},
      {"\"", "\"\"\"\""},
      {" ", "\" \""},
      {"a\tb", "\"a\tb\""},
      {"-0.25", "-0.25"},
  };
  for (const auto& c : cases) EXPECT_EQ(qm::StrToCSV(c.in), c.want) << c.in;
}

TEST(CommaText, JoinsWithBareCommas) {
  EXPECT_EQ(qm::JoinCSV({}), "");
  EXPECT_EQ(qm::JoinCSV({"a"}), "a");
  EXPECT_EQ(qm::JoinCSV({"a", "", "b c", "\"q\""}), "a,,\"b c\",\"\"\"q\"\"\"");
  EXPECT_EQ(qm::JoinCSV({"", ""}), ",");
  EXPECT_EQ(qm::JoinCSV({"x", ""}), "x,");
}

TEST(CommaText, SplitsByTheReadingRules) {
  const struct {
    std::string in;
    Fields want;
  } cases[] = {
      {"", {}},
      {"   \t", {}},
      {"a", {"a"}},
      {"a,b,c", {"a", "b", "c"}},
      {"a,,b", {"a", "", "b"}},
      {",a", {"", "a"}},
      {"a,", {"a", ""}},
      {",", {"", ""}},
      {"a, ", {"a"}},
      {"a ,\t b", {"a", "b"}},
      {"  a", {"a"}},
      {"a b", {"a", "b"}},  // an unquoted field holds no blank
      {"\"a b\",c", {"a b", "c"}},
      {"\"1,500\"", {"1,500"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"\"", {""}},
      {"\"\",", {"", ""}},
      {"\"ab\"cd", {"ab", "cd"}},
      {"\"open, to the end", {"open, to the end"}},
      {"\"ends in a quote\"\"", {"ends in a quote\""}},
      {"x\"y", {"x\"y"}},  // a quote inside an unquoted field is text
      {std::string("a,b\0,c", 6), {"a", "b"}},
      {std::string("a,\0b", 4), {"a", ""}},
      {std::string("\0a", 2), {}},
      {"山田　建設,〒100", {"山田　建設", "〒100"}},
      {"\"山田 建設\",\"\"\"株\"\"\"", {"山田 建設", "\"株\""}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qm::SplitCommaText(c.in), c.want) << "line: " << c.in << " want " << Show(c.want);
}

// Whatever the writer produces must come back field for field; a single empty field
// is the one exception, since it is written as an empty line.
TEST(CommaText, SplitReadsBackWhatJoinWrote) {
  const Fields cases[] = {
      {"C001", "山田 建設", "", "", "100-0001", "東京都千代田区", "1-2-3 ビル 5F", "03-1234-5678", ""},
      {"", "", ""},
      {" ", "  lead", "trail  ", ","},
      {"\"", "\"\"", "a\"b", "\"quoted\""},
      {"tab\there", "line\rend", "ｶﾅ", "①㈱"},
      {"", "x"},
      {"x", ""},
  };
  for (const Fields& fields : cases) EXPECT_EQ(qm::SplitCommaText(qm::JoinCSV(fields)), fields) << Show(fields);
  EXPECT_EQ(qm::SplitCommaText(qm::JoinCSV({""})), Fields{});
}
