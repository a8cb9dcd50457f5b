#include "base/cp932.h"

#include <QString>
#include <gtest/gtest.h>

#include "base/error.h"
#include "support/bytes.h"

using qmtest::Hex;
namespace cp932 = qm::cp932;

TEST(Cp932, EncodesAndDecodesJapaneseText) {
  struct Case {
    const char* utf8;
    std::string bytes;
  } cases[] = {
      {"abc", "abc"},
      {"御見積書", "\x8C\xE4\x8C\xA9\x90\xCF\x8F\x91"},
      {"ｱｲｳ", "\xB1\xB2\xB3"},              // half-width katakana are single bytes
      {"①Ⅰ", "\x87\x40\x87\x54"},           // NEC special characters
      {"髙", "\xFB\xFC"},                    // IBM extension
      {"■ 小計 ■", "\x81\xA1 \x8F\xAC\x8C\x76 \x81\xA1"},
      {"\\~", "\\~"},
  };
  for (const auto& c : cases) {
    const cp932::EncodeResult r = cp932::Encode(c.utf8);
    EXPECT_TRUE(r.ok()) << c.utf8;
    EXPECT_EQ(Hex(r.bytes), Hex(c.bytes)) << c.utf8;
    EXPECT_EQ(cp932::Decode(c.bytes), c.utf8);
    EXPECT_EQ(cp932::ByteLength(c.utf8), c.bytes.size()) << c.utf8;
  }
}

TEST(Cp932, StoresLinuxInputVariantsAsTheWindowsCodePageDoes) {
  struct Case {
    const char* typed;
    const char* windowsForm;
    std::string bytes;
  } cases[] = {
      {"\u301C", "\uFF5E", "\x81\x60"},  // wave dash
      {"\u2212", "\uFF0D", "\x81\x7C"},  // minus sign
      {"\u2016", "\u2225", "\x81\x61"},  // double vertical line
      {"\u00A2", "\uFFE0", "\x81\x91"},  // cent
      {"\u00A3", "\uFFE1", "\x81\x92"},  // pound
      {"\u00AC", "\uFFE2", "\x81\xCA"},  // not sign
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Hex(cp932::EncodeOrThrow(c.typed)), Hex(c.bytes)) << c.typed;
    EXPECT_EQ(Hex(cp932::EncodeOrThrow(c.windowsForm)), Hex(c.bytes)) << c.windowsForm;
    EXPECT_TRUE(cp932::IsRepresentable(c.typed));
  }
}

TEST(Cp932, ReportsCharactersItCannotHoldInsteadOfDroppingThem) {
  const cp932::EncodeResult r = cp932::Encode("見積\u20AC書😀");
  EXPECT_FALSE(r.ok());
  ASSERT_EQ(r.unmappable.size(), 2u);
  EXPECT_EQ(r.unmappable[0], U'\u20AC');
  EXPECT_EQ(r.unmappable[1], U'\U0001F600');
  EXPECT_EQ(Hex(r.bytes), Hex("\x8C\xA9\x90\xCF\x8F\x91"));
  EXPECT_FALSE(cp932::IsRepresentable("😀"));
  EXPECT_EQ(cp932::ByteLength("a😀"), 2u);
  try {
    cp932::EncodeOrThrow("金額€");
    FAIL() << "no error for an unmappable character";
  } catch (const qm::Error& e) {
    EXPECT_NE(std::string(e.what()).find("€"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("U+20AC"), std::string::npos);
  }
  // Broken UTF-8 is not silently accepted either.
  EXPECT_FALSE(cp932::Encode("a\xFF").ok());
}

TEST(Cp932, LeadBytesAndUndecodableBytes) {
  for (int b = 0; b < 256; ++b) {
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(cp932::IsLeadByte(static_cast<unsigned char>(b)), lead) << b;
  }
  // Bytes that are not CP932 text decode to stand-ins that encode back to the same bytes.
  for (const std::string& damaged : {std::string("a\x82"), std::string("\xA0z"), std::string("\x81\x20x"),
                                    std::string("\xFF\xFD\x80"), std::string("\x85\x40")}) {
    const std::string text = cp932::Decode(damaged);
    EXPECT_EQ(text.find("\uFFFD"), std::string::npos);
    EXPECT_EQ(Hex(cp932::EncodeOrThrow(text)), Hex(damaged));
  }
  EXPECT_EQ(cp932::Decode("a\x82"), "a\uF782");
  EXPECT_EQ(cp932::Decode("\x81\x20x"), "\uF781 x");  // a lead byte before a blank: the blank stays
  EXPECT_EQ(cp932::Decode("\x82\xA0"), "\u3042");  // あ
}

TEST(Cp932Decode, Utf16AndUtf8AgreeOnEveryByteSequence) {
  // Text, half-width katakana, a lead byte with a bad trail, a lead byte at the end, and
  // bytes that start no character.
  const std::string samples[] = {
      qm::cp932::EncodeOrThrow("東京都千代田区ｶﾀｶﾅ①ⅰ～"), std::string("\x81\x0d\x0a", 3), std::string("abc\x95", 4),
      std::string("\x80\xa0\xfd\xfe\xff", 5), std::string("\x82\xa0\x82", 3), std::string(),
  };
  for (const std::string& bytes : samples) {
    std::u16string utf16;
    qm::cp932::AppendUtf16(bytes, utf16);
    const QString fromUtf16 = QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
    EXPECT_EQ(fromUtf16.toStdString(), qm::cp932::Decode(bytes));
    // Decoded twice (the second time from what the first remembered), the same.
    EXPECT_EQ(qm::cp932::Decode(bytes), qm::cp932::Decode(bytes));
    EXPECT_EQ(qm::cp932::Encode(qm::cp932::Decode(bytes)).bytes, bytes);
  }
}
