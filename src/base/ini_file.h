#pragma once
// Reading INI files in CP932 the way the settings files have always been read:
// sections and keys match without regard to ASCII case, values lose surrounding
// blanks, and anything missing gives the caller's default.
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
  bool HasKey(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::string section, key, value;  // UTF-8
  };
  std::vector<Entry> entries_;
};

// True when a and b are equal ignoring ASCII letter case.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace qm
