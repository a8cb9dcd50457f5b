// Text fields survive load, save and load byte for byte: bytes that are not CP932 text,
// the characters CP932 holds in two forms, and both next to each other.
#include <QDateTime>
#include <gtest/gtest.h>

#include "base/clock.h"
#include "base/cp932.h"
#include "model/estimate_list.h"
#include "support/bytes.h"

using qm::TMxEstimateObject;
using qm::TMxEstimateObjectList;
using qmtest::FileBytes;
using qmtest::Hex;

namespace {

const qm::FixedClock& SavedAt() {
  static const qm::FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
  return clock;
}

// A version 5 file in the writer's own layout whose text fields hold `a`, `b` and `c`
// (raw bytes) in the header, the customer block and a line; every other field is what
// the writer writes for it.
std::string FileWith(const std::string& a, const std::string& b, const std::string& c) {
  FileBytes f;
  f.Str("KESTRELDOC5_100").Str("2026/12/09 10:30").Bool(false).Str(c);  // comment
  f.Str(a).Str(b).Str(c);                                                  // names 1–3
  f.Bool(false).Str("0").Str("0");                                         // tax input, subtotal, tax
  f.Str(b).Str(c).Str(a).Str("").Str("");                                  // code, slip code, YY, MM, DD
  f.Str(c).Str(a).Str(b).Str("").Str("").Str(a);                           // zip, address 1–2, tel, fax, title
  f.Str(b).Bool(false).Str(a).Bool(false).Str("").Bool(false).Str(c).Bool(false);
  f.Str(a).Str(b).Bool(false).Str("0").Str("0");                           // remarks, memo, rules
  f.I32(2);
  for (const std::string* name : {&a, &c}) {
    f.Str("0").Str(b).Str(*name).Str("0").Str(c).Str("0").Str("0").Str("0").Str(a);
    f.I32(0).Bool(false).Bool(false);
  }
  return f.str();
}

// Loads `file` and saves it as the program does, with its own comment.
std::string Resaved(const std::string& file, TMxEstimateObjectList& doc) {
  qm::EstimateFileInfo info;
  doc.LoadFromBytes(file, &info);
  return doc.Serialize(info.comment, SavedAt());
}

// Byte strings at the edges of the code page.
std::vector<std::pair<std::string, std::string>> EdgeStrings() {
  std::vector<std::pair<std::string, std::string>> edges = {
      {"the finding: a stand-in before an NEC-selected IBM character", "\xEE\xEE\xB4"},
      {"NEC-selected IBM rows ED and EE", "\xED\x40\xED\x9E\xEE\xB4\xEE\xEC\xEE\xEF\xEE\xF9\xEE\xFC"},
      {"IBM rows FA to FC", "\xFA\x40\xFA\x54\xFA\x5B\xFB\xD0\xFC\x4B"},
      {"NEC row 13 duplicates of JIS row 2", "\x87\x90\x87\x91\x87\x92\x87\x95\x87\x96\x87\x97\x87\x9A\x87\x9B\x87\x9C"},
      {"their JIS row 2 forms", "\x81\xE0\x81\xDF\x81\xE7\x81\xE3\x81\xDB\x81\xDA\x81\xE6\x81\xBF\x81\xBE"},
      {"single bytes that are no text", std::string("\x80\xA0\xFD\xFE\xFF", 5)},
      {"a lead byte at the end", "abc\x81"},
      {"a lead byte before a byte that is no trail", "\x81\x20\x9F\x7F"},
      {"an unmapped pair", "\x85\x40\xEB\x40"},
      {"stand-ins before two-form characters", "\xEE\xEE\xB4\xEF\xED\x40\xFC\xFC\xFA\x54\x86\x87\x90"},
      {"half-width katakana and ASCII", "\xB1\xB2 ABC-123"},
  };
  // A lone lead byte before a character of each lead-byte row and before each two-form
  // character row.
  for (unsigned lead : {0x81u, 0x88u, 0x9Fu, 0xE0u, 0xEAu, 0xEDu, 0xEEu, 0xEFu, 0xF0u, 0xF9u, 0xFAu, 0xFBu, 0xFCu}) {
    std::string s;
    s.push_back(static_cast<char>(lead));
    s += "\xEE\xB4";  // pairs with nothing as EE, with FB after most of these leads
    s.push_back(static_cast<char>(lead));
    s += "\xED\x40";
    s.push_back(static_cast<char>(lead));
    s += "\x87\x90";
    edges.push_back({"lone lead byte " + Hex(std::string(1, static_cast<char>(lead))), s});
  }
  return edges;
}

TEST(TextRoundTrip, EveryEdgeOfTheCodePageSurvivesLoadSaveLoadByteForByte) {
  for (const auto& [what, edge] : EdgeStrings()) {
    SCOPED_TRACE(what);
    const std::string file = FileWith(edge, "\x8C\xA9\x90\xCF", edge + edge);  // 見積
    TMxEstimateObjectList doc;
    const std::string saved = Resaved(file, doc);
    EXPECT_EQ(Hex(saved), Hex(file));
    // And again from the saved file.
    TMxEstimateObjectList again;
    EXPECT_EQ(Hex(Resaved(saved, again)), Hex(file));
    EXPECT_EQ(again.Items(0).Name(), qm::cp932::Decode(edge));
  }
}

TEST(TextRoundTrip, TheSameTextInBothFormsKeepsEachFieldsForm) {
  // 纊 as NEC-selected (ED 40) and as IBM (FA 5C); ¬ in JIS row 2, the NEC-selected row
  // and the IBM row.
  const std::string nec = "\xED\x40\x81\xCA", ibm = "\xFA\x5C\xFA\x54", jis = "\xFA\x5C\xEE\xF9";
  ASSERT_EQ(qm::cp932::Decode(nec).substr(0, 3), qm::cp932::Decode(ibm).substr(0, 3));
  const std::string file = FileWith(nec, ibm, jis);
  TMxEstimateObjectList doc;
  EXPECT_EQ(Hex(Resaved(file, doc)), Hex(file));
}

TEST(TextRoundTrip, FieldsTheUserChangesAreWrittenAsTheCodePageWritesThem) {
  const std::string file = FileWith("\xEE\xB4", "\xEE\xEE\xB4", "\x87\x90");
  TMxEstimateObjectList doc;
  qm::EstimateFileInfo info;
  doc.LoadFromBytes(file, &info);
  const std::string read = doc.Items(0).Name();  // 鋗 read from its NEC-selected form
  // Typed anew into another field: the Windows form (IBM row, FB D0).
  doc.Items(1).SetName(read);
  // A field edited and set back keeps its bytes; one changed gets the code page's form.
  doc.SetKoujiNameStr("x");
  doc.SetKoujiNameStr(read + "");
  doc.CustomerInfo().SetCustomerName1(read + "様");
  // Lines inserted above do not lose the bytes of the lines below.
  doc.Insert(0, std::make_unique<TMxEstimateObject>());
  const std::string saved = doc.Serialize(info.comment, SavedAt());
  TMxEstimateObjectList again;
  again.LoadFromBytes(saved);
  EXPECT_EQ(again.Items(1).Name(), read);
  EXPECT_EQ(again.Items(2).Name(), read);
  EXPECT_EQ(again.CustomerInfo().CustomerName1(), read + "様");
  // The bytes: the unchanged line 1 name as read, the typed one as Windows writes it.
  EXPECT_NE(saved.find(std::string("\x02\x00\x00\x00\xEE\xB4", 6)), std::string::npos);
  EXPECT_NE(saved.find(std::string("\x02\x00\x00\x00\xFB\xD0", 6)), std::string::npos);
  EXPECT_NE(saved.find(std::string("\x04\x00\x00\x00\xFB\xD0\x97\x6C", 8)), std::string::npos);
}

TEST(TextRoundTrip, EncodingEveryDecodedTextReadsBackAsTheSameText) {
  // Without the bytes kept, the code page's form must still read back as the same text:
  // after a stand-in for a lead byte, a two-form character takes the form that does not
  // pair with it.
  for (const auto& [what, edge] : EdgeStrings()) {
    const std::string text = qm::cp932::Decode(edge);
    const qm::cp932::EncodeResult encoded = qm::cp932::Encode(text);
    ASSERT_TRUE(encoded.ok()) << what;
    EXPECT_EQ(qm::cp932::Decode(encoded.bytes), text) << what << ": " << Hex(encoded.bytes);
  }
  // Typed text takes the Windows forms: IBM rows for the extension characters, JIS row 2
  // for the NEC row 13 symbols.
  EXPECT_EQ(Hex(qm::cp932::Encode(qm::cp932::Decode("\xEE\xB4\xED\x40\x87\x90\xEE\xF9")).bytes),
            Hex("\xFB\xD0\xFA\x5C\x81\xE0\x81\xCA"));
}

}  // namespace
