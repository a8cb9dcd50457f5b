#pragma once
// The bytes a text field was read from, where writing its text would give other bytes:
// bytes that are not CP932 text (kept as stand-ins) and characters that CP932 holds in
// two forms. Kept with the object the field belongs to, so that a field the user did not
// change is written back byte for byte, whatever else changed around it; a field with
// new text is written the way the code page writes it.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm {

class TextOrigins {
 public:
  // Field `field` was read as `text` from `bytes`: kept when writing the text would give
  // other bytes, forgotten otherwise.
  void Note(int field, std::string_view bytes, const std::string& text);
  // The bytes field `field` was read from while its text is still the one read; null
  // when it has other text or was read in the code page's own form.
  const std::string* BytesFor(int field, std::string_view text) const;
  bool Empty() const { return bytes_.empty(); }

 private:
  std::vector<std::pair<int, std::string>> bytes_;  // a handful at most; usually none
};

}  // namespace qm
