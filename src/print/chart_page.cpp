#include "print/chart_page.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include "base/amount_text.h"
#include "base/error.h"
#include "print/chart_texts.h"
#include "print/head_blocks.h"
#include "print/page_canvas.h"
#include "print/qualified_invoice.h"
#include "print/text_primitives.h"

namespace qm {
namespace {

// Head of the first page, portrait (millimetres from the sheet's top-left corner).
constexpr double TTITLETOP = 15;
constexpr double TRLEFT = 26, TRZIPTOP = 30, TRADD1TOP = 35, TRADD2TOP = 40, TRNAME1TOP = 45;
constexpr double TRPERSONTOP = 63, TRTELTOP = 68;
constexpr double TMSGLEFT = 26, TMSGTOP = 75;
constexpr double TCUSCODELEFT = 26, TCUSCODETOP = 20;
constexpr double TSLIPCODELEFT = 170, TSLIPCODETOP = 20;
constexpr double TDATELEFT = 160, TDATATOP = 26;
constexpr double TSLEFT = 115, TSZIPTOP = 37, TSADD1TOP = 41, TSADD2TOP = 45;
constexpr double TSNAME1TOP = 49, TSNAME2TOP = 53, TSNAME3TOP = 57, TSPERSONTOP = 61, TSTELTOP = 65;
constexpr double TSTAMPLEFT = 155, TSTAMPTOP = 74;
constexpr double TTERMLEFT = 26, TTERMTOP = 80;
constexpr double TBANKNAMETOP = 80, TBANKACCTOP = 84, TBANKACCNAMETOP = 88;
constexpr double TGTOTALTOP = 100;

// The same, landscape.
constexpr double YTITLETOP = 7;
constexpr double YRLEFT = 26, YRZIPTOP = 17, YRADD1TOP = 21, YRADD2TOP = 25, YRNAME1TOP = 29;
constexpr double YRPERSONTOP = 46, YRTELTOP = 50;
constexpr double YMSGLEFT = 26, YMSGTOP = 55;
constexpr double YCUSCODELEFT = 26, YCUSCODETOP = 12;
constexpr double YSLIPCODELEFT = 250, YSLIPCODETOP = 12;
constexpr double YDATELEFT = 240, YDATETOP = 17;
constexpr double YSLEFT = 210, YSZIPTOP = 22, YSADD1TOP = 26, YSADD2TOP = 30;
constexpr double YSNAME1TOP = 34, YSNAME2TOP = 38, YSNAME3TOP = 42, YSPERSONTOP = 46, YSTELTOP = 50;
constexpr double YSTAMPLEFT = 245, YSTAMPTOP = 59;
constexpr double YTERMLEFT = 26, YTERMTOP = 59;
constexpr double YBANKNAMETOP = 59, YBANKACCTOP = 63, YBANKACCNAMETOP = 67;
constexpr double YGTOTALTOP = 79;

// Sizes shared by both orientations.
constexpr double STAMPWID = 15, STAMPTITLEHIG = 5, STAMPHIG = 15;
constexpr int FONT_SMALL = 10, FONT_NOMAL = 10, FONT_MONEY = 18;
constexpr int FONT_ADDRESS = 12;  // addressee's address and the sender's names
constexpr int FONT_PAGENO = 12;

// The item table.
constexpr double LINEHIG = 5.5;
constexpr double TLISTWID = 180, YLISTWID = 260;
constexpr double TLISTTOP1 = 110, TLISTTOP2 = 110, TLISTTOP3 = 30, TLISTTOP4 = 30;
constexpr double YLISTTOP1 = 90, YLISTTOP2 = 90, YLISTTOP3 = 10, YLISTTOP4 = 10;
constexpr double TLISTHIG1 = 154, TLISTHIG2 = 148.5, TLISTHIG3 = 231, TLISTHIG4 = 236.5;
constexpr double YLISTHIG1 = 99, YLISTHIG2 = 93.5, YLISTHIG3 = 176, YLISTHIG4 = 181.5;
constexpr double FREEEDIT = 20, COST = 25;
constexpr double TITEMNAME = 40, TARC = 15, TUNITNAME = 12, TUNITPRICE = 25, TPRICE = 25, TBIKO = 15;
constexpr double YITEMNAME = 70, YARC = 20, YUNITNAME = 15, YUNITPRICE = 30, YPRICE = 40, YBIKO = 55;
constexpr double TOTALLABELLEFT = 50;  // total labels, from the table's left edge
constexpr double kGapMm = 2;           // between a text and the block beside it
constexpr double kRegistNoBelowMm = 4;  // the registration number below the telephone line

struct HeadLayout {
  double titleTop;
  double rLeft, rZipTop, rAdd1Top, rAdd2Top, rName1Top, rPersonTop, rTelTop;
  double msgLeft, msgTop, cusCodeLeft, cusCodeTop, slipCodeLeft, slipCodeTop, dateLeft, dateTop;
  double sLeft, sZipTop, sAdd1Top, sAdd2Top, sNameTop[3], sPersonTop, sTelTop;
  double stampLeft, stampTop, termLeft, termTop, bankTop[3], gTotalTop;
};

constexpr HeadLayout kPortraitHead = {
    TTITLETOP,     TRLEFT,       TRZIPTOP,    TRADD1TOP,    TRADD2TOP,
    TRNAME1TOP,    TRPERSONTOP,  TRTELTOP,    TMSGLEFT,     TMSGTOP,
    TCUSCODELEFT,  TCUSCODETOP,  TSLIPCODELEFT, TSLIPCODETOP, TDATELEFT,
    TDATATOP,      TSLEFT,       TSZIPTOP,    TSADD1TOP,    TSADD2TOP,
    {TSNAME1TOP, TSNAME2TOP, TSNAME3TOP},     TSPERSONTOP,  TSTELTOP,
    TSTAMPLEFT,    TSTAMPTOP,    TTERMLEFT,   TTERMTOP,     {TBANKNAMETOP, TBANKACCTOP, TBANKACCNAMETOP},
    TGTOTALTOP};

constexpr HeadLayout kLandscapeHead = {
    YTITLETOP,     YRLEFT,       YRZIPTOP,    YRADD1TOP,    YRADD2TOP,
    YRNAME1TOP,    YRPERSONTOP,  YRTELTOP,    YMSGLEFT,     YMSGTOP,
    YCUSCODELEFT,  YCUSCODETOP,  YSLIPCODELEFT, YSLIPCODETOP, YDATELEFT,
    YDATETOP,      YSLEFT,       YSZIPTOP,    YSADD1TOP,    YSADD2TOP,
    {YSNAME1TOP, YSNAME2TOP, YSNAME3TOP},     YSPERSONTOP,  YSTELTOP,
    YSTAMPLEFT,    YSTAMPTOP,    YTERMLEFT,   YTERMTOP,     {YBANKNAMETOP, YBANKACCTOP, YBANKACCNAMETOP},
    YGTOTALTOP};

double SheetWidthMm(bool landscape) { return landscape ? 297 : 210; }

bool IsTanka(TChartType kind) { return kind == TChartType::tcTankaMitumori; }

int PageIndex(int pageType) { return std::clamp(pageType, 1, 4) - 1; }

double TableTop(int pageType, bool landscape) {
  static constexpr double portrait[] = {TLISTTOP1, TLISTTOP2, TLISTTOP3, TLISTTOP4};
  static constexpr double wide[] = {YLISTTOP1, YLISTTOP2, YLISTTOP3, YLISTTOP4};
  return (landscape ? wide : portrait)[PageIndex(pageType)];
}

double FrameHeight(int pageType, bool landscape) {
  static constexpr double portrait[] = {TLISTHIG1, TLISTHIG2, TLISTHIG3, TLISTHIG4};
  static constexpr double wide[] = {YLISTHIG1, YLISTHIG2, YLISTHIG3, YLISTHIG4};
  return (landscape ? wide : portrait)[PageIndex(pageType)];
}

// Ruled rows of the table, the caption row included.
int RuledRows(int pageType, bool landscape) {
  static constexpr int portrait[] = {24, 27, 42, 39};
  static constexpr int wide[] = {14, 17, 32, 29};
  return (landscape ? wide : portrait)[PageIndex(pageType)];
}

bool HasTotalsRows(int pageType) { return pageType == kOnlyPage || pageType == kLastPage; }

// ---------------------------------------------------------------------------------
// The head of the first page.

class HeadBuilder {
 public:
  HeadBuilder(Canvas& c, const ChartPageSources& src, TChartType kind, bool landscape, bool hikae, bool a4)
      : c_(c),
        src_(src),
        doc_(*src.doc),
        config_(*src.config),
        company_(SelectedCompany(src)),
        opt_(src.settings.options),
        kind_(kind),
        l_(landscape ? kLandscapeHead : kPortraitHead),
        landscape_(landscape),
        hikae_(hikae),
        a4_(a4) {}

  void Build() {
    Title();
    Addressee();
    c_.TextIn(FONT_SMALL, c_.X(l_.msgLeft), c_.Y(l_.msgTop), message_, BesideStamps(l_.msgLeft));
    if (!doc_.SlipCodeStr().empty()) c_.TextMm(FONT_SMALL, l_.slipCodeLeft, l_.slipCodeTop, "№" + doc_.SlipCodeStr());
    c_.TextMm(FONT_SMALL, l_.dateLeft, l_.dateTop,
              doc_.SlipDateStrYY() + "年 " + doc_.SlipDateStrMM() + "月 " + doc_.SlipDateStrDD() + "日");
    const std::string& code = doc_.CustomerInfo().CustomerCode();
    if (config_.PrintCheckCusCode() && !code.empty())
      c_.TextIn(FONT_SMALL, c_.X(l_.cusCodeLeft), c_.Y(l_.cusCodeTop), "お客様コード: " + code,
                BesideTitle(c_, l_.cusCodeLeft, title_));
    Sender();
    CompanySeal();
    if (opt_.PrintStampArea) StampBoxes();
    BankOrHeaderFields();
    if (!IsTanka(kind_) && opt_.PrintGrandTotalFrame) GrandTotal();
  }

 private:
  void Title() {
    std::string title;
    SetPageTitleAndMessage(kind_, config_, title, message_);
    if (hikae_) title += "(控)";
    DrawTitle(c_, l_.titleTop, title);
    title_ = title;
  }

  // Left of the stamp boxes when they are printed, else to the printable edge.
  TextCell BesideStamps(double leftMm) const {
    const int right = opt_.PrintStampArea ? c_.X(l_.stampLeft - kGapMm) : c_.PrintableRight();
    return {c_.X(leftMm), right};
  }

  // The addressee's lines end short of the sender block beside them.
  TextCell AddresseeCell() const { return {c_.X(l_.rLeft), c_.X(l_.sLeft - kGapMm)}; }
  void AddresseeText(double top, const std::string& text) {
    c_.TextIn(FONT_ADDRESS, c_.X(l_.rLeft), c_.Y(top), text, AddresseeCell());
  }

  void Logo(double left, double top) { DrawLogo(c_, company_, left, top); }

  void NameBlock(double top, const std::vector<std::string>& lines) {
    DrawNameBlock(c_, l_.rLeft, top, lines, config_.SenderFontSize(), l_.sLeft - kGapMm);
  }

  void Addressee() {
    if (!opt_.ChangeSR) {
      DrawAddressee(c_, doc_.CustomerInfo(),
                    {l_.rLeft, l_.rZipTop, l_.rAdd1Top, l_.rAdd2Top, l_.rName1Top, FONT_ADDRESS, config_.SenderFontSize(),
                     l_.sLeft - kGapMm});
      return;
    }
    // The company addressed to itself.
    if (company_.ChkUseLogoImage()) {
      Logo(l_.rLeft, l_.rZipTop);
      return;
    }
    if (!company_.ZipNo().empty()) AddresseeText(l_.rZipTop, "〒" + company_.ZipNo());
    AddresseeText(l_.rAdd1Top, company_.Address1());
    AddresseeText(l_.rAdd2Top, company_.Address2());
    NameBlock(l_.rName1Top,
              NameLines(company_.CampanyName1(), company_.CampanyName2(), company_.CampanyName3(), " 行き"));
    if (opt_.PrintName) AddresseeText(l_.rPersonTop, company_.ChargeName());
    AddresseeText(l_.rTelTop, company_.TelFax());
  }

  void Sender() {
    const SenderLayout layout{l_.sLeft,      l_.sZipTop,  l_.sAdd1Top,  l_.sAdd2Top,  {l_.sNameTop[0], l_.sNameTop[1], l_.sNameTop[2]},
                              l_.sPersonTop, l_.sTelTop, FONT_SMALL, FONT_ADDRESS};
    if (opt_.ChangeSR) {
      DrawCustomerAsSender(c_, doc_.CustomerInfo(), layout);
      return;
    }
    DrawSender(c_, company_, layout, opt_.PrintName);
    // The issuer's registration number, one line under the sender block.
    if (PrintsQualified(src_, kind_))
      c_.TextIn(FONT_SMALL, c_.X(l_.sLeft), c_.Y(l_.sTelTop + kRegistNoBelowMm), RegistNoLine(company_),
                {c_.X(l_.sLeft), c_.PrintableRight()});
  }

  void CompanySeal() { DrawCompanySeal(c_, company_, SealPlace::Detail, a4_); }

  void StampBoxes() {
    const double x0 = l_.stampLeft, y0 = l_.stampTop;
    for (double dy : {0.0, STAMPTITLEHIG, STAMPTITLEHIG + STAMPHIG}) c_.LineMm(x0, y0 + dy, x0 + 2 * STAMPWID, y0 + dy);
    for (double dx : {0.0, STAMPWID, 2 * STAMPWID})
      c_.LineMm(x0 + dx, y0, x0 + dx, y0 + STAMPTITLEHIG + STAMPHIG);

    const std::string captions[] = {opt_.CheckStampMsg,
                                    kind_ == TChartType::tcJyuryou ? "受領印" : "担当者印"};
    const int sealSlots[] = {src_.settings.checkStampSlot, src_.settings.personalStampSlot};
    const double halfBox = STAMPWID * c_.Geometry().dotsPerMmX / 2;
    for (int i = 0; i < 2; ++i) {
      const double left = x0 + STAMPWID * i;
      const int w = c_.Width(captions[i], FONT_SMALL);
      c_.TextIn(FONT_SMALL, RoundEven(halfBox - w / 2) + c_.X(left), c_.Y(y0 + 0.5), captions[i],
                c_.CellMm(left, left + STAMPWID, TextAlign::Centre));
      const int slot = sealSlots[i];
      if (slot < 0 || slot >= TMxConfigInfo::kImgMaxRegistCount) continue;
      const TMxPicture& seal = config_.ImgStamp(slot);
      if (seal.Empty()) continue;
      c_.Page().Bitmap(c_.BoxMm(left + 0.5, y0 + 0.5 + STAMPTITLEHIG, left - 0.5 + STAMPWID,
                                y0 - 0.5 + STAMPTITLEHIG + STAMPHIG),
                       seal, std::nullopt);
    }
  }

  void BankOrHeaderFields() {
    if (opt_.PrintBank) {
      const TMxPayBankAccount& bank = SelectedBank(src_);
      const std::string lines[] = {bank.BankName(), bank.BankNo(), bank.BankOwnerName()};
      for (int i = 0; i < 3; ++i)
        c_.TextIn(FONT_SMALL, c_.X(l_.termLeft), c_.Y(l_.bankTop[i]), lines[i], BesideStamps(l_.termLeft));
      return;
    }
    const std::vector<std::string> fields = HeaderFieldLines(doc_, config_);
    for (std::size_t i = 0; i < fields.size(); ++i)
      c_.TextIn(FONT_SMALL, c_.X(l_.termLeft), c_.Y(l_.termTop + 4.0 * static_cast<double>(i)),
                std::to_string(i + 1) + ". " + fields[i], BesideStamps(l_.termLeft));
  }

  void GrandTotal() {
    const std::string text = GrandTotalWording(src_, kind_);
    c_.Font(true, true, kBlack);
    const int w = c_.Width(text, FONT_MONEY);
    c_.TextIn(FONT_MONEY, RoundEven(SheetWidthMm(landscape_) / 2 * c_.Geometry().dotsPerMmX) - RoundEven(w / 2.0),
              c_.Y(l_.gTotalTop), text, c_.PrintableCell(TextAlign::Centre));
    c_.PlainFont();
  }

  Canvas& c_;
  const ChartPageSources& src_;
  const TMxEstimateObjectList& doc_;
  const TMxConfigInfo& config_;
  const TMxCampanyInfo& company_;
  const TPrintMitsuOptions& opt_;
  TChartType kind_;
  const HeadLayout& l_;
  bool landscape_;
  bool hikae_;
  bool a4_;
  std::string message_;
  std::string title_;
};

// ---------------------------------------------------------------------------------
// The item table.

enum class Col { FreeEdit, Name, Num, Unit, UnitPrice, Cost, Amount, Note };

struct Column {
  Col col;
  double left;  // from the table's left edge
  double width;
  std::string caption;
};

std::vector<Column> TableColumns(const TPrintMitsuOptions& opt, const TMxConfigInfo& config, bool landscape) {
  const double tableWidth = landscape ? YLISTWID : TLISTWID;
  const double widen = opt.PrintNote ? 0 : (landscape ? YBIKO : TBIKO);
  std::vector<Column> cols;
  if (opt.PrintFreeEdit) cols.push_back({Col::FreeEdit, 0, FREEEDIT, config.PrintHeadFreeEdit()});
  cols.push_back({Col::Name, 0, landscape ? YITEMNAME : TITEMNAME, config.PrintHeadItemName()});
  cols.front().width += widen;  // the first column takes the room of the missing remarks
  cols.push_back({Col::Num, 0, landscape ? YARC : TARC, config.PrintHeadNum()});
  cols.push_back({Col::Unit, 0, landscape ? YUNITNAME : TUNITNAME, config.PrintHeadItemUnit()});
  cols.push_back({Col::UnitPrice, 0, landscape ? YUNITPRICE : TUNITPRICE, config.PrintHeadUnitPrice()});
  if (opt.PrintCost) cols.push_back({Col::Cost, 0, COST, config.PrintHeadCost()});
  cols.push_back({Col::Amount, 0, landscape ? YPRICE : TPRICE, config.PrintHeadPrice()});
  if (opt.PrintNote) cols.push_back({Col::Note, 0, 0, config.PrintHeadNote()});
  double x = 0;
  for (Column& c : cols) {
    c.left = x;
    x += c.width;
  }
  // The last column (remarks, or the amount without them) runs to the right edge.
  cols.back().width = tableWidth - cols.back().left;
  return cols;
}

class TableBuilder {
 public:
  TableBuilder(Canvas& c, const ChartPageSources& src, TChartType kind, int pageType, bool landscape,
               int maxPage, int nowPage)
      : c_(c),
        doc_(*src.doc),
        config_(*src.config),
        opt_(src.settings.options),
        tax_(src.settings.tax),
        qualified_(PrintsQualified(src, kind)),
        kind_(kind),
        pageType_(pageType),
        landscape_(landscape),
        maxPage_(maxPage),
        nowPage_(nowPage),
        cols_(TableColumns(opt_, config_, landscape)),
        width_(landscape ? YLISTWID : TLISTWID),
        left_(SheetWidthMm(landscape) / 2 - width_ / 2),
        top_(TableTop(pageType, landscape)),
        rows_(RuledRows(pageType, landscape)) {}

  void Build() {
    Stripes();
    Captions();
    Grid();
    const std::optional<Currency> pageTotal = Items();
    if (!IsTanka(kind_) && HasTotalsRows(pageType_)) Totals();
    if (!IsTanka(kind_) && (pageType_ == kFirstPage || pageType_ == kMiddlePage)) PageTotal(pageTotal);
    if (HasTotalsRows(pageType_)) Remarks();
    if (pageType_ != kOnlyPage) PageNumber();
  }

 private:
  int RowTop(int r) const { return c_.Y(top_ + LINEHIG * r); }
  int TextTop(int r) const { return c_.Y(top_) + c_.Y(1 + LINEHIG * r); }
  const Column* Find(Col col) const {
    for (const Column& c : cols_)
      if (c.col == col) return &c;
    return nullptr;
  }

  void Stripes() {
    PageImage& page = c_.Page();
    for (int r = 0; r < rows_; ++r) {
      page.SetBrushSolid(r % 2 == 0 ? config_.LineColorOdd() : config_.LineColorEven());
      page.FillRect(Canvas::Box(c_.X(left_), RowTop(r), c_.X(left_ + width_), RowTop(r + 1)));
    }
    page.SetBrushClear();
  }

  // Inside a column, half a millimetre from its rules.
  TextCell Cell(const Column& col, TextAlign align) const {
    return c_.CellMm(left_ + col.left + 0.5, left_ + col.left + col.width - 0.5, align, 0.5);
  }

  void Captions() {
    const double dpm = c_.Geometry().dotsPerMmX;
    for (const Column& col : cols_) {
      const int w = c_.Width(col.caption, FONT_NOMAL);
      c_.TextIn(FONT_NOMAL, c_.X(left_ + col.left) + RoundEven(col.width * dpm / 2 - w / 2), TextTop(0),
                col.caption, Cell(col, TextAlign::Centre));
    }
  }

  void Grid() {
    PageImage& page = c_.Page();
    page.SetPen(kNavy, 2);
    page.Rectangle(c_.BoxMm(left_, top_, left_ + width_, top_ + FrameHeight(pageType_, landscape_)));
    // Item columns stop above the totals rows; the amount column's edges run the full
    // ruled height.
    int itemEnd = IsTanka(kind_) ? rows_ : (HasTotalsRows(pageType_) ? rows_ - 3 : rows_ - 1);
    const Column* amount = Find(Col::Amount);
    for (std::size_t i = 1; i < cols_.size(); ++i) {
      const Column& col = cols_[i];
      const bool bracketsAmount = &col == amount || (i > 0 && &cols_[i - 1] == amount);
      const int end = bracketsAmount ? rows_ : itemEnd;
      page.Line({c_.X(left_ + col.left), RowTop(0)}, {c_.X(left_ + col.left), RowTop(end)});
    }
    for (int r = 1; r <= rows_; ++r) page.Line({c_.X(left_), RowTop(r)}, {c_.X(left_ + width_), RowTop(r)});
    page.SetPen(kBlack, 2);
  }

  void RightAligned(const Column& col, int row, const std::string& text) {
    const int w = c_.Width(text, FONT_NOMAL);
    c_.TextIn(FONT_NOMAL, c_.X(left_ + col.left + col.width - 0.5) - w, TextTop(row), text,
              Cell(col, TextAlign::Right));
  }

  void LeftAligned(const Column& col, int row, const std::string& text) {
    c_.TextIn(FONT_NOMAL, c_.X(left_ + col.left + 0.5), TextTop(row), text, Cell(col, TextAlign::Left));
  }

  // m with a raised 3, in the room of one full-width character.
  void CubicMetre(const Column& col, int row) {
    const int x = c_.X(left_ + col.left + 0.5);
    const int y = TextTop(row);
    c_.TextIn(FONT_NOMAL, x, y, "m", Cell(col, TextAlign::Left));
    c_.TextIn(FONT_NOMAL * 6 / 10, x + c_.Width("m", FONT_NOMAL), y, "3", Cell(col, TextAlign::Left));
  }

  std::optional<Currency> Items() {
    const bool dp = config_.PrintDecimalPoint();
    const auto [first, end] = PageLines(kind_, pageType_, landscape_, nowPage_, doc_.Count());
    for (int i = first; i < end; ++i) {
      const TMxEstimateObject& line = doc_.Items(i);
      const int row = i - first + 1;
      for (const Column& col : cols_) {
        switch (col.col) {
          case Col::FreeEdit: LeftAligned(col, row, line.FreeEdit()); break;
          case Col::Name: LeftAligned(col, row, IndentedName(line, opt_.PrintBunrui)); break;
          case Col::Num: Number(col, row, line.Num(), dp); break;
          case Col::Unit:
            if (line.ItemUnit() == "m3") CubicMetre(col, row);
            else LeftAligned(col, row, line.ItemUnit());
            break;
          case Col::UnitPrice: Number(col, row, line.Price(), dp); break;
          case Col::Cost: Number(col, row, line.Cost(), dp); break;
          case Col::Amount: Number(col, row, line.TotalPrice(), dp); break;
          case Col::Note: LeftAligned(col, row, line.Note()); break;
        }
      }
    }
    return qm::PageTotal(doc_, first, end);
  }

  void Number(const Column& col, int row, Currency value, bool dp) {
    if (!value.IsZero()) RightAligned(col, row, CommaAdd(false, value, dp));
  }

  // The labels of the totals rows, up to the amount column.
  void Label(int row, const std::string& text) {
    c_.TextIn(FONT_NOMAL, c_.X(left_ + TOTALLABELLEFT), TextTop(row), text,
              c_.CellMm(left_ + TOTALLABELLEFT, left_ + Find(Col::Amount)->left - 0.5));
  }

  void Totals() {
    const bool dp = config_.PrintDecimalPoint();
    const bool amounts = opt_.PrintSubtotalTotal;
    const Column& amount = *Find(Col::Amount);
    const bool noTax = tax_ == TTaxChoice::NoTax;
    if (!(noTax && config_.TaxLessNotPrintSubTotal())) {
      Label(rows_ - 3, "小　計");
      if (amounts) RightAligned(amount, rows_ - 3, CommaAdd(true, doc_.SubTotalPrice(), dp));
    }
    if (!noTax) {
      Label(rows_ - 2, "消費税(" + CommaAdd(true, doc_.TaxRate(), dp) + "%)");
      if (amounts) RightAligned(amount, rows_ - 2, CommaAdd(true, doc_.TotalTax(), dp));
    }
    Label(rows_ - 1, "合　計");
    if (amounts) RightAligned(amount, rows_ - 1, CommaAdd(true, doc_.TotalPrice(), dp));
    if (qualified_) TaxSummary();
  }

  // The totals per rate, left of the totals labels: the rate's amount, its tax on the
  // row below, then the taxless amount.
  void TaxSummary() {
    const std::vector<std::string> rows = TaxSummaryRows(doc_, config_);
    const TextCell cell = c_.CellMm(left_ + 0.5, left_ + TOTALLABELLEFT - kGapMm);
    for (std::size_t i = 0; i < rows.size(); ++i)
      c_.TextIn(FONT_NOMAL, c_.X(left_ + 0.5), TextTop(rows_ - 3 + static_cast<int>(i)), rows[i], cell);
  }

  void PageTotal(const std::optional<Currency>& total) {
    Label(rows_ - 1, "(ページ計)");
    // A page of lines whose sum leaves the amount range prints no figure rather than a wrong one.
    if (opt_.PrintSubtotalTotal && total)
      RightAligned(*Find(Col::Amount), rows_ - 1, CommaAdd(false, *total, config_.PrintDecimalPoint()));
  }

  void Remarks() {
    const std::vector<std::string> lines = RemarkLines(doc_.EtcStr());
    for (std::size_t i = 0; i < lines.size(); ++i)
      c_.TextIn(FONT_NOMAL, c_.X(left_ + 0.5), TextTop(rows_ + static_cast<int>(i)), lines[i],
                c_.CellMm(left_ + 0.5, left_ + width_ - 0.5));
  }

  void PageNumber() {
    const std::string text = "( " + std::to_string(nowPage_) + " / " + std::to_string(maxPage_) + " )";
    const int w = c_.Width(text, FONT_PAGENO);
    c_.TextAt(FONT_PAGENO, c_.Geometry().widthDots / 2 - w / 2,
              c_.Y(top_ + FrameHeight(pageType_, landscape_) + 2), text);
  }

  Canvas& c_;
  const TMxEstimateObjectList& doc_;
  const TMxConfigInfo& config_;
  const TPrintMitsuOptions& opt_;
  TTaxChoice tax_;
  bool qualified_;
  TChartType kind_;
  int pageType_;
  bool landscape_;
  int maxPage_;
  int nowPage_;
  std::vector<Column> cols_;
  double width_;
  double left_;
  double top_;
  int rows_;
};

}  // namespace

// ---------------------------------------------------------------------------------

std::vector<SealEntry> SealList(const TMxConfigInfo& config) {
  std::vector<SealEntry> list{{kNoSealCaption, -1}};
  for (int i = 0; i < TMxConfigInfo::kImgMaxRegistCount; ++i)
    if (QFileInfo::exists(QString::fromStdString(config.StampFileName(i)))) list.push_back({SealName(config, i), i});
  return list;
}

int SealSlotOf(const std::vector<SealEntry>& list, const std::string& caption) {
  for (const SealEntry& e : list)
    if (e.caption == caption) return e.slot;
  return -1;
}

const std::string& SealName(const TMxConfigInfo& config, int slot) {
  switch (slot) {
    case 0: return config.NatsuinName1();
    case 1: return config.NatsuinName2();
    case 2: return config.NatsuinName3();
    case 3: return config.NatsuinName4();
    case 4: return config.NatsuinName5();
    case 5: return config.NatsuinName6();
    default: throw Error("seal slot " + std::to_string(slot) + " does not exist");
  }
}

std::vector<std::string> CompanyListEntries() { return {"会社情報1", "会社情報2", "会社情報3"}; }
std::vector<std::string> BankListEntries() { return {"振込先情報1", "振込先情報2"}; }

int EntryIndex(const std::vector<std::string>& entries, const std::string& text) {
  const auto it = std::find(entries.begin(), entries.end(), text);
  return it == entries.end() ? 0 : static_cast<int>(it - entries.begin());
}

ChartPrintSettings ResolveChartSettings(const TPrintMitsuOptions& options, const TMxConfigInfo& config,
                                        const TMxEstimateObjectList& doc) {
  ChartPrintSettings s;
  s.options = options;
  s.tax = DeriveTaxChoice(doc);
  s.companyIndex = EntryIndex(CompanyListEntries(), options.CustomerInfo);
  s.bankIndex = EntryIndex(BankListEntries(), options.PayBank);
  const std::vector<SealEntry> seals = SealList(config);
  s.checkStampSlot = SealSlotOf(seals, options.CheckStamp);
  s.personalStampSlot = SealSlotOf(seals, options.PersonalStamp);
  return s;
}

PageImage MakeMetaFileChartPrinter(const ChartPageSources& src, TChartType kind, int pageType, int orientType,
                                   int maxPage, int nowPage, bool hikae, bool a4) {
  const bool landscape = orientType == 1;
  const PageGeometry g = A4Page(src.printerDpiX, src.printerDpiY, landscape);
  PageImage page = BlankPage(g);
  Canvas canvas(page, g);
  if (pageType == kOnlyPage || pageType == kFirstPage) HeadBuilder(canvas, src, kind, landscape, hikae, a4).Build();
  TableBuilder(canvas, src, kind, pageType, landscape, maxPage, nowPage).Build();
  return page;
}

}  // namespace qm
