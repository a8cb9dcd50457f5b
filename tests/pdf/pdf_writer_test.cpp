// The PDF writer: object serialisation, the canvas operators, the report layer, whole
// files compared byte for byte with committed golden files, and every written file
// checked by real PDF readers (qpdf, pdftotext).
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <random>

#include "base/cp932.h"
#include "pdf/report.h"
#include "support/pdf_tools.h"

namespace qm::pdf {
namespace {

std::string Sjis(const std::string& utf8) { return cp932::Encode(utf8).bytes; }

using qmtest::ExpectValidPdf;
using qmtest::PinnedClock;
using qmtest::RunTool;
using qmtest::ToolResult;

std::string Serialised(const TPdfObject& o) {
  std::string out;
  o.WriteToStream(out);
  return out;
}

std::string ReadFile(const QString& path) { return qmtest::ReadFileBytes(path); }

// A canvas on one page of a fresh document, writing into its content stream.
class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() : doc_(PinnedClock()) {
    doc_.NewDoc();
    doc_.AddPage();
  }
  TPdfCanvas& Canvas() { return doc_.Canvas(); }
  std::string& Contents() {
    return static_cast<TPdfStream*>(doc_.Canvas().Page()->ValueByName("Contents"))->Stream();
  }
  // What the operations after construction wrote.
  std::string Written() { return Contents().substr(std::string("/F0 10 Tf\n").size()); }

  TPdfDoc doc_;
};

// ---------------------------------------------------------------------------------
// Objects.

TEST(PdfObjectsTest, NamesTextStringsAndNumbers) {
  struct NameCase {
    std::string in, out;
  };
  for (const NameCase& c : std::vector<NameCase>{{"Gothic,Bold", "/Gothic,Bold"},
                                                 {"A B", "/A#20B"},
                                                 {"a#b(c)/<>[]{}%", "/a#23b#28c#29#2F#3C#3E#5B#5D#7B#7D#25"},
                                                 {"\x7F\xE9", "/#7F#E9"},
                                                 {"90ms-RKSJ-H", "/90ms-RKSJ-H"}})
    EXPECT_EQ(Serialised(TPdfName(c.in)), c.out) << c.in;

  EXPECT_EQ(Serialised(TPdfText("")), "()");
  EXPECT_EQ(Serialised(TPdfText("a(b)c\\d")), "(a\\(b\\)c\\\\d)");
  EXPECT_EQ(Serialised(TPdfText("\r\n\t\b\f")), "(\\r\\n\\t\\b\\f)");
  EXPECT_EQ(Serialised(TPdfText(Sjis("見A"))), "<FEFF001B656E001B898B0041>");
  // A lone lead byte at the end is still a double-byte text.
  EXPECT_EQ(Serialised(TPdfText("A\x82")).substr(0, 17), "<FEFF001B656E001B");

  EXPECT_EQ(Serialised(TPdfNumber(-12)), "-12");
  EXPECT_EQ(Serialised(TPdfBoolean(true)), "true");
  EXPECT_EQ(Serialised(TPdfNull()), "null");

  struct RealCase {
    double in;
    const char* out;
  };
  for (const RealCase& c : {RealCase{10, "10"}, RealCase{10.5, "10.5"}, RealCase{0.333, "0.33"},
                            RealCase{2.996, "3"}, RealCase{-1.234, "-1.22"}, RealCase{10.004, "10"},
                            RealCase{0, "0"}, RealCase{842 - 0.85 * 12, "831.8"}})
    EXPECT_EQ(FloatToStrR(c.in), c.out) << c.in;
}

TEST(PdfObjectsTest, ContainersKeepRegisteredObjectsByReferenceAndKeysUnique) {
  TPdfXref xref;
  auto& registered = xref.Add(std::make_unique<TPdfDictionary>(&xref));
  EXPECT_EQ(registered.ObjectNumber(), 1);
  TPdfArray array(&xref);
  EXPECT_EQ(Serialised(array), "[]");
  array.AddItem(registered);
  EXPECT_EQ(Serialised(array), "[1 0 R ]");
  EXPECT_EQ(array.Items(0), &registered);  // resolved through the table

  TPdfDictionary dict(&xref);
  dict.AddItem("A", std::make_unique<TPdfNumber>(1));
  dict.AddItem("B", std::make_unique<TPdfNumber>(2));
  dict.AddItem("A", std::make_unique<TPdfNumber>(3));  // moves behind B
  dict.AddInternalItem("_Hidden", std::make_unique<TPdfNumber>(4));
  dict.AddItem("Ref", registered);
  EXPECT_EQ(Serialised(dict), "<<\r\n/B 2\r\n/A 3\r\n/Ref 1 0 R\r\n>>");
  EXPECT_EQ(dict.PdfNumberByName("_Hidden")->Value(), 4);
  EXPECT_EQ(dict.PdfDictionaryByName("Ref"), &registered);
  EXPECT_EQ(dict.PdfNumberByName("Missing"), nullptr);

  std::string value;
  registered.WriteValueToStream(value);
  EXPECT_EQ(value, "1 0 obj\r\n<<\r\n>>\r\nendobj\r\n");

  TPdfStream stream(&xref);
  stream.Stream() = "abc";
  stream.Attributes().PdfArrayByName("Filter")->AddItem(std::make_unique<TPdfName>("FlateDecode"));
  EXPECT_EQ(Serialised(stream), "<<\r\n/Length 3\r\n/Filter []\r\n>>\r\nstream\r\nabc\nendstream");
}

TEST(PdfObjectsTest, MisuseRaisesItsExactMessage) {
  auto message = [](auto&& fn) -> std::string {
    try {
      fn();
    } catch (const EPdfError& e) {
      return e.what();
    }
    return "(no exception)";
  };
  TPdfXref xref;
  auto& registered = xref.Add(std::make_unique<TPdfNumber>(1));
  EXPECT_EQ(message([&] {
              std::string out;
              TPdfNumber(1).WriteValueToStream(out);
            }),
            "internal error wrong object type");
  EXPECT_EQ(message([&] { TPdfDictionary(&xref).AddItem("K", std::unique_ptr<TPdfObject>()); }),
            "internal error. wrong object.");
  auto again = TPdfVirtualObject::CreateVirtual(1);
  EXPECT_EQ(message([&] { xref.AddObject(std::move(again)); }), "AddObject --wrong object type.");
  (void)registered;

  TPdfDoc doc(PinnedClock());
  EXPECT_EQ(message([&] { doc.Canvas(); }), "GetCanvas --Document is null");
  EXPECT_EQ(message([&] { doc.Root(); }), "GetRoot --this method can not use this state..");
  EXPECT_EQ(message([&] { doc.Info(); }), "GetInfo --this method can not use this state..");
  EXPECT_EQ(message([&] { doc.GetFont("Arial"); }), "GetFont --document is null.");
  EXPECT_EQ(message([&] { doc.AddPage(); }), "AddPage --current pages null.");
  std::string out;
  EXPECT_EQ(message([&] { doc.SaveToStream(out); }), "SaveToStream --there is no document to save.");
  doc.NewDoc();
  EXPECT_EQ(message([&] { doc.SaveToStream(out); }), "SaveToStream --there is no document to save.");
  EXPECT_EQ(message([&] { doc.GetFont("Helvetica"); }), "CreateFont --InvalidFontName:Helvetica");
  EXPECT_EQ(message([&] { CreatePdfImage(&doc.Xref(), QImage(2, 2, QImage::Format_RGB32), "Pdf-Gif"); }),
            "AddImage --InvalidImageClassName:Pdf-Gif");
  EXPECT_EQ(message([&] { CreateJpegImage(&doc.Xref(), "not a jpeg"); }), "only jpeg image is allowed.");
  QImage pixel(1, 1, QImage::Format_RGB32);
  pixel.fill(Qt::red);
  doc.AddXObject("Img", CreateBitmapImage(&doc.Xref(), pixel));
  EXPECT_EQ(message([&] { doc.AddXObject("Img", CreateBitmapImage(&doc.Xref(), pixel)); }),
            "AddImage --the image named Img is already exists..");
  EXPECT_EQ(message([&] { doc.AddXObject("Other", std::make_unique<TPdfStream>(&doc.Xref())); }),
            "AddImage --the image is not valid TPdfImage..");

  TPReport report(PinnedClock());
  EXPECT_EQ(message([&] { report.EndDoc(); }), "document is null..");
  report.BeginDoc();
  EXPECT_EQ(message([&] { report.SetAuthor("x"); }), "SetAuthor --invalid operation.");
  EXPECT_EQ(message([&] { report.SetTitle("x"); }), "SetTitle --invalid operation.");
  EXPECT_EQ(message([&] { report.SetPageMode(TPdfPageMode::pmUseThumbs); }), "SetPageMode --invalid operation.");
  EXPECT_EQ(message([&] { report.SetViewerPreference(vpFitWindow); }), "SetViewerPreference --invalid operation.");
  report.Abort();
  report.SetAuthor("allowed again");

  TPRLabel label("L");
  EXPECT_EQ(message([&] { label.SetFontColor(0x10000000); }), "the color you selected is not allowed.");
  TPRPage page;
  EXPECT_EQ(message([&] { page.AddChild(std::make_unique<TPRLabel>("x")); }), "this component must set on TPRPanel");
  EXPECT_EQ(message([&] { SetParent(label, std::make_unique<TPRLayoutPanel>("p")); }),
            "TPRPage can not set on TPRLabel");
  EXPECT_EQ(message([&] { TPdfCanvasAttribute().SetCharSpace(301); }),
            "SetCharSpace --invalid char space");
  EXPECT_EQ(message([&] { TPdfCanvasAttribute().SetWordSpace(-1); }), "SetWordSpace --invalid word space");
}

// ---------------------------------------------------------------------------------
// Fonts.

TEST(PdfFontsTest, FontsAreCreatedOnceAndNumberedInOrder) {
  TPdfDoc doc(PinnedClock());
  doc.NewDoc();
  TPdfFont& gothic = doc.GetFont("Gothic");
  TPdfFont& bold = doc.GetFont("Gothic,Bold");
  EXPECT_EQ(&doc.GetFont("Gothic"), &gothic);
  EXPECT_EQ(doc.FontList().size(), 2u);
  EXPECT_EQ(gothic.Data()->PdfNameByName("Name")->Value(), "F0");
  EXPECT_EQ(bold.Data()->PdfNameByName("Name")->Value(), "F1");
  // The three dictionaries of a Japanese font take consecutive numbers.
  EXPECT_EQ(gothic.Data()->ObjectNumber() + 3, bold.Data()->ObjectNumber());
  EXPECT_EQ(Serialised(*gothic.Data()->ValueByName("Encoding")), "/90ms-RKSJ-H");
  EXPECT_EQ(Serialised(*doc.GetFont("PGothic").Data()->ValueByName("Encoding")), "/90msp-RKSJ-H");
}

TEST_F(CanvasTest, MeasuringJapaneseAndLatinText) {
  Canvas().SetFont("Gothic", 10);
  EXPECT_DOUBLE_EQ(Canvas().TextWidth(Sjis("見積")), 20);
  EXPECT_DOUBLE_EQ(Canvas().TextWidth("ABC"), 15);
  EXPECT_DOUBLE_EQ(Canvas().TextWidth("\xB1"), 5);  // half-width katakana
  EXPECT_EQ(Canvas().MeasureText(Sjis("見積書"), 25), 4);
  Canvas().SetFont("Arial", 10);
  EXPECT_DOUBLE_EQ(Canvas().TextWidth(" A'"), 2.78 + 6.67 + 1.91);
  Canvas().SetCharSpace(1);
  EXPECT_DOUBLE_EQ(Canvas().TextWidth("AA"), 6.67 * 2 + 1);
}

// ---------------------------------------------------------------------------------
// Canvas operators and placed text.

TEST_F(CanvasTest, OperatorsAndTheTextStateTheyTrack) {
  TPdfCanvas& c = Canvas();
  c.SetDash({}, 0);
  c.SetDash({16, 8}, 0);
  c.SetDash({0, 3}, 2);
  c.SetLineWidth(0.5);
  c.Rectangle(1, 2, 3.333, 4);
  c.SetCharSpace(0);  // unchanged: nothing written
  c.SetCharSpace(1.5);
  c.SetCharSpace(1.5);
  c.SetWordSpace(2);
  c.SetLeading(14);
  c.SetFont("Arial", 10);  // the page's current font: nothing written
  c.SetFont("Gothic", 10);
  c.SetFont("Gothic", 10);
  c.SetRGBFillColor(0x000000FF);
  c.SetRGBStrokeColor(-5);
  c.ShowText("a(b)");
  c.ShowText(Sjis("見"));
  EXPECT_EQ(Written(),
            "[] 0 d\n[16 8 ] 0 d\n[] 2 d\n0.5 w\n1 2 3.33 4 re\n1.5 Tc\n2 Tw\n14 TL\n/F1 10 Tf\n1 0 0 rg\n"
            "0 0 0 RG\n(a\\(b\\)) Tj\n<8CA9> Tj\n");
  // The fonts in use are the page's resources.
  EXPECT_EQ(Serialised(*c.Page()->PdfDictionaryByName("Resources")->PdfDictionaryByName("Font")),
            "<<\r\n/F0 6 0 R\r\n/F1 7 0 R\r\n>>");
}

TEST_F(CanvasTest, AlignmentAndClippingOfALine) {
  TPdfCanvas& c = Canvas();
  c.SetFont("Gothic", 10);
  const std::string three = Sjis("見積書");  // 30 points
  c.TextRect({100, 742, 200, 730}, three, TPdfAlignment::taRightJustify, false);
  c.TextRect({100, 742, 200, 730}, three, TPdfAlignment::taCenter, false);
  c.TextRect({100, 742, 200, 730}, "AB", TPdfAlignment::taLeftJustify, true);
  EXPECT_EQ(Written(),
            "/F1 10 Tf\nBT\n170 733.5 Td\n<8CA990CF8F91> Tj\nET\n"
            "BT\n135 733.5 Td\n<8CA990CF8F91> Tj\nET\n"
            "q\n100 742 m\n100 730 l\n200 730 l\n200 742 l\nh\nW\nn\nBT\n100 733.5 Td\n(AB) Tj\nET\nQ\n");
}

TEST_F(CanvasTest, MultilineTextBreaksAtLineEndsWrapsWordsAndCutsLongLines) {
  TPdfCanvas& c = Canvas();
  c.SetFont("Gothic", 10);
  c.SetLeading(12);
  // Each "AAAA " word is 25 points; a 60-point box holds two.
  c.MultilineTextRect({0, 100, 60, 0}, "AAAA AAAA AAAA", true);
  EXPECT_EQ(Written(), "/F1 10 Tf\n12 TL\nBT\n0 91.5 Td\n(AAAA AAAA ) Tj\nT*\n(AAAA) Tj\nET\n");
  Contents().resize(std::string("/F0 10 Tf\n").size());
  // Without wrapping only line ends break. A line wider than the box (40 points in 20)
  // is fitted to it as a label is: 8 points (32 wide) condensed to 62 %, then the size
  // and scaling are set back for the next line.
  c.MultilineTextRect({0, 100, 20, 0}, "ABCDEFGH\r\nIJ", false);
  EXPECT_EQ(Written(), "BT\n0 91.5 Td\n/F1 8 Tf\n62 Tz\n(ABCDEFGH) Tj\n100 Tz\n/F1 10 Tf\nT*\n(IJ) Tj\nET\n");
  Contents().resize(std::string("/F0 10 Tf\n").size());
  // Too long even at the floors (7 points, 60 %: 2.1 a byte): cut at a character.
  c.MultilineTextRect({0, 100, 20, 0}, "ABCDEFGHIJKL", false);
  EXPECT_EQ(Written(), "BT\n0 91.5 Td\n/F1 7 Tf\n60 Tz\n(ABCDEFGHI) Tj\n100 Tz\n/F1 10 Tf\nET\n");
  Contents().resize(std::string("/F0 10 Tf\n").size());
  // A line whose top would fall below bottom + font size ends the text there.
  c.MultilineTextRect({0, 100, 60, 80}, "A\r\nB\r\nC", false);
  EXPECT_EQ(Written(), "BT\n0 91.5 Td\n(A) Tj\nT*\nET\n");
}

// ---------------------------------------------------------------------------------
// Report items.

class ReportItemTest : public CanvasTest {
 protected:
  std::string PrintItem(TPRItem& item) {
    Contents().resize(std::string("/F0 10 Tf\n").size());
    std::function<int()> seed = [] { return 7; };
    TPRPrintContext ctx{doc_, Canvas(), 842, seed};
    item.Print(ctx, item.Left, item.Top);
    return Written();
  }
};

TEST_F(ReportItemTest, RectanglesAndLinesByStyleAndColour) {
  TPRRect line("Line");
  line.Left = 40, line.Top = 100, line.Width = 511, line.Height = 1;
  EXPECT_EQ(PrintItem(line), "[] 0 d\n0 0 0 RG\n0 w\n40 742 m\n550 742 l\nS\nn\n");

  TPRRect filled("Box");
  filled.Left = 10, filled.Top = 10, filled.Width = 20, filled.Height = 10, filled.FillColor = 0x00FFFFFF;
  EXPECT_EQ(PrintItem(filled), "[] 0 d\n1 1 1 rg\n0 0 0 RG\n0 w\n10 832 m\n29 832 l\n29 823 l\n10 823 l\nb\n");

  filled.LineStyle = TPRPenStyle::psClear;
  // No outline is drawn, but the pen is still set up.
  EXPECT_EQ(PrintItem(filled), "1 1 1 rg\n0 0 0 RG\n0 w\n10 832 m\n29 832 l\n29 823 l\n10 823 l\nh\nf\n");

  TPRRect dotted("Dots");
  dotted.Left = 0, dotted.Top = 0, dotted.Width = 4, dotted.Height = 4, dotted.LineStyle = TPRPenStyle::psDashDotDot;
  dotted.LineWidth = 1.5;
  EXPECT_EQ(PrintItem(dotted), "[8 4 2 4 2 4 ] 0 d\n0 0 0 RG\n1.5 w\n0 842 m\n3 842 l\n3 839 l\n0 839 l\ns\n");

  TPRRect nothing("Dot");
  nothing.Width = 1, nothing.Height = 1;
  EXPECT_EQ(PrintItem(nothing), "");
}

TEST_F(ReportItemTest, LabelsAlignJustifyAndSkipEmptyCaptions) {
  TPRLabel label("Label");
  label.Left = 100, label.Top = 100, label.Width = 100, label.Height = 12, label.FontSize = 10;
  EXPECT_EQ(PrintItem(label), "");
  label.Caption = "見積書";
  label.Alignment = TPdfAlignment::taRightJustify;
  EXPECT_EQ(PrintItem(label), "/F1 10 Tf\n0 0 0 rg\nBT\n170 733.5 Td\n<8CA990CF8F91> Tj\nET\n");
  // Two labels in the same font: one Tf, two colours.
  EXPECT_EQ(PrintItem(label), "0 0 0 rg\nBT\n170 733.5 Td\n<8CA990CF8F91> Tj\nET\n");
  label.Alignment = TPdfAlignment::taLeftJustify;
  label.AlignJustified = true;
  // Three characters spread over 100 points: (100 − 30) / 2 between them.
  EXPECT_EQ(PrintItem(label), "0 0 0 rg\n35 Tc\nBT\n100 733.5 Td\n<8CA990CF8F91> Tj\nET\n");
}

TEST_F(ReportItemTest, TextItemsTrimAndWrap) {
  TPRText text("Memo");
  text.Left = 0, text.Top = 742, text.Width = 60, text.Height = 100, text.FontSize = 10, text.Leading = 12;
  text.Lines = {"  AAAA AAAA", "AAAA \t"};
  EXPECT_EQ(text.Text(), "AAAA AAAA\r\nAAAA");
  text.Wordwrap = true;
  EXPECT_EQ(PrintItem(text), "/F1 10 Tf\n0 0 0 rg\n12 TL\nBT\n0 91.5 Td\n(AAAA AAAA) Tj\nT*\n(AAAA) Tj\nET\n");
}

// ---------------------------------------------------------------------------------
// Whole files.

QImage Checker(int w, int h, QImage::Format format) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, (x + y) % 2 ? qRgb(200, 30, 30) : qRgb(20, 20, 160));
  return image.convertToFormat(format);
}

// Builds the sample document of the golden files.
void PrintSample(TPReport& report, bool full) {
  TPRPage page("Page", 595, 842);
  auto& panel = page.Add(std::make_unique<TPRLayoutPanel>("Panel"));
  panel.Left = 14, panel.Width = 595, panel.Height = 842;
  if (full) {
    auto& jp = panel.Add(std::make_unique<TPRLabel>("Title"));
    jp.Left = 200, jp.Top = 40, jp.Width = 200, jp.Height = 24, jp.FontSize = 20, jp.FontBold = true;
    jp.Caption = "御見積書";
    jp.Alignment = TPdfAlignment::taCenter;
    auto& latin = panel.Add(std::make_unique<TPRLabel>("No"));
    latin.Left = 400, latin.Top = 80, latin.Width = 150, latin.Height = 12, latin.FontSize = 10;
    latin.Caption = "No. 2026-001 (A)";
    latin.Alignment = TPdfAlignment::taRightJustify;
    auto& rect = panel.Add(std::make_unique<TPRRect>("Frame"));
    rect.Left = 30, rect.Top = 120, rect.Width = 500, rect.Height = 200, rect.LineWidth = 1;
    auto& line = panel.Add(std::make_unique<TPRRect>("Rule"));
    line.Left = 30, line.Top = 340, line.Width = 500, line.Height = 1, line.LineColor = 0x00800000;
    auto& memo = panel.Add(std::make_unique<TPRText>("Memo"));
    memo.Left = 30, memo.Top = 360, memo.Width = 300, memo.Height = 100, memo.FontSize = 10;
    memo.Lines = {"備考：工期は三十日です。", "Payment within 30 days"};
    auto& shared = panel.Add(std::make_unique<TPRImage>("Logo"));
    shared.Left = 30, shared.Top = 40, shared.Width = 60, shared.Height = 30;
    shared.SetPicture(Checker(4, 2, QImage::Format_Indexed8));
    auto& own = panel.Add(std::make_unique<TPRImage>("Photo"));
    own.Left = 30, own.Top = 480, own.Width = 80, own.Height = 60, own.SharedImage = false, own.Stretch = false;
    own.SetPicture(Checker(3, 2, QImage::Format_RGB32));
  }
  report.BeginDoc();
  report.Print(page);
  if (full) report.Print(page);
  report.EndDoc();
}

class PdfFileTest : public ::testing::Test {
 protected:
  QString Write(bool full) {
    TPReport report(PinnedClock());
    int next = 41000;
    report.SetRandomStart([&] { return next; });
    report.FileName = dir_.filePath(full ? "full.pdf" : "empty.pdf").toStdString();
    PrintSample(report, full);
    return QString::fromStdString(report.FileName);
  }

  // Compares with the golden file; QM_UPDATE_GOLDEN=1 rewrites it instead.
  void ExpectGolden(const QString& written, const QString& golden) {
    const QString path = QString(QM_TEST_DATA_DIR) + "/pdf/" + golden;
    if (qEnvironmentVariableIsSet("QM_UPDATE_GOLDEN")) {
      QFile::remove(path);
      ASSERT_TRUE(QFile::copy(written, path));
    }
    const std::string expected = ReadFile(path);
    ASSERT_FALSE(expected.empty()) << "missing golden file " << path.toStdString();
    EXPECT_EQ(ReadFile(written), expected) << golden.toStdString();
  }

  QTemporaryDir dir_;
};

TEST_F(PdfFileTest, OneEmptyPageIsByteForByteTheGoldenFile) {
  const QString path = Write(false);
  ExpectGolden(path, "empty_page.pdf");
  ExpectValidPdf(path);
  const std::string bytes = ReadFile(path);
  // The page still has its content stream: the font line every page begins with.
  EXPECT_NE(bytes.find("/Length 10\r\n/Filter []\r\n>>\r\nstream\r\n/F0 10 Tf\n\nendstream"), std::string::npos);
  EXPECT_NE(bytes.find("/ModDate (D:20261209093015)\r\n>>"), std::string::npos);
  EXPECT_NE(bytes.find("/CreationDate (D:20100708102141)"), std::string::npos);
  // Every cross-reference line is 20 bytes.
  const std::size_t xref = bytes.find("xref\r\n");
  ASSERT_NE(xref, std::string::npos);
  EXPECT_EQ(bytes.substr(xref + 6 + 5, 20), "0000000000 65535 f\r\n");
  EXPECT_TRUE(bytes.ends_with("%%EOF\r\n"));
}

TEST_F(PdfFileTest, LabelsTextShapesAndImagesAreByteForByteTheGoldenFile) {
  const QString path = Write(true);
  ExpectGolden(path, "two_pages.pdf");
  ExpectValidPdf(path);
  const std::string bytes = ReadFile(path);
  // The shared image is stored once, the other one twice under two names.
  EXPECT_NE(bytes.find("/Name /Logo\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("/Name /Photo41000\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("/Name /Photo41001\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("/Name /Logo", bytes.find("/Name /Logo") + 1), std::string::npos);
  const ToolResult text = RunTool("pdftotext", {"-enc", "UTF-8", path, "-"});
  ASSERT_EQ(text.exit, 0) << text.out.toStdString();
  EXPECT_EQ(text.out.count("御見積書"), 2) << text.out.toStdString();
  EXPECT_TRUE(text.out.contains("備考：工期は三十日です。"));
  EXPECT_TRUE(text.out.contains("No. 2026")) << text.out.toStdString();
  EXPECT_TRUE(text.out.contains("001 (A)"));
  // Two header lines, then one line per image drawn: the shared one on both pages under
  // one object, the other under two.
  const QStringList images = RunTool("pdfimages", {"-list", path}).out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(images.size(), 6) << images.join('\n').toStdString();
  EXPECT_EQ(images[2].split(' ', Qt::SkipEmptyParts)[10], images[4].split(' ', Qt::SkipEmptyParts)[10]);
  EXPECT_NE(images[3].split(' ', Qt::SkipEmptyParts)[10], images[5].split(' ', Qt::SkipEmptyParts)[10]);
}

TEST_F(PdfFileTest, AFileThatCannotBeWrittenLeavesNothingAndReportsThePath) {
  TPReport report(PinnedClock());
  report.FileName = dir_.filePath("no/such/folder/out.pdf").toStdString();
  try {
    PrintSample(report, false);
    FAIL() << "no error";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("out.pdf"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(report.HasDoc());  // kept until the next BeginDoc
  EXPECT_FALSE(QFile::exists(QString::fromStdString(report.FileName)));
}

TEST_F(PdfFileTest, HostileCaptionsNeverBreakTheFile) {
  std::mt19937 random(12345);
  TPRPage page("Page", 595, 842);
  auto& panel = page.Add(std::make_unique<TPRLayoutPanel>("Panel"));
  panel.Width = 595, panel.Height = 842;
  std::vector<TPRLabel*> labels;
  for (int i = 0; i < 8; ++i) {
    auto& l = panel.Add(std::make_unique<TPRLabel>("L" + std::to_string(i)));
    l.Left = 10, l.Top = 20 + 40 * i, l.Width = 200, l.Height = 20, l.Clipping = i % 2, l.AlignJustified = i % 3 == 0;
    labels.push_back(&l);
  }
  auto& memo = panel.Add(std::make_unique<TPRText>("Memo"));
  memo.Left = 300, memo.Top = 20, memo.Width = 200, memo.Height = 700, memo.Wordwrap = true;
  TPReport report(PinnedClock());
  report.FileName = dir_.filePath("hostile.pdf").toStdString();
  report.BeginDoc();
  for (int round = 0; round < 6; ++round) {
    for (TPRLabel* l : labels) {
      std::string caption;
      const int length = static_cast<int>(random() % (round == 5 ? 5000 : 60));
      for (int k = 0; k < length; ++k) caption += static_cast<char>(random() % 256);
      if (round % 2) caption += "\x82";  // a lone lead byte at the end
      l->Caption = cp932::Decode(caption);
    }
    memo.Lines = {cp932::Decode(std::string("\x01\x02()\\\r\n") + "見積\x83"), std::string(3000, 'W')};
    report.Print(page);
  }
  report.EndDoc();
  ExpectValidPdf(QString::fromStdString(report.FileName));
}

}  // namespace
}  // namespace qm::pdf
