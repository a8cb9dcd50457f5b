#pragma once
// One table of keys per print.ini section: each key with the field of the dialog's
// options struct that holds it. Loading, saving and the command line's --set all go
// through the table, so a key can only be wired in one place.
#include <charconv>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "base/error.h"
#include "base/ini_file.h"
#include "base/ini_values.h"

namespace qm {

// A text whose line breaks print.ini keeps as "#CRLF#".
template <class T>
struct LinesField {
  std::string T::*field;
};

template <class T>
struct PrintKey {
  const char* key;
  // An optional flag is written only once it has been set; unset, the dialog decides.
  std::variant<std::string T::*, bool T::*, int T::*, LinesField<T>, std::optional<bool> T::*> field;
  bool stored = true;  // false: a dialog input print.ini does not keep (only --set gives it)
};

// "#CRLF#" for every CR LF, and back (the marker in any letter case).
std::string EncodeIniLines(const std::string& text);
std::string DecodeIniLines(const std::string& text);

// Every stored key of the section, with the struct's defaults for missing keys.
template <class T>
T LoadPrintSection(const IniFile& ini, const char* section, std::span<const PrintKey<T>> keys) {
  const T defaults{};
  T o{};
  for (const PrintKey<T>& k : keys) {
    if (!k.stored) continue;
    std::visit(
        [&](auto f) {
          using F = decltype(f);
          if constexpr (std::is_same_v<F, std::string T::*>) o.*f = ini.ReadString(section, k.key, defaults.*f);
          else if constexpr (std::is_same_v<F, bool T::*>) o.*f = ReadIniBool(ini, section, k.key, defaults.*f);
          else if constexpr (std::is_same_v<F, int T::*>) o.*f = ReadIniInteger(ini, section, k.key, defaults.*f);
          else if constexpr (std::is_same_v<F, std::optional<bool> T::*>) {
            if (ini.HasKey(section, k.key)) o.*f = ReadIniBool(ini, section, k.key, false);
          } else o.*f.field = DecodeIniLines(ini.ReadString(section, k.key, EncodeIniLines(defaults.*f.field)));
        },
        k.field);
  }
  return o;
}

// Writes every stored key of the section; the rest of the file stays as it was.
template <class T>
void SavePrintSection(IniFile& ini, const char* section, const T& o, std::span<const PrintKey<T>> keys) {
  for (const PrintKey<T>& k : keys) {
    if (!k.stored) continue;
    std::visit(
        [&](auto f) {
          using F = decltype(f);
          if constexpr (std::is_same_v<F, std::string T::*>) ini.WriteString(section, k.key, o.*f);
          else if constexpr (std::is_same_v<F, bool T::*>) ini.WriteString(section, k.key, IniBoolText(o.*f));
          else if constexpr (std::is_same_v<F, int T::*>) ini.WriteString(section, k.key, std::to_string(o.*f));
          else if constexpr (std::is_same_v<F, std::optional<bool> T::*>) {
            if (o.*f) ini.WriteString(section, k.key, IniBoolText(*(o.*f)));
          } else ini.WriteString(section, k.key, EncodeIniLines(o.*f.field));
        },
        k.field);
  }
}

// Sets the field of `key` from its print.ini text form. Throws qm::Error for a key the
// section does not have or a number that is not one.
template <class T>
void SetPrintKey(T& o, const std::string& key, const std::string& value, std::span<const PrintKey<T>> keys) {
  for (const PrintKey<T>& k : keys) {
    if (key != k.key) continue;
    const auto number = [&](const char* form) {
      long long n = 0;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
      if (ec != std::errc() || end != value.data() + value.size())
        throw Error("印刷設定 " + key + " の値「" + value + "」は" + form + "で指定してください。");
      return n;
    };
    std::visit(
        [&](auto f) {
          using F = decltype(f);
          if constexpr (std::is_same_v<F, std::string T::*>) o.*f = value;
          else if constexpr (std::is_same_v<F, bool T::*>) o.*f = number(" 1 か 0 ") != 0;
          else if constexpr (std::is_same_v<F, int T::*>) o.*f = static_cast<int>(number("整数"));
          else if constexpr (std::is_same_v<F, std::optional<bool> T::*>) o.*f = number(" 1 か 0 ") != 0;
          else o.*f.field = DecodeIniLines(value);
        },
        k.field);
    return;
  }
  throw Error("印刷設定のキー「" + key + "」はありません。");
}

}  // namespace qm
