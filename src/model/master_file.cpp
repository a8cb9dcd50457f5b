#include "model/master_file.h"

#include <QFileInfo>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "base/error.h"

namespace qm {

std::vector<std::string> ReadMasterLines(const std::string& fileName) {
  std::vector<std::string> lines;
  if (!QFileInfo::exists(QString::fromStdString(fileName))) return lines;
  const std::string bytes = ReadWholeFile(fileName);
  // Split before decoding: no CP932 trail byte is CR or LF, but a stray lead byte in
  // front of a line end would otherwise swallow it.
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
    if (end == std::string::npos) end = bytes.size();
    if (end > start && bytes[end - 1] == '\r') --end;
    lines.push_back(cp932::Decode(std::string_view(bytes).substr(start, end - start)));
    start = next;
  }
  return lines;
}

void WriteMasterLines(const std::string& fileName, const std::vector<std::string>& lines) {
  std::string text;
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  text.reserve(size);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
      throw Error("ファイル " + fileName + " を保存できません（" + std::to_string(i + 1) +
                  " 行目になる項目に改行などの制御文字が含まれています）。");
    text += lines[i];
    text += "\r\n";
  }
  std::string bytes;
  try {
    bytes = cp932::EncodeOrThrow(text);
  } catch (const Error& e) {
    throw Error("ファイル " + fileName + " を保存できません: " + e.what());
  }
  WriteFileAtomically(fileName, bytes);
}

namespace masters_msg {

std::string UnreadableLine(const std::string& fileName, int lineNo, std::string_view reason) {
  return "ファイル " + fileName + " の " + std::to_string(lineNo) + " 行目を読み込めません（" + std::string(reason) +
         "）。";
}

std::string KeptAfterIncompleteLoad(const std::string& fileName) {
  return "ファイル " + fileName + " は最後まで読み込めなかったため、上書きせずにそのまま残しています。";
}

}  // namespace masters_msg
}  // namespace qm
