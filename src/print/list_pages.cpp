// The item list and the customer list pages.
#include "print/list_pages.h"

#include "base/amount_text.h"
#include "print/page_canvas.h"
#include "print/print_geometry.h"

#include <array>

namespace qm {
namespace {

constexpr double TITLETOP = 15, DATE_BOTTOM = 24.5, DATE_RIGHT = 189.5, PAGE_NO_TOP = 267;
constexpr double LINE_LEFT = 10, LINE_TOP = 25, LINE_WIDTH = 180, LINE_HEIGHT = 240;
constexpr int FONT_TITLE = 18, FONT_DATE = 8, FONT_PAGE = 12;

// Item list.
constexpr double ITEM_HEIGHT = 5;
constexpr int DRAW_ITEM_NUM = 47;
constexpr double ITEM_NAME_LEFT = 10, ITEM_UNIT_LEFT = 128, ITEM_PRICE_LEFT = 140, ITEM_COST_LEFT = 165;
constexpr int FONT_ITEM = 10;

// Customer list.
constexpr double AREA_HEIGHT = 5, BLOCK_HEIGHT = 15;
constexpr int DRAW_CUSTOMER_NUM = 15;
constexpr int FONT_CUSTOMER = 8;
constexpr int BLOCK_PEN = 7, ROW_PEN = 2, FRAME_PEN = 5, THIN_PEN = 1;

// The head and foot both lists share: title, date, page number.
void HeadAndFoot(Canvas& c, const ListSources& src, const std::string& title, int nowPage, int maxPage) {
  c.Font(false, true, kNavy);
  c.TextCentred(FONT_TITLE, c.Y(TITLETOP), title);
  c.PlainFont();
  const std::string date = ListDate(*src.doc);
  c.TextAt(FONT_DATE, c.X(DATE_RIGHT) - c.Width(date, FONT_DATE), c.Y(DATE_BOTTOM) - c.Height(FONT_DATE), date);
  c.TextCentred(FONT_PAGE, c.Y(PAGE_NO_TOP),
                "( " + std::to_string(nowPage) + " / " + std::to_string(maxPage) + " )");
}

// Text vertically centred on `yMm`: from its left at `xMm` up to `endMm`, or ending at
// `xMm` and starting no further left than `startMm`.
void Left(Canvas& c, int size, double xMm, double yMm, const std::string& text, double endMm) {
  c.TextIn(size, c.X(xMm), c.Y(yMm) - c.Height(size) / 2, text, c.CellMm(xMm, endMm));
}
void Right(Canvas& c, int size, double xMm, double yMm, const std::string& text, double startMm) {
  c.TextIn(size, c.X(xMm) - c.Width(text, size), c.Y(yMm) - c.Height(size) / 2, text,
           c.CellMm(startMm, xMm, TextAlign::Right, 0.5));
}
void Centred(Canvas& c, int size, double xMm, double yMm, const std::string& text) {
  c.TextAt(size, c.X(xMm) - c.Width(text, size) / 2, c.Y(yMm) - c.Height(size) / 2, text);
}

void Fill(Canvas& c, TColor colour, double l, double t, double r, double b) {
  c.Page().SetBrushSolid(colour);
  c.Page().FillRect(c.BoxMm(l, t, r, b));
  c.Page().SetBrushClear();
}

}  // namespace

std::string ListDate(const TMxEstimateObjectList& doc) {
  return doc.SlipDateStrYY() + "年" + doc.SlipDateStrMM() + "月" + doc.SlipDateStrDD() + "日";
}

PageImage MakeMetaFileItemListPrinter(const ListSources& src, int nowPage, int maxPage) {
  const PageGeometry g = A4Page(src.printerDpiX, src.printerDpiY, false);
  PageImage page = BlankPage(g);
  Canvas c(page, g);
  const TMxConfigInfo& config = *src.config;
  HeadAndFoot(c, src, "品名リスト", nowPage, maxPage);

  const double right = LINE_LEFT + LINE_WIDTH, bottom = LINE_TOP + LINE_HEIGHT;
  for (int r = 0; r <= DRAW_ITEM_NUM; ++r)
    Fill(c, r % 2 == 0 ? config.LineColorOdd() : config.LineColorEven(), LINE_LEFT, LINE_TOP + ITEM_HEIGHT * r, right,
         LINE_TOP + ITEM_HEIGHT * (r + 1));
  page.SetPen(kBlack, FRAME_PEN);
  for (const auto& [x1, y1, x2, y2] : {std::array{LINE_LEFT, LINE_TOP, right, LINE_TOP},
                                       std::array{right, LINE_TOP, right, bottom},
                                       std::array{right, bottom, LINE_LEFT, bottom},
                                       std::array{LINE_LEFT, bottom, LINE_LEFT, LINE_TOP}})
    c.LineMm(x1, y1, x2, y2);
  for (double x : {ITEM_UNIT_LEFT, ITEM_PRICE_LEFT, ITEM_COST_LEFT}) c.LineMm(x, LINE_TOP, x, bottom);
  page.SetPen(kBlack, THIN_PEN);
  for (int r = 1; r <= DRAW_ITEM_NUM; ++r) c.LineMm(LINE_LEFT, LINE_TOP + ITEM_HEIGHT * r, right, LINE_TOP + ITEM_HEIGHT * r);

  const double captionY = LINE_TOP + ITEM_HEIGHT / 2;
  Centred(c, FONT_ITEM, 69, captionY, "品名");
  Centred(c, FONT_ITEM, 134, captionY, "単位");
  Centred(c, FONT_ITEM, 152.5, captionY, "単価");
  Centred(c, FONT_ITEM, 177.5, captionY, "原価");

  const TMxItemObjectList& items = *src.items;
  const bool decimals = config.PrintDecimalPoint();
  for (int k = 0; k < DRAW_ITEM_NUM; ++k) {
    const int index = (nowPage - 1) * DRAW_ITEM_NUM + k;
    if (index >= items.Count()) break;
    const TMxItemObject& item = items.Items(index);
    const double y = LINE_TOP + ITEM_HEIGHT * (k + 1) + ITEM_HEIGHT / 2;
    Left(c, FONT_ITEM, ITEM_NAME_LEFT + 0.5, y, item.ItemName(), ITEM_UNIT_LEFT - 0.5);
    if (item.ItemUnit() != kNoUnit) Left(c, FONT_ITEM, ITEM_UNIT_LEFT + 0.5, y, item.ItemUnit(), ITEM_PRICE_LEFT - 0.5);
    Right(c, FONT_ITEM, ITEM_COST_LEFT - 0.5, y, CommaAdd(false, item.ItemPrice(), decimals), ITEM_PRICE_LEFT + 0.5);
    Right(c, FONT_ITEM, right - 0.5, y, CommaAdd(false, item.ItemCost(), decimals), ITEM_COST_LEFT + 0.5);
  }
  return page;
}

PageImage MakeMetaFileCustomerListPrinter(const ListSources& src, int nowPage, int maxPage) {
  const PageGeometry g = A4Page(src.printerDpiX, src.printerDpiY, false);
  PageImage page = BlankPage(g);
  Canvas c(page, g);
  const TMxConfigInfo& config = *src.config;
  HeadAndFoot(c, src, "お客様一覧", nowPage, maxPage);

  const double right = LINE_LEFT + LINE_WIDTH, bottom = LINE_TOP + LINE_HEIGHT;
  for (int b = 0; b <= DRAW_CUSTOMER_NUM; ++b) {
    const double top = LINE_TOP + BLOCK_HEIGHT * b;
    Fill(c, config.LineColorOdd(), LINE_LEFT, top, right, top + AREA_HEIGHT);
    Fill(c, config.LineColorEven(), LINE_LEFT, top + AREA_HEIGHT, right, top + BLOCK_HEIGHT);
    page.SetPen(kBlack, ROW_PEN);
    for (double x : {30.0, 84.0, 138.0}) c.LineMm(x, top, x, top + AREA_HEIGHT);
    for (double x : {30.0, 138.0}) c.LineMm(x, top + AREA_HEIGHT, x, top + 2 * AREA_HEIGHT);
    c.LineMm(138, top + 2 * AREA_HEIGHT, 138, top + BLOCK_HEIGHT);
    page.SetPen(kBlack, BLOCK_PEN);
    c.LineMm(LINE_LEFT, top, right, top);
    page.SetPen(kBlack, ROW_PEN);
    for (double y : {top + AREA_HEIGHT, top + 2 * AREA_HEIGHT}) c.LineMm(LINE_LEFT, y, right, y);
  }
  page.SetPen(kBlack, BLOCK_PEN);
  for (const auto& [x1, y1, x2, y2] : {std::array{LINE_LEFT, LINE_TOP, right, LINE_TOP},
                                       std::array{right, LINE_TOP, right, bottom},
                                       std::array{right, bottom, LINE_LEFT, bottom},
                                       std::array{LINE_LEFT, bottom, LINE_LEFT, LINE_TOP}})
    c.LineMm(x1, y1, x2, y2);
  page.SetPen(kBlack, ROW_PEN);

  const auto rowY = [](int block, int row) { return LINE_TOP + BLOCK_HEIGHT * block + AREA_HEIGHT * row + AREA_HEIGHT / 2; };
  Centred(c, FONT_CUSTOMER, 20, rowY(0, 0), "お客様コード");
  Centred(c, FONT_CUSTOMER, 57, rowY(0, 0), "会社名１");
  Centred(c, FONT_CUSTOMER, 111, rowY(0, 0), "会社名２");
  Centred(c, FONT_CUSTOMER, 165.5, rowY(0, 0), "会社名３");
  Centred(c, FONT_CUSTOMER, 20, rowY(0, 1), "郵便番号");
  Centred(c, FONT_CUSTOMER, 84, rowY(0, 1), "住所１");
  Centred(c, FONT_CUSTOMER, 165.5, rowY(0, 1), "TEL");
  Centred(c, FONT_CUSTOMER, 74, rowY(0, 2), "住所２");
  Centred(c, FONT_CUSTOMER, 165.5, rowY(0, 2), "FAX");

  const TMxCustomerObjectList& customers = *src.customers;
  for (int k = 0; k < DRAW_CUSTOMER_NUM; ++k) {
    const int index = (nowPage - 1) * DRAW_CUSTOMER_NUM + k;
    if (index >= customers.Count()) break;
    const TMxCustomerObject& cu = customers.Items(index);
    const int b = k + 1;
    const double end = right - 0.5;
    Left(c, FONT_CUSTOMER, 10.5, rowY(b, 0), cu.CustomerCode(), 29.5);
    Left(c, FONT_CUSTOMER, 30.5, rowY(b, 0), cu.CustomerName1(), 83.5);
    Left(c, FONT_CUSTOMER, 84.5, rowY(b, 0), cu.CustomerName2(), 137.5);
    Left(c, FONT_CUSTOMER, 138.5, rowY(b, 0), cu.CustomerName3(), end);
    Left(c, FONT_CUSTOMER, 10.5, rowY(b, 1), cu.ZipNo(), 29.5);
    Left(c, FONT_CUSTOMER, 30.5, rowY(b, 1), cu.Address1(), 137.5);
    Left(c, FONT_CUSTOMER, 138.5, rowY(b, 1), cu.TelNo(), end);
    Left(c, FONT_CUSTOMER, 10.5, rowY(b, 2), cu.Address2(), 137.5);
    Left(c, FONT_CUSTOMER, 138.5, rowY(b, 2), cu.FaxNo(), end);
  }
  return page;
}

}  // namespace qm
