#include "support/bytes.h"

#include <cstdio>

namespace qmtest {

std::string Hex(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(bytes[i]));
    if (i) out += ' ';
    out += buf;
  }
  return out;
}

}  // namespace qmtest
