#include "model/text_origins.h"

#include <algorithm>

#include "base/cp932.h"

namespace qm {

void TextOrigins::Note(int field, std::string_view bytes, const std::string& text) {
  std::erase_if(bytes_, [field](const auto& entry) { return entry.first == field; });
  const cp932::EncodeResult written = cp932::Encode(text);
  if (written.ok() && written.bytes == bytes) return;
  bytes_.emplace_back(field, std::string(bytes));
}

const std::string* TextOrigins::BytesFor(int field, std::string_view text) const {
  for (const auto& [f, bytes] : bytes_)
    if (f == field) return cp932::Decode(bytes) == text ? &bytes : nullptr;
  return nullptr;
}

}  // namespace qm
