#pragma once
// INI files in CP932 as the settings files have always been treated: sections and keys
// match without regard to ASCII case, values lose surrounding blanks, and anything
// missing gives the caller's default. Writing a key replaces its value in place and
// leaves every other line of the file — comments, blank lines, unknown keys and other
// sections — exactly as it was. Save() replaces the whole file atomically.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class IniFile {
 public:
  // A missing file reads as empty; an unreadable one throws qm::Error.
  static IniFile Load(const std::string& path);
  static IniFile FromBytes(std::string_view cp932);

  std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // Keys of a section in file order (as written in the file).
  std::vector<std::string> Keys(std::string_view section) const;

  // Replaces the value of the first matching key, or adds the key at the end of its
  // section, or adds the section at the end of the file.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Removes the section's header and every line up to the next section.
  void EraseSection(std::string_view section);
  // Adds an empty section at the end of the file when it is missing.
  void EnsureSection(std::string_view section);

  // The file's bytes; throws qm::Error when a value has no CP932 form.
  std::string ToBytes() const;
  void Save(const std::string& path) const;

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    Kind kind = Kind::Other;
    std::string raw;      // CP932 bytes of the line, without its end
    std::string eol;      // "\r\n", "\n" or "" for a last line without one
    std::string name;     // UTF-8: section name, or key name
    std::string value;    // UTF-8 value of a key, blanks trimmed
  };
  static Line Parse(std::string raw, std::string eol);
  // Index of the section's header, or npos.
  std::size_t SectionIndex(std::string_view section) const;
  // One past the last line that belongs to the section starting at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  std::size_t KeyIndex(std::string_view section, std::string_view key) const;
  void Append(std::string raw);

  std::vector<Line> lines_;
};

// True when a and b are equal ignoring ASCII letter case.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace qm
