// The FAX cover sheet.
#include <algorithm>

#include "print/document_kinds.h"
#include "print/head_blocks.h"
#include "print/print_geometry.h"
#include "print/slip_pages.h"

namespace qm {
namespace {

// Millimetres from the sheet's top-left corner.
constexpr double TITLETOP = 70;
constexpr double RLEFT = 25, CUSCODETOP = 20, RZIPTOP = 30, RADD1TOP = 35, RADD2TOP = 40, RNAME1TOP = 45;
constexpr double SENDERLEFT = 120, SZIPTOP = 85, SADD1TOP = 89, SADD2TOP = 93;
constexpr double SNAME1TOP = 97, SNAME2TOP = 101, SNAME3TOP = 105, SPERSONTOP = 109.5, STELTOP = 113;
constexpr double LINE_LEFT = 30, LINE_WIDTH = 150;
constexpr double LINE_1_TOP = 125, LINE_2_TOP = 133, LINE_3_TOP = 141, LINE_4_TOP = 149, LINE_5_TOP = 260;
constexpr double FAX_TITLE_TOP = 127.5, FAX_DATE_TOP = 135.5;
constexpr double FAX_OPTION_FRAME_TOP = 142.5, FAX_OPTION_STR_TOP = 143.5;
constexpr double FAX_OPTION_1_FRAME_LEFT = 35, FAX_OPTION_2_FRAME_LEFT = 70, FAX_OPTION_3_FRAME_LEFT = 105,
                 FAX_OPTION_4_FRAME_LEFT = 140;
constexpr double FAX_FRAME_WIDTH = 5;
constexpr double REPORT_TITLE_TOP = 154, REPORT_CONTENT_TOP = 160, REPORT_CONTENT_LEFT = 40;
constexpr double REPORT_CONTENT_STR_SPACE = 3;
constexpr int FONT_SMALL = 10, FONT_ADDRESS = 12, FONT_CHECK = 25;
constexpr int HEAVY_PEN = 5, THIN_PEN = 1;

}  // namespace

PageImage MakeMetaFileFaxSenderPrinter(const SlipSources& src, const TPrintFaxOptions& o, bool a4) {
  const PageGeometry g = A4Page(src.printerDpiX, src.printerDpiY, false);
  PageImage page = BlankPage(g);
  Canvas c(page, g);
  const TMxEstimateObjectList& doc = *src.doc;
  const TMxConfigInfo& config = *src.config;
  const TMxCampanyInfo& company = SelectedCompany(src);
  std::string title, message;
  SetPageTitleAndMessage(TChartType::tcFaxSender, config, title, message);

  DrawTitle(c, TITLETOP, title);
  const std::string& code = doc.CustomerInfo().CustomerCode();
  if (config.PrintCheckCusCode() && !code.empty()) c.TextMm(FONT_SMALL, RLEFT, CUSCODETOP, "お客様コード: " + code);
  DrawAddressee(c, doc.CustomerInfo(),
                {RLEFT, RZIPTOP, RADD1TOP, RADD2TOP, RNAME1TOP, FONT_ADDRESS, config.SenderFontSize()});
  DrawSender(c, company,
             {SENDERLEFT, SZIPTOP, SADD1TOP, SADD2TOP, {SNAME1TOP, SNAME2TOP, SNAME3TOP}, SPERSONTOP, STELTOP,
              FONT_SMALL, FONT_ADDRESS},
             o.PrintName);
  DrawCompanySeal(c, company, SealPlace::FaxSender, a4);

  page.SetPen(kBlack, HEAVY_PEN);
  for (double y : {LINE_1_TOP, LINE_2_TOP, LINE_3_TOP, LINE_4_TOP, LINE_5_TOP})
    c.LineMm(LINE_LEFT, y, LINE_LEFT + LINE_WIDTH, y);
  page.SetPen(kBlack, THIN_PEN);
  // The texts between the heavy rules keep to the rules' length.
  const TextCell ruled = c.CellMm(LINE_LEFT, LINE_LEFT + LINE_WIDTH);
  c.TextIn(FONT_SMALL, c.X(LINE_LEFT), c.Y(FAX_TITLE_TOP), "要件：" + o.Title, ruled);
  c.TextIn(FONT_SMALL, c.X(LINE_LEFT), c.Y(FAX_DATE_TOP),
           "日付：" + doc.SlipDateStrYY() + " 年 " + doc.SlipDateStrMM() + " 月 " + doc.SlipDateStrDD() + " 日 " +
               message + "　　送付枚数：" + std::to_string(o.PaperNum) + "枚",
           ruled);

  const struct {
    double left;
    bool checked;
    const char* caption;
  } requests[] = {{FAX_OPTION_1_FRAME_LEFT, o.Option1, " 至急"},
                  {FAX_OPTION_2_FRAME_LEFT, o.Option2, " ご参考まで"},
                  {FAX_OPTION_3_FRAME_LEFT, o.Option3, " ご確認ください"},
                  {FAX_OPTION_4_FRAME_LEFT, o.Option4, " ご返信ください"}};
  for (const auto& r : requests) {
    page.SetPen(kBlack, HEAVY_PEN);
    page.Rectangle(c.BoxMm(r.left, FAX_OPTION_FRAME_TOP, r.left + FAX_FRAME_WIDTH, FAX_OPTION_FRAME_TOP + FAX_FRAME_WIDTH));
    page.SetPen(kBlack, THIN_PEN);
    if (r.checked) {
      const int w = c.Width("Ｖ", FONT_CHECK);
      c.TextAt(FONT_CHECK, c.X(r.left + FAX_FRAME_WIDTH / 2) - w / 2, c.Y(FAX_OPTION_FRAME_TOP - 2.5), "Ｖ");
    }
    c.TextIn(FONT_SMALL, c.X(r.left + FAX_FRAME_WIDTH), c.Y(FAX_OPTION_STR_TOP), r.caption,
             c.CellMm(r.left + FAX_FRAME_WIDTH, std::min(r.left + FAX_FRAME_WIDTH + 30, LINE_LEFT + LINE_WIDTH)));
  }

  c.TextMm(FONT_SMALL, LINE_LEFT, REPORT_TITLE_TOP, "連絡事項：");
  const std::vector<std::string> notes = SplitLines(o.Content);
  const int lineHeight = c.Height(FONT_SMALL);
  for (std::size_t i = 0; i < notes.size(); ++i) {
    const double mm = REPORT_CONTENT_TOP + REPORT_CONTENT_STR_SPACE * static_cast<double>(i);
    c.TextIn(FONT_SMALL, c.X(REPORT_CONTENT_LEFT), c.Y(mm) + static_cast<int>(i) * lineHeight, notes[i],
             c.CellMm(REPORT_CONTENT_LEFT, LINE_LEFT + LINE_WIDTH));
  }
  return page;
}

}  // namespace qm
