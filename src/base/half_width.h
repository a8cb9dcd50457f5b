#pragma once
// Full-width ASCII forms (U+FF01 … U+FF5E: ０, Ａ, ：, －) as their ASCII characters, as
// numbers and codes typed in Japanese input come.
#include <QString>

namespace qm {

inline QString HalfWidthAscii(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar ch : text) {
    const char16_t u = ch.unicode();
    out += (u >= 0xFF01 && u <= 0xFF5E) ? QChar(static_cast<char16_t>(u - 0xFEE0)) : ch;
  }
  return out;
}

}  // namespace qm
