// The total invoice: the statement and its copy, titled "(控)", 115 mm lower, each
// followed by a cut line.
#include "base/amount_text.h"
#include "print/chart_texts.h"
#include "print/document_kinds.h"
#include "print/head_blocks.h"
#include "print/qualified_invoice.h"
#include "print/sheet_builder.h"

namespace qm {
namespace {

// Millimetres from the top of each statement (and from the sheet's left edge).
constexpr double ONEHIG = 115;
constexpr double TITLETOP = 15;
constexpr double RLEFT = 26, RZIPTOP = 30, RADD1TOP = 35, RADD2TOP = 40, RNAME1TOP = 45;
constexpr double MSGTOP = 80;
constexpr double CUSCODELEFT = 20, CUSCODETOP = 20, SLIPCODELEFT = 170, SLIPCODETOP = 20;
constexpr double DATALEFT = 135, DATATOP = 25;
constexpr double SLEFT = 120, SZIPTOP = 30, SADD1TOP = 34, SADD2TOP = 38;
constexpr double SNAME1TOP = 42, SNAME2TOP = 46, SNAME3TOP = 50, SPERSONTOP = 54.5, STELTOP = 58.5;
constexpr double BANKNAMETOP = 63, BANKACCTOP = 67, BANKACCNAMETOP = 71;
constexpr double LISTTOP = 85, LISTWID = 185, LISTCELLWID = 30, LISTGTCELLWID = 35;
constexpr double LISTTITLEHIG = 8, LISTNUMHIG = 10;
constexpr double NOTETOP = 105;
constexpr double SEPLINEWID = 180;
constexpr double REGISTNOTOP = 63, REGISTNOBANKTOP = 75;  // under the sender, or under the bank
constexpr double TAXSUMTOP = 70, TAXSUMHIG = 4.5;          // the per-rate lines, under the addressee
constexpr int FONT_SMALL = 10, FONT_ADDRESS = 12;

class TotalClaimBuilder : SheetBuilder<TPrintTotalClaimOptions> {
 public:
  TotalClaimBuilder(Canvas& c, const SlipSources& src, const TPrintTotalClaimOptions& o, bool a4)
      : SheetBuilder(c, src, o, a4, TChartType::tcGoukeiSeikyu) {}

  void Build(double t, bool hikae) {
    DrawTitle(c_, t + TITLETOP, hikae ? title_ + "(控)" : title_);
    const std::string& code = doc_.CustomerInfo().CustomerCode();
    if (config_.PrintCheckCusCode() && !code.empty())
      c_.TextIn(FONT_SMALL, c_.X(CUSCODELEFT), c_.Y(t + CUSCODETOP), "お客様コード： " + code,
                BesideTitle(c_, CUSCODELEFT, hikae ? title_ + "(控)" : title_));
    if (!doc_.SlipCodeStr().empty()) c_.TextMm(FONT_SMALL, SLIPCODELEFT, t + SLIPCODETOP, "№" + doc_.SlipCodeStr());
    c_.TextMm(FONT_SMALL, DATALEFT, t + DATATOP,
              doc_.SlipDateStrYY() + "年" + doc_.SlipDateStrMM() + "月" + doc_.SlipDateStrDD() + "日  締め切り分");
    DrawAddressee(c_, doc_.CustomerInfo(),
                  {RLEFT, t + RZIPTOP, t + RADD1TOP, t + RADD2TOP, t + RNAME1TOP, FONT_ADDRESS, config_.SenderFontSize(),
                   SLEFT - 2});
    DrawSender(c_, company_,
               {SLEFT, t + SZIPTOP, t + SADD1TOP, t + SADD2TOP, {t + SNAME1TOP, t + SNAME2TOP, t + SNAME3TOP},
                t + SPERSONTOP, t + STELTOP, FONT_SMALL, FONT_SMALL},
               o_.PrintName);
    DrawCompanySeal(c_, company_, SealPlace::TotalClaim, a4_, t);
    if (o_.PrintBank) {
      const TMxPayBankAccount& bank = SelectedBank(src_);
      c_.TextMm(FONT_SMALL, SLEFT, t + BANKNAMETOP, bank.BankName());
      c_.TextMm(FONT_SMALL, SLEFT, t + BANKACCTOP, bank.BankNo());
      c_.TextMm(FONT_SMALL, SLEFT, t + BANKACCNAMETOP, bank.BankOwnerName());
    }
    c_.TextMm(FONT_SMALL, RLEFT, t + MSGTOP, message_);
    if (PrintsQualified(TChartType::tcGoukeiSeikyu, o_.PrintRegistNo, company_)) Qualified(t);
    Amounts(t);
    Remarks(t);
    DrawCutLine(c_, t + ONEHIG, SEPLINEWID);
  }

 private:
  double Left() const { return c_.Geometry().widthDots / c_.Geometry().dotsPerMmX / 2 - LISTWID / 2; }

  // The registration number under the sender block (and its bank account); the totals
  // per rate one line each under the addressee, above the greeting.
  void Qualified(double t) {
    c_.TextIn(FONT_SMALL, c_.X(SLEFT), c_.Y(t + (o_.PrintBank ? REGISTNOBANKTOP : REGISTNOTOP)),
              RegistNoLine(company_), {c_.X(SLEFT), c_.PrintableRight()});
    const std::vector<TaxSummaryLine> lines = TaxSummaryLines(doc_, config_);
    for (std::size_t i = 0; i < lines.size(); ++i)
      c_.TextIn(FONT_SMALL, c_.X(RLEFT), c_.Y(t + TAXSUMTOP + TAXSUMHIG * static_cast<double>(i)), lines[i].OneLine(),
                c_.CellMm(RLEFT, SLEFT - 2));
  }

  void Amounts(double t) {
    const double x0 = Left();
    const double top = t + LISTTOP;
    PageImage& page = c_.Page();
    page.SetBrushSolid(config_.LineColorOdd());
    page.FillRect(c_.BoxMm(x0, top, x0 + LISTWID, top + LISTTITLEHIG));
    page.SetBrushSolid(config_.LineColorEven());
    page.FillRect(c_.BoxMm(x0, top + LISTTITLEHIG, x0 + LISTWID, top + LISTTITLEHIG + LISTNUMHIG));
    page.SetBrushClear();
    page.SetPen(kNavy, 2);
    for (double y : {top, top + LISTTITLEHIG, top + LISTTITLEHIG + LISTNUMHIG}) c_.LineMm(x0, y, x0 + LISTWID, y);
    for (double dx : {0.0, 30.0, 60.0, 90.0, 120.0, 150.0, LISTWID})
      c_.LineMm(x0 + dx, top, x0 + dx, top + LISTTITLEHIG + LISTNUMHIG);

    const bool dp = config_.PrintDecimalPoint();
    const std::string captions[] = {"前回御請求額", "御入金額", "繰越金額", "御買上額", "消費税額", "今回御請求額"};
    const std::string amounts[] = {o_.PreClaim,
                                   o_.PrePaid,
                                   o_.Result,
                                   CommaAdd(true, doc_.SubTotalPrice(), dp),
                                   CommaAdd(true, doc_.TotalTax(), dp),
                                   AmountNowInvoiced(src_, o_)};
    const int height = c_.Height(FONT_SMALL);
    for (int i = 0; i < 6; ++i) {
      const double left = x0 + LISTCELLWID * i;
      const double width = i == 5 ? LISTGTCELLWID : LISTCELLWID;
      const int w = c_.Width(captions[i], FONT_SMALL);
      c_.TextIn(FONT_SMALL, c_.X(left + width / 2) - w / 2, c_.Y(top + 4) - height / 2, captions[i],
                c_.CellMm(left + 0.5, left + width - 0.5, TextAlign::Centre));
      const int aw = c_.Width(amounts[i], FONT_SMALL);
      c_.TextIn(FONT_SMALL, c_.X(left + width - 2) - aw, c_.Y(top + 16) - height, amounts[i],
                c_.CellMm(left + 2, left + width - 2, TextAlign::Right, 1.5));
    }
    page.SetPen(kBlack, 2);
  }

  void Remarks(double t) {
    const double x0 = Left();
    const std::vector<std::string> lines = SplitLines(doc_.EtcStr());
    c_.TextIn(FONT_SMALL, c_.X(x0), c_.Y(t + NOTETOP), "備考：" + (lines.empty() ? std::string() : lines.front()),
              c_.CellMm(x0, x0 + LISTWID));
    const int y = c_.Y(t + NOTETOP + 0.5) + c_.Height(FONT_SMALL);
    c_.Page().Line({c_.X(x0), y}, {c_.X(x0 + LISTWID), y});
  }
};

}  // namespace

PageImage MakeMetaFileTotalClaimPrinter(const SlipSources& src, const TPrintTotalClaimOptions& o, bool a4) {
  return TwoCopySheet<TotalClaimBuilder>(src, o, a4, ONEHIG);
}

}  // namespace qm
