#pragma once
// The rules a document name must meet before it is saved, shared by the save dialog and
// the command line.
#include <string>

namespace qm {

enum class FileNameProblem { None, Empty, ForbiddenCharacter };

inline constexpr const char* kFileNameEmptyMessage = "ファイル名を入力してください。";
inline constexpr const char* kFileNameForbiddenMessage =
    "ファイル名に【\\ / : * ? \" < > |】を含めることは出来ません。";

// Empty: nothing left after trimming spaces and control characters (bytes up to 0x20)
// at both ends. ForbiddenCharacter: any of \ / : * ? " < > |.
FileNameProblem CheckFileNameText(const std::string& name);

// The message for a problem; empty for None.
std::string FileNameProblemMessage(FileNameProblem problem);

// "NAME は既に存在します。" — the refusal when a document of that name exists.
std::string FileExistsMessage(const std::string& name);

}  // namespace qm
