#include "files/file_name_check.h"

#include <algorithm>
#include <string_view>

namespace qm {

FileNameProblem CheckFileNameText(const std::string& name) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  const auto first = std::find_if_not(name.begin(), name.end(), isBlank);
  if (first == name.end()) return FileNameProblem::Empty;
  // Every forbidden character is ASCII, and CP932 trail bytes never reach UTF-8 text,
  // so a byte search is exact.
  if (name.find_first_of(std::string_view("\\/:*?\"<>|")) != std::string::npos)
    return FileNameProblem::ForbiddenCharacter;
  return FileNameProblem::None;
}

std::string FileNameProblemMessage(FileNameProblem problem) {
  switch (problem) {
    case FileNameProblem::Empty: return kFileNameEmptyMessage;
    case FileNameProblem::ForbiddenCharacter: return kFileNameForbiddenMessage;
    case FileNameProblem::None: break;
  }
  return {};
}

std::string FileExistsMessage(const std::string& name) { return name + " は既に存在します。"; }

}  // namespace qm
