#pragma once
// Conversion between the program's UTF-8 text and the CP932 bytes of every file.
#include <string>
#include <string_view>
#include <vector>

namespace qm::cp932 {

struct EncodeResult {
  std::string bytes;                 // the CP932 form of every representable character
  std::vector<char32_t> unmappable;  // characters CP932 cannot hold, in text order
  bool ok() const { return unmappable.empty(); }
};

// UTF-8 to CP932. Characters that CP932 cannot hold are left out of `bytes` and
// listed in `unmappable`; nothing disappears without the caller knowing. Every character
// is written the way the Windows code page writes it, except right after a stand-in for
// a lead byte: there a character with two CP932 forms takes the one that does not pair
// with that byte, so that every text Decode gives reads back as the same text.
EncodeResult Encode(std::string_view utf8);

// UTF-8 to CP932; throws qm::Error naming the first character CP932 cannot hold.
std::string EncodeOrThrow(std::string_view utf8);

// CP932 to UTF-8. A byte that does not start a CP932 character becomes U+F700 + byte
// (private use, unmapped by CP932), which Encode turns back into the same byte.
std::string Decode(std::string_view bytes);

// The same text appended as UTF-16 (every CP932 character is one UTF-16 unit).
void AppendUtf16(std::string_view bytes, std::u16string& out);

// True when `b` starts a double-byte character.
bool IsLeadByte(unsigned char b);

// Number of bytes of the CP932 form (unmappable characters count as one byte, the
// '?' a legacy program would have written for them).
std::size_t ByteLength(std::string_view utf8);

// True when every character of the UTF-8 text has a CP932 form.
bool IsRepresentable(std::string_view utf8);

// UTF-8 of a single code point (for messages that name a character).
std::string CodePointToUtf8(char32_t cp);

}  // namespace qm::cp932
