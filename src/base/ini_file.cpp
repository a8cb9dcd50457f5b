#include "base/ini_file.h"

#include <QFileInfo>

#include "base/atomic_file.h"
#include "base/cp932.h"

namespace qm {
namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// "[name]" in CP932. Built by append: GCC 12 warns falsely on "[" + s + "]" at -O3.
std::string SectionHeader(std::string_view section) {
  std::string header(1, '[');
  header.append(cp932::EncodeOrThrow(section));
  header.push_back(']');
  return header;
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

IniFile::Line IniFile::Parse(std::string raw, std::string eol) {
  Line line;
  line.raw = std::move(raw);
  line.eol = std::move(eol);
  // Work on the decoded text: '[' and ']' can be the second byte of a CP932 character.
  const std::string text = cp932::Decode(line.raw);
  const std::string_view t = TrimBlanks(text);
  if (t.empty() || t.front() == ';') return line;
  if (t.front() == '[') {
    const std::size_t close = t.find(']');
    line.kind = Kind::Section;
    line.name = std::string(TrimBlanks(t.substr(1, close == npos ? npos : close - 1)));
    return line;
  }
  const std::size_t eq = t.find('=');
  if (eq == npos) return line;
  line.kind = Kind::Key;
  line.name = std::string(TrimBlanks(t.substr(0, eq)));
  line.value = std::string(TrimBlanks(t.substr(eq + 1)));
  return line;
}

IniFile IniFile::Load(const std::string& path) {
  if (!QFileInfo::exists(QString::fromStdString(path))) return IniFile();
  return FromBytes(ReadWholeFile(path));
}

IniFile IniFile::FromBytes(std::string_view bytes) {
  IniFile ini;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    std::size_t next = end == npos ? bytes.size() : end + 1;
    if (end == npos) end = bytes.size();
    else if (end > pos && bytes[end - 1] == '\r') --end;
    // Each line keeps its own ending, so that untouched lines are written back as read.
    ini.lines_.push_back(Parse(std::string(bytes.substr(pos, end - pos)), std::string(bytes.substr(end, next - end))));
    pos = next;
  }
  return ini;
}

std::size_t IniFile::SectionIndex(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Kind::Section && EqualsIgnoreAsciiCase(lines_[i].name, section)) return i;
  return npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
  return i;
}

std::size_t IniFile::KeyIndex(std::string_view section, std::string_view key) const {
  // A section may appear more than once in a hand-edited file; look through each.
  for (std::size_t h = 0; h < lines_.size(); ++h) {
    if (lines_[h].kind != Kind::Section || !EqualsIgnoreAsciiCase(lines_[h].name, section)) continue;
    const std::size_t end = SectionEnd(h);
    for (std::size_t i = h + 1; i < end; ++i)
      if (lines_[i].kind == Kind::Key && EqualsIgnoreAsciiCase(lines_[i].name, key)) return i;
  }
  return npos;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const std::size_t i = KeyIndex(section, key);
  if (i == npos) return std::nullopt;
  return lines_[i].value;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, const std::string& def) const {
  if (auto v = Find(section, key)) return *v;
  return def;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const { return KeyIndex(section, key) != npos; }

bool IniFile::HasSection(std::string_view section) const { return SectionIndex(section) != npos; }

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  for (std::size_t h = 0; h < lines_.size(); ++h) {
    if (lines_[h].kind != Kind::Section || !EqualsIgnoreAsciiCase(lines_[h].name, section)) continue;
    const std::size_t end = SectionEnd(h);
    for (std::size_t i = h + 1; i < end; ++i)
      if (lines_[i].kind == Kind::Key) keys.push_back(lines_[i].name);
  }
  return keys;
}

void IniFile::Append(std::string raw) {
  if (!lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = "\r\n";
  lines_.push_back(Parse(std::move(raw), "\r\n"));
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string encodedValue = cp932::EncodeOrThrow(value);
  const std::size_t at = KeyIndex(section, key);
  if (at != npos) {
    // Keep the key exactly as the file spells it; only the value changes.
    Line& line = lines_[at];
    const std::size_t eq = line.raw.find('=');
    line.raw = line.raw.substr(0, eq + 1) + encodedValue;
    line.value = std::string(TrimBlanks(value));
    return;
  }
  const std::string raw = cp932::EncodeOrThrow(key) + "=" + encodedValue;
  const std::size_t header = SectionIndex(section);
  if (header == npos) {
    Append(SectionHeader(section));
    Append(raw);
    return;
  }
  // After the section's last non-blank line, so blank separators stay between sections.
  std::size_t insert = SectionEnd(header);
  while (insert > header + 1 && TrimBlanks(lines_[insert - 1].raw).empty()) --insert;
  if (insert == lines_.size() && !lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = "\r\n";
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), Parse(raw, "\r\n"));
}

void IniFile::EraseSection(std::string_view section) {
  for (std::size_t h = SectionIndex(section); h != npos; h = SectionIndex(section))
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(h),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(h)));
}

void IniFile::EnsureSection(std::string_view section) {
  if (!HasSection(section)) Append(SectionHeader(section));
}

std::string IniFile::ToBytes() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.raw;
    out += line.eol;
  }
  return out;
}

void IniFile::Save(const std::string& path) const { WriteFileAtomically(path, ToBytes()); }

}  // namespace qm
