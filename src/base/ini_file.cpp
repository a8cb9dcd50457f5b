#include "base/ini_file.h"

#include <QFileInfo>

#include "base/atomic_file.h"
#include "base/cp932.h"

namespace qm {
namespace {
std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}
}  // namespace

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

IniFile IniFile::Load(const std::string& path) {
  if (!QFileInfo::exists(QString::fromStdString(path))) return IniFile();
  return FromBytes(ReadWholeFile(path));
}

IniFile IniFile::FromBytes(std::string_view cp932Bytes) {
  IniFile ini;
  const std::string text = cp932::Decode(cp932Bytes);
  std::string section;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line = TrimBlanks(std::string_view(text).substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      section = std::string(TrimBlanks(line.substr(1, close == std::string_view::npos ? line.npos : close - 1)));
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    ini.entries_.push_back(
        {section, std::string(TrimBlanks(line.substr(0, eq))), std::string(TrimBlanks(line.substr(eq + 1)))});
  }
  return ini;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, const std::string& def) const {
  for (const Entry& e : entries_)
    if (EqualsIgnoreAsciiCase(e.section, section) && EqualsIgnoreAsciiCase(e.key, key)) return e.value;
  return def;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  for (const Entry& e : entries_)
    if (EqualsIgnoreAsciiCase(e.section, section) && EqualsIgnoreAsciiCase(e.key, key)) return true;
  return false;
}

}  // namespace qm
