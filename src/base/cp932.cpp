#include "base/cp932.h"

#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "base/error.h"

namespace qm::cp932 {
namespace {

// iconv descriptors are expensive to open; keep one per direction and thread.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw Error("文字コード CP932 の変換を準備できません。");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  iconv_t get() {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
    return cd_;
  }

 private:
  iconv_t cd_;
};

iconv_t ToCp932() {
  thread_local Converter c("CP932", "UTF-8");
  return c.get();
}
iconv_t FromCp932() {
  thread_local Converter c("UTF-8", "CP932");
  return c.get();
}

// Decodes one UTF-8 sequence at s[i]; advances i. Invalid bytes give U+FFFD.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int len = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || i + len > s.size()) {
    ++i;
    return 0xFFFD;
  }
  char32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
  for (int k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += len;
  return cp;
}

// A byte that is not CP932 text (a damaged file, a stray byte) decodes to the private-use
// character U+F700 + byte, which CP932 does not map, and encodes back to the same byte:
// such text survives a load and a save instead of becoming unsavable U+FFFD.
constexpr char32_t kRawByteBase = 0xF700;

// The marks Linux input methods type where Windows keyboards give the fullwidth forms.
char32_t WindowsVariant(char32_t cp) {
  switch (cp) {
    case 0x301C: return 0xFF5E;  // wave dash -> fullwidth tilde (81 60)
    case 0x2212: return 0xFF0D;  // minus sign -> fullwidth hyphen-minus (81 7C)
    case 0x2016: return 0x2225;  // double vertical line -> parallel to (81 61)
    case 0x00A2: return 0xFFE0;  // cent (81 91)
    case 0x00A3: return 0xFFE1;  // pound (81 92)
    case 0x00AC: return 0xFFE2;  // not sign (81 CA)
    default: return cp;
  }
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Converts one code point; returns false when CP932 has no form for it.
bool EncodeOne(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
    return true;
  }
  if (cp >= kRawByteBase + 0x80 && cp <= kRawByteBase + 0xFF) {
    out.push_back(static_cast<char>(cp - kRawByteBase));
    return true;
  }
  if (cp == 0xFFFD) return false;
  std::string utf8 = CodePointToUtf8(WindowsVariant(cp));
  char buf[8];
  char* in = utf8.data();
  std::size_t inLeft = utf8.size();
  char* o = buf;
  std::size_t outLeft = sizeof buf;
  if (iconv(ToCp932(), &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1)) return false;
  out.append(buf, static_cast<std::size_t>(o - buf));
  return true;
}

}  // namespace

std::string CodePointToUtf8(char32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    s.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    s.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    s.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    s.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    s.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return s;
}

std::string EncodeOrThrow(std::string_view utf8) {
  EncodeResult r = Encode(utf8);
  if (!r.ok()) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(r.unmappable.front()));
    throw Error("文字「" + CodePointToUtf8(r.unmappable.front()) + "」(" + code +
                ") は保存できる文字コード (Shift-JIS) にありません。");
  }
  return std::move(r.bytes);
}

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

namespace {

// Every character is converted by iconv once and remembered: 0 not yet converted, 1 no
// CP932 character, otherwise the code point + 2. Threads may race to fill an entry; they
// write the same value.
std::atomic<std::uint32_t> g_doubleByte[0x10000];  // lead << 8 | trail
std::atomic<std::uint32_t> g_singleByte[0x100];

std::uint32_t Convert(const char* bytes, std::size_t len) {
  char in[2] = {bytes[0], len == 2 ? bytes[1] : '\0'};
  char* pin = in;
  std::size_t inLeft = len;
  char buf[8];
  char* o = buf;
  std::size_t outLeft = sizeof buf;
  if (iconv(FromCp932(), &pin, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 || o == buf)
    return 1;
  std::size_t k = 0;
  const char32_t cp = NextCodePoint(std::string_view(buf, static_cast<std::size_t>(o - buf)), k);
  return static_cast<std::uint32_t>(cp) + 2;
}

// The character at bytes[i] and how many bytes it takes. A byte that starts no CP932
// character stands for itself (kRawByteBase + byte) and the byte after it is read on its
// own.
char32_t DecodeAt(std::string_view bytes, std::size_t i, std::size_t& len) {
  const auto b = static_cast<unsigned char>(bytes[i]);
  len = 1;
  if (b < 0x80) return b;
  const bool pair = IsLeadByte(b) && i + 1 < bytes.size();
  std::atomic<std::uint32_t>& slot =
      pair ? g_doubleByte[(b << 8) | static_cast<unsigned char>(bytes[i + 1])] : g_singleByte[b];
  std::uint32_t v = slot.load(std::memory_order_relaxed);
  if (v == 0) {
    v = Convert(bytes.data() + i, pair ? 2 : 1);
    slot.store(v, std::memory_order_relaxed);
  }
  if (v == 1) return kRawByteBase + b;
  len = pair ? 2 : 1;
  return static_cast<char32_t>(v - 2);
}

// The characters CP932 holds in more than one double-byte form (the NEC-selected IBM
// extension rows next to the IBM rows, the NEC row 13 symbols next to JIS row 2), with
// every form, built once from the decoder itself.
const std::unordered_map<char32_t, std::vector<std::uint16_t>>& AlternateForms() {
  static const std::unordered_map<char32_t, std::vector<std::uint16_t>> forms = [] {
    std::unordered_map<char32_t, std::vector<std::uint16_t>> all;
    char pair[2];
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        pair[0] = static_cast<char>(lead);
        pair[1] = static_cast<char>(trail);
        std::size_t len = 0;
        const char32_t cp = DecodeAt(std::string_view(pair, 2), 0, len);
        if (len == 2) all[cp].push_back(static_cast<std::uint16_t>(lead << 8 | trail));
      }
    }
    std::erase_if(all, [](const auto& entry) { return entry.second.size() < 2; });
    return all;
  }();
  return forms;
}

// Whether `lead` followed by `next` reads as one double-byte character.
bool Pairs(unsigned char lead, unsigned char next) {
  const char pair[2] = {static_cast<char>(lead), static_cast<char>(next)};
  std::size_t len = 0;
  DecodeAt(std::string_view(pair, 2), 0, len);
  return len == 2;
}

}  // namespace

EncodeResult Encode(std::string_view utf8) {
  EncodeResult r;
  if (IsAscii(utf8)) {
    r.bytes.assign(utf8);
    return r;
  }
  r.bytes.reserve(utf8.size());
  // The lead byte written for a stand-in just before, or 0.
  unsigned char standInLead = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, i);
    const std::size_t at = r.bytes.size();
    if (!EncodeOne(cp, r.bytes)) {
      r.unmappable.push_back(cp);
      standInLead = 0;
      continue;
    }
    if (standInLead != 0 && r.bytes.size() == at + 2 && Pairs(standInLead, static_cast<unsigned char>(r.bytes[at]))) {
      // The Windows form would pair with the stand-in: another form that does not.
      const auto& forms = AlternateForms();
      if (const auto it = forms.find(cp); it != forms.end())
        for (const std::uint16_t form : it->second)
          if (!Pairs(standInLead, static_cast<unsigned char>(form >> 8))) {
            r.bytes[at] = static_cast<char>(form >> 8);
            r.bytes[at + 1] = static_cast<char>(form & 0xFF);
            break;
          }
    }
    const bool standIn = cp >= kRawByteBase + 0x80 && cp <= kRawByteBase + 0xFF;
    standInLead = standIn && IsLeadByte(static_cast<unsigned char>(cp - kRawByteBase))
                      ? static_cast<unsigned char>(cp - kRawByteBase)
                      : 0;
  }
  return r;
}

std::string Decode(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  for (std::size_t i = 0; i < bytes.size();) {
    std::size_t len = 1;
    const char32_t cp = DecodeAt(bytes, i, len);
    if (cp < 0x80) out.push_back(static_cast<char>(cp));
    else out += CodePointToUtf8(cp);
    i += len;
  }
  return out;
}

void AppendUtf16(std::string_view bytes, std::u16string& out) {
  for (std::size_t i = 0; i < bytes.size();) {
    std::size_t len = 1;
    const char32_t cp = DecodeAt(bytes, i, len);
    out.push_back(static_cast<char16_t>(cp));  // every CP932 character is in the BMP
    i += len;
  }
}

std::size_t ByteLength(std::string_view utf8) {
  if (IsAscii(utf8)) return utf8.size();
  EncodeResult r = Encode(utf8);
  return r.bytes.size() + r.unmappable.size();
}

bool IsRepresentable(std::string_view utf8) { return Encode(utf8).ok(); }

}  // namespace qm::cp932
