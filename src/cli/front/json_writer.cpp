#include "cli/front/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qm::cli {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the well-formed UTF-8 sequence at s[i], or 0 when it is not one
// (overlong forms, surrogates and values beyond U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) return 1;
  std::size_t len = 0;
  char32_t cp = 0, min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::string JsonQuote(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80) {
      const std::size_t len = Utf8SequenceLength(text, i);
      if (len == 0) {
        out += kReplacement;
        ++i;
      } else {
        out.append(text, i, len);
        i += len;
      }
      continue;
    }
    ++i;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (u < 0x20) {
          char esc[8];
          std::snprintf(esc, sizeof esc, "\\u%04x", u);
          out += esc;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

void JsonWriter::NewLine(std::size_t depth) {
  out_ += '\n';
  out_.append(2 * depth, ' ');
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (stack_.empty()) return;
  if (stack_.back()++ > 0) out_ += ',';
  NewLine(stack_.size());
}

void JsonWriter::Key(std::string_view key) {
  if (stack_.back()++ > 0) out_ += ',';
  NewLine(stack_.size());
  out_ += JsonQuote(key);
  out_ += ": ";
  afterKey_ = true;
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  stack_.push_back(0);
}

void JsonWriter::Close(char bracket) {
  const bool empty = stack_.back() == 0;
  stack_.pop_back();
  if (!empty) NewLine(stack_.size());
  out_ += bracket;
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  out_ += JsonQuote(text);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

void JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  out_ += std::to_string(value);
}

void JsonWriter::Number(double value) {
  BeforeValue();
  // Shortest text that reads back as the same double; JSON has no NaN or infinity.
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  out_ += (ec == std::errc() && std::isfinite(value)) ? std::string(buf, end) : "null";
}

void JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
}

std::string JsonWriter::Take() {
  out_ += '\n';
  std::string out = std::move(out_);
  out_.clear();
  stack_.clear();
  afterKey_ = false;
  return out;
}

}  // namespace qm::cli
