// Every PDF the program writes, in the embedded-font form it writes by default, opened in
// the readers its users' customers use: poppler, MuPDF and Ghostscript draw each page
// alike (their black ink compared pixel by pixel, one pixel of tolerance), extract
// exactly the text that was written, find every font embedded with a Unicode map and
// every shown character with a glyph; pictures and seals look right in all three.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "pdf/chart_pdf.h"
#include "pdf/slip_pdf.h"
#include "print/slip_options.h"
#include "support/images.h"
#include "support/pdf_readers.h"
#include "support/pdf_tools.h"

namespace qm::pdf {
namespace {

using qmtest::Reader;

constexpr int kDpi = 144;

// Texts that readers have mangled: ASCII blanks, a minus sign, a registration number,
// half-width katakana, the NEC row 13 and the IBM rows.
constexpr const char* kSpacedName = "足場 組立 A-1";
constexpr const char* kKatakanaName = "ｶﾞｲﾍｷ ﾄｿｳ";
constexpr const char* kNecIbmName = "①㈱㍻ 髙﨑ⅰ纊";
constexpr const char* kRegistration = "登録番号 T1234567890123";
constexpr const char* kCustomerCode = "C-0012";

std::string Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, 90);
  return bytes.toStdString();
}

// Four quadrants of clear colours, so each reader's drawing of it can be told apart.
QImage Quadrants(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, w / 2, h / 2, QColor(220, 20, 20));
  p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(20, 180, 20));
  p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(20, 20, 220));
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(230, 210, 20));
  return image;
}

// A red ring on white: white is the seal's transparent colour.
QImage Seal() {
  QImage image(80, 80, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setPen(QPen(QColor(255, 0, 0), 8));
  p.drawEllipse(8, 8, 64, 64);
  return image;
}

bool IsSealRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 90 && qBlue(c) < 90; }

class ReadersTest : public ::testing::Test {
 protected:
  ReadersTest() : config_(dir_.filePath("img").toStdString()), companies_(dir_.filePath("img").toStdString()) {
    QDir(dir_.path()).mkdir("img");
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    companies_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
    co.SetZipNo("150-0001");
    co.SetAddress1("東京都渋谷区神宮前1-2-3");
    co.SetCampanyName1("ベロラ工務店");
    co.SetChargeName("鈴木");
    co.SetTelFax("TEL 03-1111-2222");
    co.SetRegistNo("T1234567890123");
    co.PayBankAccount(0).SetBankName("みずほ銀行 渋谷支店");
    co.PayBankAccount(0).SetBankNo("普通 1234567");
    co.PayBankAccount(0).SetBankOwnerName("ﾍﾞﾛﾗｺｳﾑﾃﾝ");
    TMxCustomerObject& cu = doc_.CustomerInfo();
    cu.SetCustomerCode(kCustomerCode);
    cu.SetCustomerName1("山田建設株式会社");
    cu.SetCustomerNameTitle("御中");
    cu.SetZipNo("100-0001");
    cu.SetAddress1("千代田区丸の内 1-1");
    doc_.SetSlipDateStrYY("令和08");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("10");
    doc_.SetKoujiNameStr("外壁塗装 工事");
    doc_.SetTaxRate(Currency::FromYen(10));
    const struct {
      const char* name;
      int num;
      const char* unit;
      int price;
    } lines[] = {{kSpacedName, 1, "式", 105000}, {kKatakanaName, 12, "㎡", 5300}, {kNecIbmName, 2, "m3", 800},
                 {"値引き", 1, "式", -18000}};
    for (const auto& l : lines) {
      auto line = std::make_unique<TMxEstimateObject>();
      line->SetName(l.name);
      line->SetNum(Currency::FromYen(l.num));
      line->SetItemUnit(l.unit);
      line->SetPrice(Currency::FromYen(l.price));
      line->DoCalc();
      doc_.Add(std::move(line));
    }
    doc_.DoCalc();
    src_.doc = &doc_;
    src_.config = &config_;
    src_.companies = &companies_;
    src_.settings = ResolveChartSettings(TPrintMitsuOptions{}, config_, doc_);
    src_.settings.options.PrintRegistNo = true;
  }

  // The seal over the slip date (drawn before the seal), white as its transparent colour.
  void UseSeal() {
    TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
    co.CampanyStampImage().Assign(PictureKind::Bmp, Encoded(Seal(), "BMP"));
    co.SetChkUseCampanyStamp(true);
    co.SetChkUseCampanyStampTrans(true);
    co.SetCampanyStampTransColor("clWhite");
    co.SetCampanyStampSizeWidth_A4(18);
    co.SetCampanyStampSizeHeight_A4(18);
    co.SetCampanyStampPosDetail_X_A4(166);
    co.SetCampanyStampPosDetail_Y_A4(20);
  }

  QString Write(const PrintJob& job, const QString& name, PdfFonts fonts = PdfFonts::Embed) {
    const QString path = dir_.filePath(name);
    PdfWriteSettings settings;
    settings.fonts = fonts;
    WritePdf(base_, job, path.toStdString(), settings);
    return path;
  }

  SlipSources Slip() const {
    SlipSources s;
    s.doc = &doc_;
    s.config = &config_;
    s.companies = &companies_;
    return s;
  }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  ChartPageSources src_;
  TFormPDFBase base_;
};

// The drawings of every page of `pdf` by the three readers, which must agree.
void ExpectReadersDrawAlike(const QString& pdf, const std::string& what) {
  const int pages = qmtest::PdfPageCount(pdf);
  ASSERT_GT(pages, 0) << what;
  for (int page = 1; page <= pages; ++page) {
    const QImage poppler = qmtest::RenderPdfPage(Reader::Poppler, pdf, page, kDpi);
    ASSERT_FALSE(poppler.isNull()) << what << " page " << page;
    for (const Reader other : {Reader::MuPdf, Reader::Ghostscript}) {
      const QImage image = qmtest::RenderPdfPage(other, pdf, page, kDpi);
      ASSERT_FALSE(image.isNull()) << what << " page " << page << " " << qmtest::ReaderName(other);
      const qmtest::InkComparison c = qmtest::CompareBlackInk(poppler, image);
      ASSERT_TRUE(c.SameSize) << what;
      EXPECT_GT(c.inkA, 300) << what << " page " << page;
      EXPECT_EQ(c.onlyA, 0) << what << " page " << page << ": drawn by poppler, not by "
                                  << qmtest::ReaderName(other) << " (of " << c.inkA << " ink pixels)";
      EXPECT_EQ(c.onlyB, 0) << what << " page " << page << ": drawn by " << qmtest::ReaderName(other)
                                  << ", not by poppler (of " << c.inkB << " ink pixels)";
    }
  }
}

// Every font embedded with its Unicode map, none left to the reader.
void ExpectEveryFontEmbedded(const QString& pdf, const std::string& what) {
  const std::vector<qmtest::PdfFontRow> fonts = qmtest::ListPdfFonts(pdf);
  EXPECT_FALSE(fonts.empty()) << what;
  for (const qmtest::PdfFontRow& f : fonts) {
    EXPECT_TRUE(f.embedded && f.subset && f.unicode) << what << ": " << f.name;
    EXPECT_EQ(f.type, "CID TrueType") << what << ": " << f.name;
    EXPECT_EQ(f.name.find("IPAGothic"), 7u) << what << ": " << f.name;  // "ABCDEF+IPAGothic"
  }
}

std::vector<int> References(const std::string& qdf, const char* key) {
  std::vector<int> numbers;
  const QRegularExpression re(QString("/%1 (\\d+) 0 R").arg(key));
  for (auto it = re.globalMatch(QString::fromStdString(qdf)); it.hasNext();) {
    const int n = it.next().captured(1).toInt();
    if (std::find(numbers.begin(), numbers.end(), n) == numbers.end()) numbers.push_back(n);
  }
  return numbers;
}

// No box: every character code the file maps to Unicode has a glyph of its own.
void ExpectEveryShownCodeHasAGlyph(const QString& pdf, const std::string& what) {
  const QString copy = qmtest::QdfCopy(pdf);
  const std::string qdf = qmtest::ReadFileBytes(copy);
  const std::vector<int> maps = References(qdf, "CIDToGIDMap");
  const std::vector<int> toUnicode = References(qdf, "ToUnicode");
  ASSERT_EQ(maps.size(), 1u) << what << ": one subset of the page font per file";
  ASSERT_EQ(toUnicode.size(), 1u) << what;
  const std::string map = qmtest::DecodedStream(copy, maps[0]);
  const std::string cmap = qmtest::DecodedStream(copy, toUnicode[0]);
  const QRegularExpression entry("<([0-9A-F]{2,4})> <([0-9A-F]{4})>");
  const QString mappings = QString::fromStdString(cmap.substr(std::min(cmap.size(), cmap.find("endcodespacerange"))));
  int codes = 0;
  for (auto it = entry.globalMatch(mappings); it.hasNext();) {
    const auto m = it.next();
    const int code = m.captured(1).toInt(nullptr, 16);
    const std::size_t at = static_cast<std::size_t>(code) * 2;
    const int glyph = at + 1 < map.size() ? static_cast<unsigned char>(map[at]) << 8 | static_cast<unsigned char>(map[at + 1]) : 0;
    EXPECT_NE(glyph, 0) << what << ": code " << m.captured(1).toStdString() << " (U+" << m.captured(2).toStdString()
                        << ") has no glyph";
    ++codes;
  }
  EXPECT_GT(codes, 20) << what;
}

void ExpectTexts(const QString& pdf, const std::vector<std::string>& texts, const std::string& what) {
  for (const Reader r : qmtest::kReaders) {
    const QString text = qmtest::ExtractPdfText(r, pdf);
    EXPECT_FALSE(text.contains(QChar(0xFFFD))) << what << " " << qmtest::ReaderName(r);
    for (const std::string& want : texts)
      EXPECT_TRUE(text.contains(QString::fromStdString(want)))
          << what << ": " << qmtest::ReaderName(r) << " does not read \"" << want << "\" in\n"
          << text.toStdString();
  }
}

void ExpectTheEmbeddedForm(const QString& pdf, const std::string& what) {
  qmtest::ExpectValidPdf(pdf);
  EXPECT_EQ(qmtest::ReadFileBytes(pdf).rfind("%PDF-1.3 \r\n", 0), 0u) << what;
  ExpectEveryFontEmbedded(pdf, what);
  ExpectEveryShownCodeHasAGlyph(pdf, what);
  ExpectReadersDrawAlike(pdf, what);
}

const TChartType kEstimateKinds[] = {TChartType::tcMitumori,     TChartType::tcTankaMitumori, TChartType::tcNouhin,
                                     TChartType::tcSeikyu,       TChartType::tcJyuryou,       TChartType::tcSeikyuMeisai,
                                     TChartType::tcKoujiUtiwake};

}  // namespace

TEST_F(ReadersTest, EveryEstimateKindInBothOrientations) {
  for (const TChartType kind : kEstimateKinds)
    for (const bool landscape : {false, true}) {
      src_.settings.options.PrintDirection = landscape;
      const std::string what = std::string(KindOf(kind).cliName) + (landscape ? " landscape" : " portrait");
      const QString pdf = Write(PrintJob::Chart(src_, kind), QString::fromStdString(what + ".pdf"));
      ExpectTheEmbeddedForm(pdf, what);
      std::vector<std::string> texts = {kSpacedName, kKatakanaName, kNecIbmName, "-18,000", "ベロラ工務店"};
      if (kind == TChartType::tcSeikyu || kind == TChartType::tcSeikyuMeisai || kind == TChartType::tcNouhin)
        texts.push_back(kRegistration);
      ExpectTexts(pdf, texts, what);
    }
}

TEST_F(ReadersTest, TheSheetsAndTheLists) {
  TPrintReceiptOptions receipt;
  receipt.ProvisoText = "工事代金 として";
  receipt.PrintRegistNo = true;
  TPrintTotalClaimOptions total;
  total.PreClaim = "100,000";
  total.PrePaid = "60,000";
  total.PrintRegistNo = true;
  CalcResult(total);
  TPrintFaxOptions fax;
  fax.Title = "御見積書 の件";
  fax.Content = "一行目 ｶﾅ\r\n二行目 -500";
  TMxItemObjectList items;
  TMxCustomerObjectList customers;
  for (int i = 1; i <= 3; ++i) {
    auto item = std::make_unique<TMxItemObject>();
    item->SetItemName(std::string(kKatakanaName) + " " + std::to_string(i));
    item->SetItemUnit("式");
    item->SetItemPrice(Currency::FromYen(-1500 * i));
    items.Add(std::move(item));
    auto c = std::make_unique<TMxCustomerObject>();
    c->SetCustomerCode("K-" + std::to_string(i));
    c->SetCustomerName1(std::string(kNecIbmName) + std::to_string(i));
    c->SetTelNo("03-1111-" + std::to_string(1000 + i));
    customers.Add(std::move(c));
  }
  ListSources lists;
  lists.doc = &doc_;
  lists.config = &config_;
  lists.items = &items;
  lists.customers = &customers;
  const struct {
    PrintJob job;
    const char* file;
    std::vector<std::string> texts;
  } sheets[] = {
      {PrintJob::Receipt(Slip(), receipt), "receipt.pdf", {"工事代金 として", kRegistration, "ベロラ工務店"}},
      {PrintJob::TotalClaim(Slip(), total), "total.pdf", {"100,000", "60,000", kRegistration, kCustomerCode}},
      {PrintJob::FaxSender(Slip(), fax), "fax.pdf", {"要件：御見積書 の件", "一行目 ｶﾅ", "二行目 -500"}},
      {PrintJob::ItemList(lists, TPrintListOptions{}), "items.pdf", {std::string(kKatakanaName) + " 2", "-3,000"}},
      {PrintJob::CustomerList(lists, TPrintListOptions{}), "customers.pdf", {std::string(kNecIbmName) + "3", "K-2"}},
  };
  for (const auto& sheet : sheets) {
    const QString pdf = Write(sheet.job, sheet.file);
    ExpectTheEmbeddedForm(pdf, sheet.file);
    ExpectTexts(pdf, sheet.texts, sheet.file);
  }
}

TEST_F(ReadersTest, JpegPhotosGoInAsTheyAreAndPngPicturesLookTheSameEverywhere) {
  const std::string jpeg = Encoded(Quadrants(400, 300), "JPEG");
  const std::string grey = Encoded(Quadrants(200, 200).convertToFormat(QImage::Format_Grayscale8), "JPEG");
  const std::string png = Encoded(Quadrants(300, 200), "PNG");
  doc_.Items(0).Pic().Assign(PictureKind::Jpeg, jpeg);
  doc_.Items(1).Pic().Assign(PictureKind::Png, png);
  doc_.Items(2).Pic().Assign(PictureKind::Jpeg, grey);
  src_.settings.options.PrintPic = true;
  const QString pdf = Write(PrintJob::Chart(src_, TChartType::tcMitumori), "photos.pdf");
  ExpectTheEmbeddedForm(pdf, "photos");
  ASSERT_EQ(qmtest::PdfPageCount(pdf), 3);  // the item page and two picture pages

  // The JPEG files are in the PDF byte for byte.
  const std::string bytes = qmtest::ReadFileBytes(pdf);
  EXPECT_NE(bytes.find(jpeg), std::string::npos);
  EXPECT_NE(bytes.find(grey), std::string::npos);
  const QString list = qmtest::RunTool("pdfimages", {"-list", pdf}).out;
  EXPECT_EQ(list.count(QRegularExpression(" jpeg ")), 2) << list.toStdString();
  EXPECT_TRUE(list.contains(QRegularExpression("image\\s+300\\s+200\\s+rgb\\s+3\\s+8\\s+image"))) << list.toStdString();
  EXPECT_TRUE(list.contains(QRegularExpression("image\\s+200\\s+200\\s+gray\\s+1\\s+8\\s+jpeg"))) << list.toStdString();

  // The colours of the PNG picture (page 2, the second picture) come out alike.
  std::vector<std::array<int, 4>> counts;
  for (const Reader r : qmtest::kReaders) {
    const QImage page = qmtest::RenderPdfPage(r, pdf, 2, kDpi);
    std::array<int, 4> n{};
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) {
        const QRgb c = page.pixel(x, y);
        const auto near = [&](int r0, int g0, int b0) {
          return std::abs(qRed(c) - r0) < 30 && std::abs(qGreen(c) - g0) < 30 && std::abs(qBlue(c) - b0) < 30;
        };
        if (near(220, 20, 20)) ++n[0];
        if (near(20, 180, 20)) ++n[1];
        if (near(20, 20, 220)) ++n[2];
        if (near(230, 210, 20)) ++n[3];
      }
    counts.push_back(n);
  }
  for (int q = 0; q < 4; ++q) {
    EXPECT_GT(counts[0][q], 2000) << "quadrant " << q;
    for (std::size_t r = 1; r < counts.size(); ++r)
      EXPECT_NEAR(counts[r][q], counts[0][q], counts[0][q] / 20) << "quadrant " << q << " reader " << r;
  }
}

TEST_F(ReadersTest, ASealWithATransparentColourShowsWhatLiesUnderIt) {
  UseSeal();
  const QString embedded = Write(PrintJob::Chart(src_, TChartType::tcSeikyu), "seal.pdf");
  const QString system = Write(PrintJob::Chart(src_, TChartType::tcSeikyu), "seal-system.pdf", PdfFonts::System);
  ExpectTheEmbeddedForm(embedded, "seal");
  // The ring's box and the black ink inside it, in each drawing.
  const auto inkUnderTheSeal = [](const QImage& page, int* red) {
    QRect box;
    *red = 0;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x)
        if (IsSealRed(page.pixel(x, y))) {
          box |= QRect(x, y, 1, 1);
          ++*red;
        }
    int ink = 0;
    for (int y = box.top() + 8; y < box.bottom() - 8; ++y)
      for (int x = box.left() + 8; x < box.right() - 8; ++x) ink += qmtest::IsBlackInk(page.pixel(x, y));
    return ink;
  };
  int redPoppler = 0;
  const int underPoppler = inkUnderTheSeal(qmtest::RenderPdfPage(Reader::Poppler, embedded, 1, kDpi), &redPoppler);
  EXPECT_GT(redPoppler, 200);
  EXPECT_GT(underPoppler, 30) << "the slip date shows through the seal";
  for (const Reader r : {Reader::MuPdf, Reader::Ghostscript}) {
    int red = 0;
    const int under = inkUnderTheSeal(qmtest::RenderPdfPage(r, embedded, 1, kDpi), &red);
    EXPECT_NEAR(red, redPoppler, redPoppler / 5) << qmtest::ReaderName(r);  // each scales the picture its own way
    EXPECT_NEAR(under, underPoppler, underPoppler / 5 + 5) << qmtest::ReaderName(r);
  }
  // The first form lays the seal on white, so the date is covered.
  int red = 0;
  EXPECT_EQ(inkUnderTheSeal(qmtest::RenderPdfPage(Reader::Poppler, system, 1, kDpi), &red), 0);
  EXPECT_GT(red, 200);
}

}  // namespace qm::pdf
