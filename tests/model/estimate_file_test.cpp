#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/error.h"
#include "model/estimate_list.h"
#include "support/bytes.h"
#include "support/images.h"

using qm::Currency;
using qm::TCalcDecimal;
using qm::TMxEstimateObject;
using qm::TMxEstimateObjectList;
using qmtest::FileBytes;
using qmtest::Hex;

namespace {

Currency Yen(std::int64_t v) { return Currency::FromYen(v); }

// Fields 1 to 21. `names23` writes company names 2 and 3 (versions 4 and 5).
void Header(FileBytes& f, const char* tag, bool totalClaim, bool names23, bool v2Mode = false) {
  f.Str(tag).Str("2026/12/09 10:30");
  if (v2Mode)
    f.Str(totalClaim ? "2" : "1");
  else
    f.Bool(totalClaim);
  f.Str("\x83\x52\x83\x81\x83\x93\x83\x67");  // コメント
  f.Str("\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0\x83\x41");                           // 株式会社ア
  if (names23) f.Str("name2").Str("name3");
  f.Bool(false).Str("1500").Str("75");
  f.Str("C001").Str("S-9").Str("\x97\xDF\x98\x61\x30\x38").Str("12").Str("09");  // 令和08
  f.Str("100-0001").Str("addr1").Str("addr2").Str("03-1111").Str("03-2222").Str("\x97\x6C");  // 様
}

void NormalHeaderTail(FileBytes& f) {
  f.Str("kouji").Bool(true).Str("place").Bool(false).Str("cond").Bool(true).Str("limit").Bool(false);
  f.Str("etc1\r\netc2").Str("memo").Bool(true).Str("1").Str("2");
}

// One normal line record with the version's optional field.
void NormalLine(FileBytes& f, const char* name, const char* num, const char* price, const char* amount,
                bool taxless, bool subTotal, bool hasSubTotalFlag, bool v2 = false) {
  f.Str("1").Str("free").Str(name).Str(num).Str("m").Str(price).Str("10").Str(amount).Str("note");
  f.I32(0);  // no picture
  if (v2)
    f.Str(taxless ? "1" : "0");
  else
    f.Bool(taxless);
  if (hasSubTotalFlag) f.Bool(subTotal);
}

std::string TempPath(const QTemporaryDir& dir, const char* name) { return dir.filePath(name).toStdString(); }

void Write(const std::string& path, const std::string& bytes) { qm::WriteFileAtomically(path, bytes); }

// A document with a bit of everything, for round trips and failure checks.
TMxEstimateObjectList SampleDocument() {
  TMxEstimateObjectList doc;
  doc.SetTaxRate(Yen(10));
  doc.CustomerInfo().SetCustomerName1("株式会社サンプル");
  doc.CustomerInfo().SetCustomerName2("工事部");
  doc.CustomerInfo().SetCustomerNameTitle("御中");
  doc.SetSlipDateStrYY("令和08");
  doc.SetKoujiNameStr("外壁塗装工事");
  doc.SetKoujiNamePrintCheck(true);
  doc.SetEtcStr("一行目\r\n二行目");
  doc.SetTaxCalcLine(true);
  doc.SetTaxDecimalMode(TCalcDecimal::cdRoundOff);
  doc.SetSubTotalDecimalMode(TCalcDecimal::cdRoundUP);
  for (int i = 0; i < 5; ++i) {
    auto line = std::make_unique<TMxEstimateObject>();
    line->SetName("足場 " + std::to_string(i));
    line->SetNum(Currency::FromRaw(25000 + i));
    line->SetPrice(Yen(1200));
    line->SetCost(Yen(800));
    line->SetItemUnit("㎡");
    line->SetClassNo(i % 3);
    line->SetFreeEdit("〜自由〜");
    line->SetTaxless(i == 2);
    line->DoCalc();
    doc.Add(std::move(line));
  }
  doc.Items(1).Pic().Assign(qm::PictureKind::Png, qmtest::EncodedImage("png", 16, 9));
  doc.Items(3).Pic().Assign(qm::PictureKind::Jpeg, qmtest::EncodedImage("jpeg", 8, 8));
  doc.Items(4).Pic().Assign(qm::PictureKind::Bmp, qmtest::EncodedImage("bmp", 3, 5));
  doc.ToSubTotalLine(4);
  doc.DoCalc();
  return doc;
}

void ExpectSameDocument(const TMxEstimateObjectList& a, const TMxEstimateObjectList& b) {
  EXPECT_EQ(a.Serialize("c", qm::FixedClock(QDateTime(QDate(2026, 1, 2), QTime(3, 4)))),
            b.Serialize("c", qm::FixedClock(QDateTime(QDate(2026, 1, 2), QTime(3, 4)))));
  EXPECT_EQ(a.TaxRate(), b.TaxRate());
  EXPECT_EQ(a.TotalPrice(), b.TotalPrice());
}

}  // namespace

TEST(EstimateFileRead, Version5NormalDocumentEveryField) {
  FileBytes f;
  Header(f, "KESTRELDOC5_100", false, true);
  NormalHeaderTail(f);
  f.I32(2);
  NormalLine(f, "\x8D\xDE\x97\xBF", "2.5", "1000", "2500", true, false, true);  // 材料
  NormalLine(f, "\x81\xA1 \x8F\xAC\x8C\x76 \x81\xA1", "0", "0", "2500", false, true, true);

  TMxEstimateObjectList doc;
  qm::EstimateFileInfo info;
  doc.LoadFromBytes(f.str(), &info);
  EXPECT_EQ(info.version, "KESTRELDOC5_100");
  EXPECT_EQ(info.savedAt, "2026/12/09 10:30");
  EXPECT_EQ(info.comment, "コメント");
  EXPECT_FALSE(doc.TotalClaimMode());
  const auto& c = doc.CustomerInfo();
  EXPECT_EQ(c.CustomerName1(), "株式会社ア");
  EXPECT_EQ(c.CustomerName2(), "name2");
  EXPECT_EQ(c.CustomerName3(), "name3");
  EXPECT_EQ(c.CustomerCode(), "C001");
  EXPECT_EQ(c.ZipNo(), "100-0001");
  EXPECT_EQ(c.Address1(), "addr1");
  EXPECT_EQ(c.Address2(), "addr2");
  EXPECT_EQ(c.TelNo(), "03-1111");
  EXPECT_EQ(c.FaxNo(), "03-2222");
  EXPECT_EQ(c.CustomerNameTitle(), "様");
  EXPECT_EQ(doc.SubTotalPrice(), Yen(1500));
  EXPECT_EQ(doc.TotalTax(), Yen(75));
  EXPECT_EQ(doc.SlipCodeStr(), "S-9");
  EXPECT_EQ(doc.SlipDateStrYY(), "令和08");
  EXPECT_EQ(doc.SlipDateStrMM(), "12");
  EXPECT_EQ(doc.SlipDateStrDD(), "09");
  EXPECT_EQ(doc.KoujiNameStr(), "kouji");
  EXPECT_TRUE(doc.KoujiNamePrintCheck());
  EXPECT_EQ(doc.DeliveryPlaceStr(), "place");
  EXPECT_FALSE(doc.DeliveryPlacePrintCheck());
  EXPECT_EQ(doc.PayConditionStr(), "cond");
  EXPECT_TRUE(doc.PayConditionPrintCheck());
  EXPECT_EQ(doc.SlipLimitStr(), "limit");
  EXPECT_FALSE(doc.SlipLimitPrintCheck());
  EXPECT_EQ(doc.EtcStr(), "etc1\r\netc2");
  EXPECT_EQ(doc.MemoStr(), "memo");
  EXPECT_TRUE(doc.TaxCalcLine());
  EXPECT_EQ(doc.TaxDecimalMode(), TCalcDecimal::cdRoundUP);       // "1"
  EXPECT_EQ(doc.SubTotalDecimalMode(), TCalcDecimal::cdRoundOff);  // "2"
  ASSERT_EQ(doc.Count(), 2);
  const TMxEstimateObject& l = doc.Items(0);
  EXPECT_EQ(l.ClassNo(), 1);
  EXPECT_EQ(l.FreeEdit(), "free");
  EXPECT_EQ(l.Name(), "材料");
  EXPECT_EQ(l.Num(), Currency::FromRaw(25000));
  EXPECT_EQ(l.ItemUnit(), "m");
  EXPECT_EQ(l.Price(), Yen(1000));
  EXPECT_EQ(l.Cost(), Yen(10));
  EXPECT_EQ(l.TotalPrice(), Yen(2500));
  EXPECT_EQ(l.Note(), "note");
  EXPECT_TRUE(l.Taxless());
  EXPECT_FALSE(l.SubTotalLineFlg());
  EXPECT_TRUE(l.Pic().Empty());
  EXPECT_TRUE(doc.Items(1).SubTotalLineFlg());
  EXPECT_EQ(doc.Items(1).Name(), "■ 小計 ■");
}

TEST(EstimateFileRead, LineCountsPerVersion) {
  struct Case {
    const char* tag;
    int lines;
    int expected;
  } cases[] = {
      {"KESTRELDOC5_100", 37, 37}, {"KESTRELDOC4_100", 37, 37}, {"KESTRELDOC3_100", 37, 100},
      {"KESTRELDOC3_100", 130, 130}, {"SOMETHING_ELSE", 37, 37},  // unknown: version 3 rules, no fill-up
  };
  for (const auto& c : cases) {
    const std::string tag = c.tag;
    const bool v45 = tag == "KESTRELDOC5_100" || tag == "KESTRELDOC4_100";
    FileBytes f;
    Header(f, c.tag, false, v45);
    NormalHeaderTail(f);
    f.I32(c.lines);
    for (int i = 0; i < c.lines; ++i) NormalLine(f, "x", "1", "2", "2", false, false, v45);
    TMxEstimateObjectList doc;
    doc.CustomerInfo().SetCustomerName2("kept");
    doc.LoadFromBytes(f.str());
    EXPECT_EQ(doc.Count(), c.expected) << c.tag;
    EXPECT_EQ(doc.Items(c.lines - 1).Name(), "x");
    if (c.expected > c.lines) {
      EXPECT_TRUE(doc.Items(c.expected - 1).Uninput());
    }
    // Versions without names 2 and 3 leave what the document had.
    EXPECT_EQ(doc.CustomerInfo().CustomerName2(), v45 ? "name2" : "kept") << c.tag;
    for (int i = 0; i < doc.Count(); ++i) EXPECT_FALSE(doc.Items(i).SubTotalLineFlg());
  }
}

TEST(EstimateFileRead, Version2HasNoLineCountAndOldFlags) {
  FileBytes f;
  Header(f, "KESTRELDOC2_100", false, false, /*v2Mode=*/true);
  NormalHeaderTail(f);
  for (int i = 0; i < 100; ++i) NormalLine(f, "v2", "1", "5", "5", i % 2 == 0, false, false, /*v2=*/true);
  TMxEstimateObjectList doc;
  doc.LoadFromBytes(f.str());
  ASSERT_EQ(doc.Count(), 100);
  EXPECT_FALSE(doc.TotalClaimMode());
  EXPECT_TRUE(doc.Items(0).Taxless());   // "1"
  EXPECT_FALSE(doc.Items(1).Taxless());  // "0"

  FileBytes t;
  Header(t, "KESTRELDOC2_100", true, false, /*v2Mode=*/true);
  t.Str("etc").Str("memo");
  for (int i = 0; i < 100; ++i) t.Str("item").Str(i < 2 ? "1000" : "0").Str("ignored");
  TMxEstimateObjectList claim;
  claim.LoadFromBytes(t.str());
  EXPECT_TRUE(claim.TotalClaimMode());
  ASSERT_EQ(claim.Count(), 100);
  EXPECT_EQ(claim.Items(0).Note(), "");
  EXPECT_EQ(claim.TotalPrice(), Yen(1575));  // the stored subtotal and tax
}

TEST(EstimateFileRead, TotalClaimDocumentTotalsItsStoredSubtotalAndTax) {
  FileBytes f;
  Header(f, "KESTRELDOC5_100", true, true);
  f.Str("etc").Str("memo").I32(3);
  f.Str("A").Str("1000").Str("r1").Bool(false).Bool(false);
  f.Str("\x81\xA1 \x8F\xAC\x8C\x76 \x81\xA1").Str("1000").Str("").Bool(false).Bool(true);
  f.Str("B").Str("500").Str("r2").Str("True").Bool(false);
  TMxEstimateObjectList doc;
  doc.SetKoujiNameStr("untouched");
  doc.SetTaxCalcLine(true);
  doc.SetTaxInputModeIncludeTax(true);
  doc.LoadFromBytes(f.str());
  EXPECT_TRUE(doc.TotalClaimMode());
  // Not the 1,500 of the lines: a per-line bill's lines leave out the tax that creation
  // added, so the grand total is the stored subtotal and tax, read tax-exclusive.
  EXPECT_EQ(doc.TotalPrice(), Yen(1575));
  EXPECT_FALSE(doc.TaxInputModeIncludeTax());
  EXPECT_EQ(doc.SubTotalPrice(), Yen(1500));  // field 9 as stored
  EXPECT_EQ(doc.Items(2).Note(), "r2");
  EXPECT_TRUE(doc.Items(2).Taxless());
  EXPECT_EQ(doc.EtcStr(), "etc");
  // A total-claim file does not carry these; they keep what the document held.
  EXPECT_EQ(doc.KoujiNameStr(), "untouched");
  EXPECT_TRUE(doc.TaxCalcLine());
  // Recalculation leaves a total-claim document alone.
  doc.SetTaxRate(Yen(10));
  doc.DoCalc();
  doc.DoCalc();
  EXPECT_EQ(doc.TotalPrice(), Yen(1575));
  EXPECT_EQ(doc.TotalTax(), Yen(75));
}

TEST(EstimateFileWrite, Version5BytesExactly) {
  TMxEstimateObjectList doc;
  doc.CustomerInfo().SetCustomerName1("株式会社ア");
  doc.CustomerInfo().SetCustomerNameTitle("様");
  doc.SetSubTotalPrice(Currency::FromRaw(7615000));
  doc.SetTotalTax(Yen(38));
  doc.SetTaxDecimalMode(TCalcDecimal::cdRoundOff);
  auto line = std::make_unique<TMxEstimateObject>();
  line->SetName("材料");
  line->SetNum(Currency::FromRaw(25000));
  line->SetPrice(Yen(1000));
  line->SetTotalPrice(Yen(2500));
  line->SetTaxless(true);
  const std::string png = qmtest::EncodedImage("png", 4, 4);
  line->Pic().Assign(qm::PictureKind::Png, png);
  doc.Add(std::move(line));
  doc.Add(std::make_unique<TMxEstimateObject>());
  doc.ToSubTotalLine(1);

  const std::string bytes = doc.Serialize("見積", qm::FixedClock(QDateTime(QDate(2026, 12, 9), QTime(7, 5))));
  FileBytes e;
  e.Str("KESTRELDOC5_100").Str("2026/12/09 07:05").Bool(false).Str("\x8C\xA9\x90\xCF");
  e.Str("\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0\x83\x41").Str("").Str("").Bool(false).Str("761.5").Str("38");
  for (int i = 0; i < 10; ++i) e.Str("");
  e.Str("\x97\x6C");
  e.Str("").Bool(false).Str("").Bool(false).Str("").Bool(false).Str("").Bool(false).Str("").Str("");
  e.Bool(false).Str("2").Str("0");
  e.I32(2);
  e.Str("0").Str("").Str("\x8D\xDE\x97\xBF").Str("2.5").Str("").Str("1000").Str("0").Str("2500").Str("");
  e.I32(static_cast<std::int32_t>(png.size())).I32(2).Raw(png).Bool(true).Bool(false);
  e.Str("0").Str("").Str("\x81\xA1 \x8F\xAC\x8C\x76 \x81\xA1").Str("0").Str("").Str("0").Str("0").Str("0").Str("");
  e.I32(0).Bool(false).Bool(true);
  EXPECT_EQ(Hex(bytes), Hex(e.str()));

  doc.SetTotalClaimMode(true);
  const std::string claim = doc.Serialize("", qm::FixedClock(QDateTime(QDate(2026, 12, 9), QTime(7, 5))));
  FileBytes t;
  t.Str("KESTRELDOC5_100").Str("2026/12/09 07:05").Bool(true).Str("");
  t.Str("\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0\x83\x41").Str("").Str("").Bool(false).Str("761.5").Str("38");
  for (int i = 0; i < 10; ++i) t.Str("");
  t.Str("\x97\x6C").Str("").Str("").I32(2);
  t.Str("\x8D\xDE\x97\xBF").Str("2500").Str("").Bool(true).Bool(false);
  t.Str("\x81\xA1 \x8F\xAC\x8C\x76 \x81\xA1").Str("0").Str("").Bool(false).Bool(true);
  EXPECT_EQ(Hex(claim), Hex(t.str()));
}

TEST(EstimateFileWrite, RoundTripKeepsEveryFieldAndPicture) {
  QTemporaryDir dir;
  const std::string path = TempPath(dir, "sample.QM1");
  const TMxEstimateObjectList doc = SampleDocument();
  doc.SaveFile(path, "テスト");
  TMxEstimateObjectList back;
  back.SetTaxRate(Yen(10));
  qm::EstimateFileInfo info;
  back.LoadFile(path, &info);
  back.DoCalc();
  ExpectSameDocument(doc, back);
  EXPECT_EQ(info.comment, "テスト");
  EXPECT_EQ(info.version, "KESTRELDOC5_100");
  EXPECT_EQ(back.Items(1).Pic().Kind(), qm::PictureKind::Png);
  EXPECT_EQ(back.Items(1).Pic().Bytes(), doc.Items(1).Pic().Bytes());
  EXPECT_EQ(back.Items(3).Pic().Kind(), qm::PictureKind::Jpeg);
  EXPECT_EQ(back.Items(4).Pic().Kind(), qm::PictureKind::Bmp);
  EXPECT_EQ(back.Items(4).Pic().Width(), 3);
  EXPECT_EQ(back.Items(0).FreeEdit(), "～自由～");  // stored as the Windows code page stores it
}

TEST(EstimateFileWrite, AllLinesAreWrittenEmptyOnesIncluded) {
  TMxEstimateObjectList doc;
  for (int i = 0; i < 130; ++i) doc.Add(std::make_unique<TMxEstimateObject>());
  doc.Items(129).SetName("last");
  TMxEstimateObjectList back;
  back.LoadFromBytes(doc.Serialize(""));
  ASSERT_EQ(back.Count(), 130);
  EXPECT_EQ(back.Items(129).Name(), "last");
}

TEST(EstimateFileWrite, FailedSaveLeavesThePreviousFile) {
  QTemporaryDir dir;
  const std::string path = TempPath(dir, "keep.QM1");
  const TMxEstimateObjectList doc = SampleDocument();
  doc.SaveFile(path, "old");
  const std::string before = qm::ReadWholeFile(path);

  TMxEstimateObjectList bad = SampleDocument();
  bad.Items(4).SetNote("絵文字😀");  // cannot be stored: the save must fail as a whole
  try {
    bad.SaveFile(path, "new");
    FAIL() << "saved a character the file cannot hold";
  } catch (const qm::Error& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
  }
  EXPECT_EQ(qm::ReadWholeFile(path), before);

  // A target that cannot be replaced (a folder of that name) is an error, too.
  QDir(dir.path()).mkdir("folder.QM1");
  EXPECT_THROW(doc.SaveFile(TempPath(dir, "folder.QM1"), ""), qm::Error);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.QM1"});
}

TEST(EstimateFileFailure, EveryTruncationFailsAndLeavesTheDocumentAsItWas) {
  const std::string full = SampleDocument().Serialize("truncate me");
  TMxEstimateObjectList doc = SampleDocument();
  const std::string reference = doc.Serialize("x");
  for (std::size_t cut = 0; cut < full.size(); ++cut) {
    try {
      doc.LoadFromBytes(std::string_view(full).substr(0, cut));
      ADD_FAILURE() << "a file cut at " << cut << " loaded";
    } catch (const qm::Error&) {
    }
    if (cut % 97 == 0 || cut + 1 == full.size()) {
      ASSERT_EQ(doc.Serialize("x"), reference) << cut;
    }
  }
  EXPECT_EQ(doc.Serialize("x"), reference);
}

TEST(EstimateFileFailure, AbsurdCountsAndFieldsAreErrors) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const auto withCount = [](std::int32_t n) {
    FileBytes f;
    Header(f, "KESTRELDOC5_100", false, true);
    NormalHeaderTail(f);
    f.I32(n);
    NormalLine(f, "x", "1", "1", "1", false, false, true);
    return f.str();
  };
  const auto withLine = [](const char* num) {
    FileBytes f;
    Header(f, "KESTRELDOC5_100", false, true);
    NormalHeaderTail(f);
    f.I32(1);
    NormalLine(f, "x", num, "1", "1", false, false, true);
    return f.str();
  };
  FileBytes longName;
  longName.Str("KESTRELDOC5_100").I32(0x7FFFFFFF);
  FileBytes badBool;
  badBool.Str("KESTRELDOC5_100").Str("").Str("maybe");
  const Case cases[] = {
      {"huge line count", withCount(0x7FFFFFFF)},
      {"negative line count", withCount(-1)},
      {"line count beyond the data", withCount(2)},
      {"quantity that is not a number", withLine("1,5")},
      {"length prefix beyond the file", longName.str()},
      {"boolean that is not one", badBool.str()},
      {"empty file", ""},
  };
  for (const auto& c : cases) {
    TMxEstimateObjectList doc;
    doc.Add(std::make_unique<TMxEstimateObject>());
    doc.Items(0).SetName("before");
    EXPECT_THROW(doc.LoadFromBytes(c.bytes), qm::Error) << c.what;
    ASSERT_EQ(doc.Count(), 1) << c.what;
    EXPECT_EQ(doc.Items(0).Name(), "before") << c.what;
  }
}

TEST(EstimateFileFailure, LoadFileNamesTheFileAndKeepsTheDocument) {
  QTemporaryDir dir;
  const std::string path = TempPath(dir, "broken.QM1");
  Write(path, SampleDocument().Serialize("").substr(0, 200));
  TMxEstimateObjectList doc = SampleDocument();
  const std::string before = doc.Serialize("");
  try {
    doc.LoadFile(path);
    FAIL() << "loaded a truncated file";
  } catch (const qm::Error& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
  EXPECT_EQ(doc.Serialize(""), before);
  EXPECT_THROW(doc.LoadFile(TempPath(dir, "missing.QM1")), qm::Error);
  EXPECT_EQ(doc.Serialize(""), before);
}

TEST(EstimateFileRead, PicturesOfEveryKindFromAVersion4File) {
  struct Pic {
    const char* format;
    int kind;
    int w, h;
  } pics[] = {{"bmp", 1, 5, 4}, {"png", 2, 7, 3}, {"jpeg", 3, 9, 6}};
  FileBytes f;
  Header(f, "KESTRELDOC4_100", false, true);
  NormalHeaderTail(f);
  f.I32(4);
  std::vector<std::string> images;
  for (const Pic& p : pics) {
    images.push_back(qmtest::EncodedImage(p.format, p.w, p.h));
    f.Str("0").Str("").Str(p.format).Str("0").Str("").Str("0").Str("0").Str("0").Str("");
    f.I32(static_cast<std::int32_t>(images.back().size())).I32(p.kind).Raw(images.back());
    f.Bool(false).Bool(false);
  }
  NormalLine(f, "no picture", "1", "1", "1", false, false, true);
  TMxEstimateObjectList doc;
  doc.LoadFromBytes(f.str());
  ASSERT_EQ(doc.Count(), 4);
  for (int i = 0; i < 3; ++i) {
    const qm::TMxPicture& pic = doc.Items(i).Pic();
    EXPECT_EQ(static_cast<int>(pic.Kind()), pics[i].kind) << pics[i].format;
    EXPECT_EQ(pic.Bytes(), images[static_cast<std::size_t>(i)]) << pics[i].format;
    EXPECT_EQ(pic.Width(), pics[i].w) << pics[i].format;
    EXPECT_EQ(pic.Height(), pics[i].h) << pics[i].format;
  }
  EXPECT_TRUE(doc.Items(3).Pic().Empty());
  // Written back in the format they came in, byte for byte.
  TMxEstimateObjectList back;
  back.LoadFromBytes(doc.Serialize(""));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(back.Items(i).Pic().Bytes(), images[static_cast<std::size_t>(i)]);
}
