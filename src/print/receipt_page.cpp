// The receipt: the receipt in the upper half of the sheet and its copy, titled "(控)",
// 110 mm lower, each followed by a cut line.
#include "base/amount_text.h"
#include "print/document_kinds.h"
#include "print/head_blocks.h"
#include "print/qualified_invoice.h"
#include "print/sheet_builder.h"

namespace qm {
namespace {

// Millimetres from the top of each receipt (and from the sheet's left edge).
constexpr double ONEHIG = 110;
constexpr double TITLETOP = 15, RNAMETOP = 30, PRICETOP = 42, TADASHITOP = 55, MSGTOP = 60;
constexpr double CUSCODELEFT = 20, CUSCODETOP = 20, SLIPCODELEFT = 170, SLIPCODETOP = 20;
constexpr double UCHILEFT = 30, UCHITOP = 70, UCHIWID = 50;
constexpr double UCHI1TOP = 75, UCHI2TOP = 80, UCHI3TOP = 85, UCHI4TOP = 90;
constexpr double SENDERLEFT = 85, SZIPTOP = 70, SADD1TOP = 74, SADD2TOP = 78;
constexpr double SNAME1TOP = 82, SNAME2TOP = 86, SNAME3TOP = 90, SPERSONTOP = 94, STELTOP = 98;
constexpr double STAMPLEFT = 160, STAMPTOP = 50, STAMPWID = 15, STAMPTITLEHIG = 5, STAMPHIG = 15;
constexpr double INSHILEFT = 160, INSHITOP = 72, INSHIWID = 18, INSHIHIG = 21;
constexpr double SEPLINEWID = 180;
constexpr double REGISTNOTOP = STELTOP + 4;               // under the sender block
constexpr double TAXSUMTOP = UCHI4TOP + 5, TAXSUMHIG = 4.5;  // under the breakdown
constexpr int FONT_SMALL = 10, FONT_NAME = 12, FONT_BIG = 24, FONT_INSHI = 9;

class ReceiptBuilder : SheetBuilder<TPrintReceiptOptions> {
 public:
  ReceiptBuilder(Canvas& c, const SlipSources& src, const TPrintReceiptOptions& o, bool a4)
      : SheetBuilder(c, src, o, a4, TChartType::tcRyosyu) {}

  void Build(double t, bool hikae) {
    // The title's underline stays on for the addressee and the amount.
    c_.Font(false, true, kNavy);
    c_.TextCentred(FONT_BIG, c_.Y(t + TITLETOP), hikae ? title_ + "(控)" : title_);
    c_.Font(false, true, kBlack);
    Addressee(t);
    Amount(t);
    c_.PlainFont();
    c_.TextCentred(FONT_SMALL, c_.Y(t + TADASHITOP), o_.ProvisoText);
    c_.TextCentred(FONT_SMALL, c_.Y(t + MSGTOP),
                   doc_.SlipDateStrYY() + " 年 " + doc_.SlipDateStrMM() + " 月 " + doc_.SlipDateStrDD() + " 日 " +
                       message_);
    const std::string& code = doc_.CustomerInfo().CustomerCode();
    if (config_.PrintCheckCusCode() && !code.empty())
      c_.TextIn(FONT_SMALL, c_.X(CUSCODELEFT), c_.Y(t + CUSCODETOP), "お客様コード: " + code,
                BesideTitle(c_, CUSCODELEFT, hikae ? title_ + "(控)" : title_, FONT_BIG));
    if (!doc_.SlipCodeStr().empty()) c_.TextMm(FONT_SMALL, SLIPCODELEFT, t + SLIPCODETOP, "№" + doc_.SlipCodeStr());
    if (o_.PrintRevenueStampArea) RevenueStamp(t);
    if (o_.PrintStampArea) StampBox(t);
    Breakdown(t);
    // The sender's lines stop short of the revenue stamp box beside them.
    DrawSender(c_, company_,
               {SENDERLEFT, t + SZIPTOP, t + SADD1TOP, t + SADD2TOP, {t + SNAME1TOP, t + SNAME2TOP, t + SNAME3TOP},
                t + SPERSONTOP, t + STELTOP, FONT_SMALL, FONT_NAME, o_.PrintRevenueStampArea ? INSHILEFT - 2 : 0},
               o_.PrintName);
    DrawCompanySeal(c_, company_, SealPlace::Receipt, a4_, t);
    if (PrintsQualified(TChartType::tcRyosyu, o_.PrintRegistNo, company_)) Qualified(t);
    DrawCutLine(c_, t + ONEHIG, SEPLINEWID);
  }

 private:
  void Addressee(double t) {
    const TMxCustomerObject& cu = doc_.CustomerInfo();
    const std::string name =
        cu.CustomerName1() + cu.CustomerName2() + cu.CustomerName3() + " " + cu.CustomerNameTitle();
    const auto [size, text] = FitReceiptName(name, c_.PrintableRight() - c_.PrintableLeft(), c_.Dpi());
    c_.TextCentred(size, c_.Y(t + RNAMETOP), text);
  }

  void Amount(double t) {
    const std::string text = o_.PrintGrandTotal ? config_.CurrencyMark() +
                                                      CommaAdd(true, doc_.TotalPrice(), config_.PrintDecimalPoint()) + "※"
                                                : std::string("　　　　　　　　　　");
    // The band behind the amount: as wide as the amount and two blanks, centred.
    const int bandWidth = c_.Width(text + "  ", FONT_BIG);
    const int left = c_.Geometry().widthDots / 2 - bandWidth / 2;
    PageImage& page = c_.Page();
    page.SetBrushSolid(config_.LineColorOdd());
    page.FillRect(Canvas::Box(left, c_.Y(t + PRICETOP - 0.5), left + bandWidth, c_.Y(t + PRICETOP + 1) + c_.Height(FONT_BIG)));
    page.SetBrushClear();
    c_.TextCentred(FONT_BIG, c_.Y(t + PRICETOP), text);
  }

  // The registration number under the sender; the totals per rate under the breakdown,
  // each tax on the row below its amount.
  void Qualified(double t) {
    c_.TextIn(FONT_SMALL, c_.X(SENDERLEFT), c_.Y(t + REGISTNOTOP), RegistNoLine(company_),
              {c_.X(SENDERLEFT), c_.PrintableRight()});
    const std::vector<std::string> rows = TaxSummaryRows(doc_, config_);
    for (std::size_t i = 0; i < rows.size(); ++i)
      c_.TextIn(FONT_SMALL, c_.X(UCHILEFT + 0.5), c_.Y(t + TAXSUMTOP + TAXSUMHIG * static_cast<double>(i)), rows[i],
                c_.CellMm(UCHILEFT + 0.5, SENDERLEFT - 2));
  }

  void RevenueStamp(double t) {
    const double l = INSHILEFT, top = t + INSHITOP, r = INSHILEFT + INSHIWID, b = t + INSHITOP + INSHIHIG;
    c_.LineMm(l, top, r, top);
    c_.LineMm(r, top, r, b);
    c_.LineMm(r, b, l, b);
    c_.LineMm(l, b, l, top);
    const std::string caption = "収入印紙";
    const int w = c_.Width(caption, FONT_INSHI);
    c_.TextIn(FONT_INSHI, c_.X(l) + c_.X(INSHIWID) / 2 - w / 2, c_.Y(t + INSHITOP + 2), caption,
              c_.CellMm(l, r, TextAlign::Centre));
  }

  void StampBox(double t) {
    const double l = STAMPLEFT, r = STAMPLEFT + STAMPWID, top = t + STAMPTOP;
    for (double dy : {0.0, STAMPTITLEHIG, STAMPTITLEHIG + STAMPHIG}) c_.LineMm(l, top + dy, r, top + dy);
    for (double x : {l, r}) c_.LineMm(x, top, x, top + STAMPTITLEHIG + STAMPHIG);
    const std::string caption = "担当者印";
    const int w = c_.Width(caption, FONT_SMALL);
    c_.TextIn(FONT_SMALL, c_.X(l) + c_.X(STAMPWID) / 2 - w / 2, c_.Y(top + 1), caption,
              c_.CellMm(l, r, TextAlign::Centre));
    const int slot = src_.personalStampSlot;
    if (slot < 0 || slot >= TMxConfigInfo::kImgMaxRegistCount) return;
    const TMxPicture& seal = config_.ImgStamp(slot);
    if (seal.Empty()) return;
    c_.Page().Bitmap(c_.BoxMm(l + 0.5, top + STAMPTITLEHIG + 0.5, r - 0.5, top + STAMPTITLEHIG + STAMPHIG - 0.5),
                     seal, std::nullopt);
  }

  void Breakdown(double t) {
    const double rows[] = {UCHITOP, UCHI1TOP, UCHI2TOP, UCHI3TOP, UCHI4TOP};
    const int height = c_.Height(FONT_SMALL);
    for (double row : rows) {
      const int y = c_.Y(t + row + 0.5) + height;
      c_.Page().Line({c_.X(UCHILEFT), y}, {c_.X(UCHILEFT + UCHIWID), y});
    }
    // A row is its label and its amount ending at the row's right end; the label stops
    // short of where the amount goes.
    const auto row = [&](double top, const std::string& label, const std::string& amount) {
      const PlacedText placed =
          c_.Place(FONT_SMALL, c_.X(UCHILEFT + UCHIWID) - c_.Width(amount, FONT_SMALL), c_.Y(top), amount,
                   c_.CellMm(UCHILEFT + 0.5, UCHILEFT + UCHIWID, TextAlign::Right, 0.5));
      const int labelRight = amount.empty() ? c_.X(UCHILEFT + UCHIWID) : placed.left - c_.X(1);
      c_.TextIn(FONT_SMALL, c_.X(UCHILEFT + 0.5), c_.Y(top), label, {c_.X(UCHILEFT + 0.5), labelRight});
      c_.Draw(FONT_SMALL, placed);
    };
    row(t + UCHITOP, "内訳", "金額 ");
    for (std::size_t i = 0; i < 4; ++i)
      row(t + rows[i + 1], o_.UchiLabel[i],
          o_.UchiPrice[i].empty() ? std::string() : config_.CurrencyMark() + o_.UchiPrice[i] + "-");
  }
};

}  // namespace

PageImage MakeMetaFileReceiptPrinter(const SlipSources& src, const TPrintReceiptOptions& o, bool a4) {
  return TwoCopySheet<ReceiptBuilder>(src, o, a4, ONEHIG);
}

}  // namespace qm
