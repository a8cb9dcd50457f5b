// The embedded form of the PDF writer, object by object: one subset of the page font per
// document with its glyph map, Unicode map and encoding, bold as stroked outlines, no
// Latin font, compressed font programs and pictures, JPEG files as they are, masked
// seals; and the widths measured exactly as the first form measures them.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <set>

#include <zlib.h>

#include "base/cp932.h"
#include "pdf/report.h"
#include "print/page_font.h"
#include "support/pdf_tools.h"

namespace qm::pdf {
namespace {

std::string Sjis(const std::string& utf8) { return cp932::Encode(utf8).bytes; }

std::string Inflate(const std::string& deflated) {
  for (std::size_t room = 1 << 16;; room *= 4) {
    std::string out(room, '\0');
    uLongf size = out.size();
    const int result = uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                                  reinterpret_cast<const Bytef*>(deflated.data()), deflated.size());
    if (result == Z_OK) return out.substr(0, size);
    if (result != Z_BUF_ERROR) return "(not deflated)";
  }
}

const TPdfStream* StreamOf(const TPdfDictionary& dict, const char* key) {
  return dynamic_cast<const TPdfStream*>(dict.ValueByName(key));
}

std::string FilterOf(const TPdfStream& s) {
  std::string out;
  s.Attributes().ValueByName("Filter")->WriteToStream(out);
  return out;
}

std::string JpegBytes(const QImage& image, bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setProgressiveScanWrite(progressive);
  writer.write(image);
  return bytes.toStdString();
}

QImage Colour(int w, int h, QColor c, QImage::Format format = QImage::Format_RGB32) {
  QImage image(w, h, format);
  image.fill(c);
  return image;
}

// A document in the embedded form with the regular and the bold Gothic on one page.
class EmbeddedDocTest : public ::testing::Test {
 protected:
  EmbeddedDocTest() : doc_(qmtest::PinnedClock()) {
    doc_.SetFonts(PdfFonts::Embed);
    doc_.NewDoc();
    doc_.AddPage();
  }
  TPdfCanvas& Canvas() { return doc_.Canvas(); }
  std::string& Contents() {
    return static_cast<TPdfStream*>(doc_.Canvas().Page()->ValueByName("Contents"))->Stream();
  }
  TPdfJpFont& Font(const char* alias) { return dynamic_cast<TPdfJpFont&>(doc_.GetFont(alias)); }
  std::string Saved() {
    std::string out;
    doc_.SaveToStream(out);
    return out;
  }
  TPdfDoc doc_;
};

const TPdfDictionary& Descendant(TPdfFont& font) {
  return *dynamic_cast<const TPdfDictionary*>(font.Data()->PdfArrayByName("DescendantFonts")->Items(0));
}

}  // namespace

TEST_F(EmbeddedDocTest, OneSubsetServesBothFacesWithItsMapsAndNamesTheSubset) {
  TPdfCanvas& c = Canvas();
  EXPECT_EQ(Contents(), "");  // no Latin font selected at the start of a page
  c.SetFont("Gothic", 10);
  c.BeginText();
  c.ShowText(Sjis("見積 A-1"));
  c.EndText();
  c.SetFont("Gothic,Bold", 12);
  c.SetRGBFillColor(0x00800000);  // navy
  c.BeginText();
  c.ShowText(Sjis("①ｱ"));
  c.EndText();
  EXPECT_EQ(Contents(),
            "/F0 10 Tf\nBT\n<8CA990CF20412D31> Tj\nET\n/F1 12 Tf\n0 0 0.5 rg\n"
            "q\n0 0 0.5 RG\n0.5 w\n1 j\n2 Tr\nBT\n<8740B1> Tj\nET\nQ\n");
  const std::string file = Saved();
  EXPECT_EQ(file.rfind("%PDF-1.3 \r\n", 0), 0u);

  TPdfJpFont& regular = Font("Gothic");
  TPdfJpFont& bold = Font("Gothic,Bold");
  ASSERT_NE(regular.Program(), nullptr);
  EXPECT_EQ(regular.Program(), bold.Program());
  const TPdfDictionary& rc = Descendant(regular);
  const TPdfDictionary& bc = Descendant(bold);
  const auto* rd = rc.PdfDictionaryByName("FontDescriptor");
  const auto* bd = bc.PdfDictionaryByName("FontDescriptor");
  // One program for both faces, flate-compressed with its length before compression.
  ASSERT_EQ(StreamOf(*rd, "FontFile2"), StreamOf(*bd, "FontFile2"));
  const TPdfStream& program = *StreamOf(*rd, "FontFile2");
  EXPECT_EQ(FilterOf(program), "[/FlateDecode ]");
  const std::string ttf = Inflate(program.Stream());
  EXPECT_EQ(static_cast<std::size_t>(program.Attributes().PdfNumberByName("Length1")->Value()), ttf.size());
  EXPECT_EQ(ttf.substr(0, 4), std::string("\0\1\0\0", 4));  // a TrueType font
  EXPECT_LT(ttf.size(), PageFont().Bytes().size() / 20);

  // Names carry one subset tag; the faces are told apart by the bold suffix.
  const std::string name = rc.PdfNameByName("BaseFont")->Value();
  ASSERT_EQ(name.size(), 16u);
  EXPECT_EQ(name.substr(6), "+IPAGothic");
  EXPECT_EQ(bc.PdfNameByName("BaseFont")->Value(), name + ",Bold");
  EXPECT_EQ(regular.Data()->PdfNameByName("BaseFont")->Value(), name);
  EXPECT_EQ(rd->PdfNameByName("FontName")->Value(), name);
  EXPECT_EQ(rc.PdfNameByName("Subtype")->Value(), "CIDFontType2");

  // The glyph map is indexed by the Shift-JIS code, which the embedded encoding makes
  // the CID; every code shown has the glyph of its character.
  const std::string map = Inflate(StreamOf(rc, "CIDToGIDMap")->Stream());
  const auto glyphAt = [&](int code) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(map[2 * code]) << 8 |
                                      static_cast<unsigned char>(map[2 * code + 1]));
  };
  const struct {
    int code;
    char32_t character;
  } shown[] = {{0x20, U' '}, {0x2D, U'-'}, {0x31, U'1'}, {0x41, U'A'}, {0xB1, U'\uFF71'},
               {0x8740, U'\u2460'}, {0x8CA9, U'\u898B'}, {0x90CF, U'\u7A4D'}};
  ASSERT_EQ(map.size(), 2u * 0x90D0);  // up to the highest code shown
  for (const auto& s : shown) EXPECT_EQ(glyphAt(s.code), PageFont().Glyph(s.character)) << std::hex << s.code;
  EXPECT_EQ(glyphAt(0x42), 0u);  // not shown, not kept

  const TPdfStream& toUnicode = *StreamOf(*regular.Data(), "ToUnicode");
  EXPECT_EQ(&toUnicode, StreamOf(*bold.Data(), "ToUnicode"));
  EXPECT_NE(Inflate(toUnicode.Stream()).find("8 beginbfchar\n<20> <0020>\n<2D> <002D>\n<31> <0031>\n<41> <0041>\n"
                                            "<B1> <FF71>\n<8740> <2460>\n<8CA9> <898B>\n<90CF> <7A4D>\nendbfchar\n"),
            std::string::npos);
  const TPdfStream& encoding = *dynamic_cast<const TPdfStream*>(regular.Data()->ValueByName("Encoding"));
  EXPECT_EQ(encoding.Attributes().PdfNameByName("CMapName")->Value(), "VeloraQuillmark-RKSJ-H");
  EXPECT_EQ(FilterOf(encoding), "[/FlateDecode ]");

  // Content streams stay as they were written.
  EXPECT_EQ(FilterOf(*static_cast<TPdfStream*>(doc_.Canvas().Page()->ValueByName("Contents"))), "[]");
  // Saving again gives the same file.
  EXPECT_EQ(Saved(), file);
}

TEST(EmbeddedFonts, EveryCodeMeasuresAsInTheFirstForm) {
  // The embedded fonts key their widths by code instead of by the predefined CMap's CID;
  // every single byte and every double-byte code measures the same in both forms.
  TPdfDoc system, embedded;
  embedded.SetFonts(PdfFonts::Embed);
  system.NewDoc();
  embedded.NewDoc();
  std::vector<std::string> texts;
  for (int b = 0x20; b <= 0xFF; ++b)
    if (!cp932::IsLeadByte(static_cast<unsigned char>(b))) texts.emplace_back(1, static_cast<char>(b));
  for (int lead = 0x81; lead <= 0xFC; ++lead)
    if (cp932::IsLeadByte(static_cast<unsigned char>(lead)))
      for (int trail = 0x40; trail <= 0xFC; ++trail)
        if (trail != 0x7F) texts.push_back({static_cast<char>(lead), static_cast<char>(trail)});
  for (const char* alias : {"Gothic", "Gothic,Bold", "Mincyo", "PGothic", "PMincyo,Italic"}) {
    TPdfFont& a = system.GetFont(alias);
    TPdfFont& b = embedded.GetFont(alias);
    ASSERT_NE(dynamic_cast<TPdfJpFont&>(b).Program(), nullptr) << alias;
    int differ = 0;
    for (const std::string& t : texts)
      for (int pos = 1; pos <= static_cast<int>(t.size()); ++pos)
        if (a.GetCharWidth(t, pos) != b.GetCharWidth(t, pos) && ++differ < 5)
          ADD_FAILURE() << alias << " code " << std::hex << (static_cast<unsigned char>(t[0]) << 8 | (t.size() > 1 ? static_cast<unsigned char>(t[1]) : 0));
    EXPECT_EQ(differ, 0) << alias;
  }
  // The proportional faces come from the proportional file.
  EXPECT_NE(dynamic_cast<TPdfJpFont&>(embedded.GetFont("PGothic")).Program(),
            dynamic_cast<TPdfJpFont&>(embedded.GetFont("Gothic")).Program());
}

TEST(EmbeddedFonts, TheEncodingMapsEveryCodeOfTheCodespaceToItself) {
  const std::string cmap = ShiftJisCodeCMap();
  EXPECT_NE(cmap.find("4 begincodespacerange\n<00> <80>\n<8140> <9FFC>\n<A0> <DF>\n<E040> <FCFC>\nendcodespacerange\n"),
            std::string::npos);
  EXPECT_NE(cmap.find("62 begincidrange\n<00> <80> 0\n<A0> <DF> 160\n<8140> <81FC> 33088\n"), std::string::npos);
  EXPECT_NE(cmap.find("<9F40> <9FFC> 40768\n<E040> <E0FC> 57408\n"), std::string::npos);
  EXPECT_NE(cmap.find("<FC40> <FCFC> 64576\nendcidrange\n"), std::string::npos);
  // Codes that give no character are left out of the Unicode map.
  EXPECT_EQ(ShiftJisToUnicodeCMap({0x80, 0xA0, 0xEB40, 0x8840}).find("beginbfchar"), std::string::npos);
  EXPECT_NE(ShiftJisToUnicodeCMap({0x5C, 0x7E, 0x815F, 0x817C, 0xFA40})
                .find("5 beginbfchar\n<5C> <005C>\n<7E> <007E>\n<815F> <FF3C>\n<817C> <FF0D>\n<FA40> <2170>\nendbfchar\n"),
            std::string::npos);
  // At most a hundred mappings a block: rows 88 and 89 hold 94 + 188 characters.
  std::set<int> many;
  for (int lead = 0x88; lead <= 0x89; ++lead)
    for (int trail = 0x40; trail <= 0xFC; ++trail) many.insert(lead * 256 + trail);
  const std::string big = ShiftJisToUnicodeCMap(many);
  std::size_t blocks = 0;
  for (std::size_t at = big.find("100 beginbfchar\n"); at != std::string::npos; at = big.find("100 beginbfchar\n", at + 1))
    ++blocks;
  EXPECT_EQ(blocks, 2u);
  EXPECT_NE(big.find("\n82 beginbfchar\n"), std::string::npos);
}

TEST(EmbeddedFonts, JpegFramesEveryReaderDecodes) {
  const std::string rgb = JpegBytes(Colour(40, 30, Qt::red));
  const std::string grey = JpegBytes(Colour(20, 10, Qt::gray, QImage::Format_Grayscale8));
  const std::string progressive = JpegBytes(Colour(33, 17, Qt::blue), true);
  std::string cmyk = rgb;
  std::string lossless = rgb;
  std::string twelveBit = rgb;
  const std::size_t sof = rgb.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  cmyk[sof + 9] = 4;  // four components
  lossless[sof + 1] = '\xC3';
  twelveBit[sof + 4] = 12;
  const struct {
    const char* what;
    std::string bytes;
    bool ok;
    int width, height, components;
  } cases[] = {
      {"baseline colour", rgb, true, 40, 30, 3},
      {"grey", grey, true, 20, 10, 1},
      {"progressive", progressive, true, 33, 17, 3},
      {"four components", cmyk, false, 0, 0, 0},
      {"lossless", lossless, false, 0, 0, 0},
      {"12-bit", twelveBit, false, 0, 0, 0},
      {"cut before its frame", rgb.substr(0, sof + 5), false, 0, 0, 0},
      {"a PNG", "\x89PNG\r\n\x1a\n", false, 0, 0, 0},
      {"empty", "", false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const std::optional<JpegFrame> frame = ReadJpegFrame(c.bytes);
    ASSERT_EQ(frame.has_value(), c.ok) << c.what;
    if (!frame) {
      EXPECT_THROW(CreateJpegImage(nullptr, c.bytes), EPdfInvalidValue) << c.what;
      continue;
    }
    EXPECT_EQ(frame->width, c.width) << c.what;
    EXPECT_EQ(frame->height, c.height) << c.what;
    EXPECT_EQ(frame->components, c.components) << c.what;
    const auto image = CreateJpegImage(nullptr, c.bytes);
    EXPECT_EQ(image->Stream(), c.bytes) << c.what;  // as it is
    EXPECT_EQ(image->Attributes().PdfNameByName("ColorSpace")->Value(), c.components == 1 ? "DeviceGray" : "DeviceRGB");
    EXPECT_EQ(FilterOf(*image), "[/DCTDecode ]");
  }
}

TEST(EmbeddedFonts, OtherPicturesAreDeflatedRgbOnWhiteWithTheirMask) {
  QImage picture(3, 2, QImage::Format_ARGB32);
  picture.fill(qRgba(0, 0, 255, 255));
  picture.setPixel(0, 0, qRgba(255, 0, 0, 0));    // fully transparent: white
  picture.setPixel(1, 0, qRgba(0, 255, 0, 255));  // the masked colour
  const auto image = CreateFlateImage(nullptr, picture, 0x0000FF00);  // green, as 0x00BBGGRR
  EXPECT_EQ(FilterOf(*image), "[/FlateDecode ]");
  std::string mask;
  image->Attributes().ValueByName("Mask")->WriteToStream(mask);
  EXPECT_EQ(mask, "[0 0 255 255 0 0 ]");
  EXPECT_EQ(image->Attributes().PdfNumberByName("Width")->Value(), 3);
  EXPECT_EQ(image->Attributes().PdfNumberByName("BitsPerComponent")->Value(), 8);
  EXPECT_EQ(Inflate(image->Stream()), std::string("\xFF\xFF\xFF\x00\xFF\x00\x00\x00\xFF"
                                                  "\x00\x00\xFF\x00\x00\xFF\x00\x00\xFF",
                                                  18));
  EXPECT_EQ(CreateFlateImage(nullptr, Colour(2, 2, Qt::red))->Attributes().ValueByName("Mask"), nullptr);

  // An image item draws the embedded picture in the size it was given, the JPEG as it is.
  TPdfDoc doc(qmtest::PinnedClock());
  doc.SetFonts(PdfFonts::Embed);
  doc.NewDoc();
  doc.AddPage();
  TPRImage item("Photo");
  item.Left = 10;
  item.Top = 20;
  item.Width = 200;
  item.Height = 100;
  item.Stretch = false;
  const std::string jpeg = JpegBytes(Colour(400, 100, Qt::red));
  item.SetEmbedded({jpeg, QImage(), QSize(160, 40), std::nullopt});
  std::function<int()> start = [] { return 7; };
  TPRPrintContext ctx{doc, doc.Canvas(), 842, start};
  item.Print(ctx, 24, 20);
  EXPECT_EQ(doc.GetXObject("Photo")->Stream(), jpeg);
  EXPECT_EQ(static_cast<TPdfStream*>(doc.Canvas().Page()->ValueByName("Contents"))->Stream(),
            "q\n24 722 200 100 re\nW\nn\n160 0 0 40 24 782 cm\n/Photo Do\nQ\n");
}

}  // namespace qm::pdf
