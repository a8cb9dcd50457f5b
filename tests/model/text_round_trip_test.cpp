// Text fields survive load, save and load byte for byte: bytes that are not CP932 text,
// the characters CP932 holds in two forms, and both next to each other.
#include <QDateTime>
#include <gtest/gtest.h>

#include "base/clock.h"
#include "base/cp932.h"
#include "model/estimate_list.h"
#include "support/bytes.h"
#include "support/edge_texts.h"

using qm::TMxEstimateObject;
using qm::TMxEstimateObjectList;
using qmtest::FileBytes;
using qmtest::EdgeStrings;
using qmtest::FileWith;
using qmtest::Hex;

namespace {

const qm::FixedClock& SavedAt() {
  static const qm::FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
  return clock;
}

// Loads `file` and saves it as the program does, with its own comment.
std::string Resaved(const std::string& file, TMxEstimateObjectList& doc) {
  qm::EstimateFileInfo info;
  doc.LoadFromBytes(file, &info);
  return doc.Serialize(info.comment, SavedAt());
}

TEST(TextRoundTrip, EveryEdgeOfTheCodePageSurvivesLoadSaveLoadByteForByte) {
  for (const auto& [what, edge, oneForm] : EdgeStrings()) {
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
  for (const auto& [what, edge, oneForm] : EdgeStrings()) {
    const std::string text = qm::cp932::Decode(edge);
    const qm::cp932::EncodeResult encoded = qm::cp932::Encode(text);
    ASSERT_TRUE(encoded.ok()) << what;
    // Text of one form only is written as those very bytes, even when typed anew.
    if (oneForm) {
      EXPECT_EQ(Hex(encoded.bytes), Hex(edge)) << what;
    }
    EXPECT_EQ(qm::cp932::Decode(encoded.bytes), text) << what << ": " << Hex(encoded.bytes);
  }
  // Typed text takes the Windows forms: IBM rows for the extension characters, JIS row 2
  // for the NEC row 13 symbols.
  EXPECT_EQ(Hex(qm::cp932::Encode(qm::cp932::Decode("\xEE\xB4\xED\x40\x87\x90\xEE\xF9")).bytes),
            Hex("\xFB\xD0\xFA\x5C\x81\xE0\x81\xCA"));
}

}  // namespace
