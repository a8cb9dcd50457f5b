#include "base/comma_text.h"

namespace qm {
namespace {

// The reader's blanks: every control character and, unless it is protected, the ASCII
// space; never NUL.
bool IsBlank(char c, bool spaceIsBlank = true) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && (u < 32 || (u == 32 && spaceIsBlank));
}

bool NeedsQuotes(std::string_view text) {
  for (char c : text)
    if (c == ',' || c == '"' || IsBlank(c)) return true;
  return false;
}

}  // namespace

std::string StrToCSV(std::string_view field) {
  const bool quote = NeedsQuotes(field);
  std::string out;
  out.reserve(field.size() + 2);
  if (quote) out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  if (quote) out += '"';
  return out;
}

std::string JoinCSV(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) out += ',';
    out += StrToCSV(fields[i]);
  }
  return out;
}

std::vector<std::string> SplitCommaText(std::string_view line, Blanks blanks) {
  const bool space = blanks == Blanks::WithSpace;
  const auto skip = [&](std::size_t i) {
    while (i < line.size() && IsBlank(line[i], space)) ++i;
    return i;
  };
  line = line.substr(0, line.find('\0'));
  std::vector<std::string> fields;
  std::size_t i = skip(0);
  while (i < line.size()) {
    std::string field;
    if (line[i] == '"') {
      for (++i; i < line.size(); ++i) {
        if (line[i] != '"') {
          field += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          ++i;  // the closing quote
          break;
        }
      }
    } else {
      const std::size_t start = i;
      while (i < line.size() && line[i] != ',' && !IsBlank(line[i], space)) ++i;
      field.assign(line.substr(start, i - start));
    }
    fields.push_back(std::move(field));

    i = skip(i);
    if (i < line.size() && line[i] == ',') {
      if (i + 1 == line.size()) {
        fields.emplace_back();
        break;
      }
      i = skip(i + 1);
    }
  }
  return fields;
}

}  // namespace qm
