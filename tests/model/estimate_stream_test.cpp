#include "model/estimate_stream.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "support/bytes.h"
#include "support/images.h"

using qm::ByteReader;
using qm::ByteWriter;
using qm::TCalcDecimal;
using qmtest::FileBytes;
using qmtest::Hex;

TEST(StreamPrimitives, WriteTheDocumentedBytes) {
  ByteWriter w;
  qm::StringToStream(w, "abc");
  EXPECT_EQ(Hex(w.Take()), "03 00 00 00 61 62 63");
  qm::BoolToStream(w, true);
  EXPECT_EQ(Hex(w.Take()), "02 00 00 00 2D 31");
  qm::BoolToStream(w, false);
  EXPECT_EQ(Hex(w.Take()), "01 00 00 00 30");
  qm::StringToStream(w, "");
  EXPECT_EQ(Hex(w.Take()), "00 00 00 00");
  qm::StringToStream(w, "小計");
  EXPECT_EQ(Hex(w.Take()), "04 00 00 00 8F AC 8C 76");
  w.Int32(-2);
  EXPECT_EQ(Hex(w.Take()), "FE FF FF FF");
  // The rounding codes are list positions, not enumeration values.
  qm::CalcDecimalToStream(w, TCalcDecimal::cdRoundDown);
  qm::CalcDecimalToStream(w, TCalcDecimal::cdRoundUP);
  qm::CalcDecimalToStream(w, TCalcDecimal::cdRoundOff);
  EXPECT_EQ(Hex(w.Take()), "01 00 00 00 30 01 00 00 00 31 01 00 00 00 32");
  qm::DecimalToStream(w, qm::Currency::FromRaw(-2500));
  qm::FloatToStream(w, qm::Currency::FromRaw(7615000));
  qm::IntegerToStream(w, 2);
  EXPECT_EQ(w.Take(), FileBytes().Str("-0.25").Str("761.5").Str("2").str());
}

TEST(StreamPrimitives, UnencodableTextIsRefused) {
  ByteWriter w;
  EXPECT_THROW(qm::StringToStream(w, "😀"), qm::Error);
}

TEST(StreamPrimitives, BooleanReadingAcceptsNumbersAndWords) {
  struct Case {
    const char* text;
    bool value;
  } cases[] = {{"-1", true}, {"0", false}, {"1", true}, {"2", true}, {"True", true}, {"tRuE", true},
               {"FALSE", false}, {"false", false}, {"0.0", false}, {"1.5", true}};
  for (const auto& c : cases) {
    const std::string bytes = FileBytes().Str(c.text).str();
    ByteReader r(bytes);
    EXPECT_EQ(qm::StreamToBool(r), c.value) << c.text;
  }
  for (const char* bad : {"", "yes", "T", "-"}) {
    const std::string bytes = FileBytes().Str(bad).str();
    ByteReader r(bytes);
    EXPECT_THROW(qm::StreamToBool(r), qm::Error) << bad;
  }
}

TEST(StreamPrimitives, RoundingReadsListPositionsAndDefaultsToRoundDown) {
  struct Case {
    const char* text;
    TCalcDecimal rule;
  } cases[] = {{"0", TCalcDecimal::cdRoundDown}, {"1", TCalcDecimal::cdRoundUP}, {"2", TCalcDecimal::cdRoundOff},
               {"", TCalcDecimal::cdRoundDown},  {"7", TCalcDecimal::cdRoundDown}, {"x", TCalcDecimal::cdRoundDown}};
  for (const auto& c : cases) {
    const std::string bytes = FileBytes().Str(c.text).str();
    ByteReader r(bytes);
    EXPECT_EQ(qm::StreamToCalcDecimal(r), c.rule) << c.text;
  }
}

TEST(StreamPrimitives, NumbersThatDoNotConvertAreErrors) {
  const auto reads = [](auto fn, const char* text) {
    const std::string bytes = FileBytes().Str(text).str();
    ByteReader r(bytes);
    return fn(r);
  };
  EXPECT_EQ(reads(qm::StreamToInteger, "-12"), -12);
  EXPECT_EQ(reads(qm::StreamToDecimal, "1500"), qm::Currency::FromYen(1500));
  EXPECT_EQ(reads(qm::StreamToFloat, "761.5"), qm::Currency::FromRaw(7615000));
  EXPECT_THROW(reads(qm::StreamToInteger, ""), qm::Error);
  EXPECT_THROW(reads(qm::StreamToInteger, "1.5"), qm::Error);
  EXPECT_THROW(reads(qm::StreamToInteger, "99999999999"), qm::Error);
  EXPECT_THROW(reads(qm::StreamToDecimal, "1,500"), qm::Error);
  EXPECT_THROW(reads(qm::StreamToDecimal, ""), qm::Error);
  EXPECT_THROW(reads(qm::StreamToFloat, "abc"), qm::Error);
}

TEST(StreamPrimitives, StringLengthsAtOrBelowZeroReadNothingMore) {
  const std::string bytes = FileBytes().I32(-5).Str("next").str();
  ByteReader r(bytes);
  EXPECT_EQ(qm::StreamToString(r), "");
  EXPECT_EQ(qm::StreamToString(r), "next");
}

TEST(StreamPrimitives, LengthsBeyondTheDataAreErrorsNotAllocations) {
  for (std::int32_t len : {5, 0x7FFFFFFF}) {
    const std::string bytes = FileBytes().I32(len).Raw("abcd").str();
    ByteReader r(bytes);
    EXPECT_THROW(qm::StreamToString(r), qm::Error) << len;
  }
  const std::string pic = FileBytes().I32(0x7FFFFFF0).I32(2).Raw("\x89PNG").str();
  ByteReader r(pic);
  qm::TMxPicture p;
  EXPECT_THROW(qm::StreamToGraphic(p, r), qm::Error);
  ByteReader empty("");
  EXPECT_THROW(empty.Int32(), qm::Error);
}

TEST(PictureRecord, KeepsTheFormatAndExactBytes) {
  for (const auto& [format, kind] : {std::pair{"bmp", qm::PictureKind::Bmp}, std::pair{"png", qm::PictureKind::Png},
                                     std::pair{"jpeg", qm::PictureKind::Jpeg}}) {
    const std::string image = qmtest::EncodedImage(format, 12, 7);
    ASSERT_FALSE(image.empty()) << format;
    qm::TMxPicture pic;
    pic.Assign(kind, image);
    EXPECT_EQ(pic.Width(), 12);
    EXPECT_EQ(pic.Height(), 7);
    ByteWriter w;
    qm::GraphicToStream(pic, w);
    const std::string expected = FileBytes().I32(static_cast<std::int32_t>(image.size())).I32(static_cast<int>(kind))
                                     .Raw(image).str();
    EXPECT_EQ(w.Bytes(), expected) << format;
    ByteReader r(w.Bytes());
    qm::TMxPicture back;
    qm::StreamToGraphic(back, r);
    EXPECT_EQ(back.Kind(), kind);
    EXPECT_EQ(back.Bytes(), image);
    EXPECT_EQ(r.Remaining(), 0u);
  }
}

TEST(PictureRecord, EmptyAndUnknownKinds) {
  ByteWriter w;
  qm::GraphicToStream(qm::TMxPicture(), w);
  EXPECT_EQ(Hex(w.Bytes()), "00 00 00 00");

  // An unknown kind skips its bytes and leaves the picture empty.
  const std::string bytes = FileBytes().I32(3).I32(9).Raw("xyz").Str("after").str();
  ByteReader r(bytes);
  qm::TMxPicture p;
  p.Assign(qm::PictureKind::Png, qmtest::EncodedImage("png", 2, 2));
  qm::StreamToGraphic(p, r);
  EXPECT_TRUE(p.Empty());
  EXPECT_EQ(qm::StreamToString(r), "after");

  // Bytes that do not decode are kept as they are: the document still opens.
  const std::string broken = FileBytes().I32(4).I32(2).Raw("junk").str();
  ByteReader rb(broken);
  qm::StreamToGraphic(p, rb);
  EXPECT_EQ(p.Kind(), qm::PictureKind::Png);
  EXPECT_EQ(p.Bytes(), "junk");
  EXPECT_EQ(p.Width(), 0);
}
