#include "files/file_name_check.h"

#include <gtest/gtest.h>

using qm::FileNameProblem;

namespace {

TEST(CheckFileNameText, EmptyBlankAndForbiddenNames) {
  const struct {
    std::string name;
    FileNameProblem problem;
  } cases[] = {
      {"", FileNameProblem::Empty},
      {"   ", FileNameProblem::Empty},
      {" \t\r\n", FileNameProblem::Empty},
      {std::string(1, '\0'), FileNameProblem::Empty},
      {"\x1F ", FileNameProblem::Empty},
      {"　", FileNameProblem::None},  // a full-width space is a character of the name
      {" 見積 ", FileNameProblem::None},
      {"山田邸(1).v2", FileNameProblem::None},
      {"a\\b", FileNameProblem::ForbiddenCharacter},
      {"a/b", FileNameProblem::ForbiddenCharacter},
      {"c:", FileNameProblem::ForbiddenCharacter},
      {"*", FileNameProblem::ForbiddenCharacter},
      {"なに?", FileNameProblem::ForbiddenCharacter},
      {"\"q\"", FileNameProblem::ForbiddenCharacter},
      {"<a", FileNameProblem::ForbiddenCharacter},
      {"a>", FileNameProblem::ForbiddenCharacter},
      {"a|b", FileNameProblem::ForbiddenCharacter},
      {" / ", FileNameProblem::ForbiddenCharacter},
      {"ソ表", FileNameProblem::None},  // CP932 trail byte 0x5C, not a backslash in UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(qm::CheckFileNameText(c.name), c.problem) << "[" << c.name << "]";
}

}  // namespace
