#include "print/print_keys.h"

#include <QRegularExpression>
#include <QString>

namespace qm {

std::string EncodeIniLines(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "#CRLF#";
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string DecodeIniLines(const std::string& text) {
  static const QRegularExpression marker("#CRLF#", QRegularExpression::CaseInsensitiveOption);
  return QString::fromStdString(text).replace(marker, "\r\n").toStdString();
}

}  // namespace qm
