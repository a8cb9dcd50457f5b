#include "pdf/chart_pdf.h"

#include <QPainter>

#include <cmath>

#include "base/amount_text.h"
#include "pdf/pdf_blocks.h"
#include "print/chart_texts.h"
#include "print/head_blocks.h"
#include "print/print_geometry.h"
#include "print/qualified_invoice.h"

namespace qm::pdf {
namespace {

bool IsTanka(TChartType kind) { return kind == TChartType::tcTankaMitumori; }

// Between a text and the block beside it, in points (2 mm).
constexpr int kPdfGap = 6;

std::string Part(bool landscape, int pageKind) {
  std::string part = landscape ? "YokoMitsu" : "TateMitsu";
  if (pageKind == kOnlyPage || pageKind == kFirstPage) return part + "FirstPage";
  return part + (pageKind == kMiddlePage ? "MiddlePage" : "FinalPage");
}

// The items of one estimate-family page by role, and its table cells.
class Page : public TemplateItems {
 public:
  using TemplateItems::TemplateItems;
  void Cell(MitsuColumn column, int row, const std::string& text) const {
    Caption(std::string("Item") + ColumnName(column) + std::to_string(row), text);
  }
};

void FillAddresseeAndSender(Page& page, const ChartPageSources& src, bool qualified) {
  const TPrintMitsuOptions& o = src.settings.options;
  const TMxCampanyInfo& company = SelectedCompany(src);
  const TMxCustomerObject& cu = src.doc->CustomerInfo();
  TPRText& customerAddress = page.Text("CustomerAddress");
  TPRText& myAddress = page.Text("MyAddress");
  TPRImage& logo = page.Image("CampanyLogo");
  if (!o.ChangeSR) {
    customerAddress.Lines = AddressLines(cu.ZipNo(), cu.Address1(), cu.Address2());
    FillCustomerNames(page, "CustomerName", cu);
    TPRText& contact = page.Text("MyTelFaxChargeName1");
    if (company.ChkUseLogoImage()) {
      PlaceLogo(logo, company, myAddress);
    } else {
      myAddress.Lines = AddressLines(company.ZipNo(), company.Address1(), company.Address2());
      page.Names("MyName", {company.CampanyName1(), company.CampanyName2(), company.CampanyName3()});
      contact.Lines = ContactLines(company, o.PrintName);
    }
    // The registration number on the line under the sender block.
    if (qualified) {
      contact.Lines.resize(2, "　");
      contact.Lines.push_back(RegistNoLine(company));
      contact.Height += static_cast<int>(contact.Leading);
    }
    return;
  }
  // The company addressed to itself, the customer in the sender's place.
  if (company.ChkUseLogoImage()) {
    PlaceLogo(logo, company, customerAddress);
  } else {
    const std::string& zip = company.ZipNo();
    customerAddress.Lines = {zip.empty() ? "　" : zip + "　", company.Address1() + "　", company.Address2() + "　"};
    page.Names("CustomerName", NameLines(company.CampanyName1(), company.CampanyName2(), company.CampanyName3(), " 行き"));
    page.Text("MyTelFaxChargeName2").Lines = ContactLines(company, o.PrintName);
  }
  myAddress.Lines = AddressLines(cu.ZipNo(), cu.Address1(), cu.Address2());
  page.Names("MyName", {cu.CustomerName1(), cu.CustomerName2(), cu.CustomerName3()});
}

void FillHead(Page& page, const ChartPageSources& src, TChartType kind, bool landscape) {
  const TMxEstimateObjectList& doc = *src.doc;
  const TMxConfigInfo& config = *src.config;
  const TPrintMitsuOptions& o = src.settings.options;
  const TMxCampanyInfo& company = SelectedCompany(src);
  const TMxCustomerObject& cu = doc.CustomerInfo();

  std::string title, message;
  SetPageTitleAndMessage(kind, config, title, message);
  page.Caption("Title", title);
  page.Caption("Msg", message);
  const bool qualified = PrintsQualified(src, kind);
  FillAddresseeAndSender(page, src, qualified);

  if (!doc.SlipCodeStr().empty()) page.Caption("SlipCode", "№" + doc.SlipCodeStr());
  page.Caption("SlipDate", doc.SlipDateStrYY() + "年 " + doc.SlipDateStrMM() + "月 " + doc.SlipDateStrDD() + "日");
  if (config.PrintCheckCusCode() && !cu.CustomerCode().empty())
    page.Caption("CustomerCode", "お客様コード: " + cu.CustomerCode());

  PlaceCompanySeal(page.Image("CampanyStamp"), page.Image("CampanyLogo"), company,
                   company.CampanyStampPosDetail_X_A4(), company.CampanyStampPosDetail_Y_A4());

  if (o.PrintStampArea) {
    page.Caption("CheckStamp", o.CheckStampMsg);
    page.Caption("PersonalStamp", kind == TChartType::tcJyuryou ? "受領印" : "担当者印");
    // Each list entry names its seal slot, so a missing slot shifts nothing.
    const std::pair<const char*, int> seals[] = {{"CheckStamp", src.settings.checkStampSlot},
                                                 {"PersonalStamp", src.settings.personalStampSlot}};
    for (const auto& [role, slot] : seals)
      if (slot >= 0 && slot < TMxConfigInfo::kImgMaxRegistCount)
        page.Image(role).SetPicture(config.ImgStamp(slot).ToImage());
  }

  if (o.PrintBank) {
    const TMxPayBankAccount& bank = SelectedBank(src);
    TPRText& target = landscape ? page.Template().Must<TPRText>("PRTextYokoMitsuFirstBankAccount")
                                : page.Text("Condition");
    target.Lines = {bank.BankName() + "　", bank.BankNo() + "　", bank.BankOwnerName() + "　"};
  } else {
    page.Text("Condition").Lines = HeaderFieldLines(doc, config);
  }
  // On a landscape sheet the registration number reaches down beside the first of these
  // lines, which then stop short of it.
  if (qualified && landscape) {
    const TPRText& contact = page.Text("MyTelFaxChargeName1");
    for (TPRText* text : {&page.Text("Condition"), &page.Template().Must<TPRText>("PRTextYokoMitsuFirstBankAccount")})
      text->Width = std::min(text->Width, contact.Left - kPdfGap - text->Left);
  }
  if (!IsTanka(kind) && o.PrintGrandTotalFrame) page.Caption("GrandTotal", GrandTotalWording(src, kind));
}

void FillRows(Page& page, const ChartPageSources& src, int first, int end) {
  const TMxEstimateObjectList& doc = *src.doc;
  const TPrintMitsuOptions& o = src.settings.options;
  const bool dp = src.config->PrintDecimalPoint();
  const auto amount = [dp](Currency v) { return v.IsZero() ? std::string() : CommaAdd(false, v, dp); };
  for (int i = first; i < end; ++i) {
    const TMxEstimateObject& line = doc.Items(i);
    const int row = i - first + 1;
    if (o.PrintFreeEdit) page.Cell(MitsuColumn::FreeEdit, row, line.FreeEdit());
    page.Cell(MitsuColumn::Name, row, IndentedName(line, o.PrintBunrui));
    page.Cell(MitsuColumn::Num, row, amount(line.Num()));
    page.Cell(MitsuColumn::Unit, row, line.ItemUnit());
    page.Cell(MitsuColumn::UnitPrice, row, amount(line.Price()));
    if (o.PrintCost) page.Cell(MitsuColumn::Cost, row, amount(line.Cost()));
    page.Cell(MitsuColumn::TotalPrice, row, amount(line.TotalPrice()));
    if (o.PrintNote) page.Cell(MitsuColumn::Etc, row, line.Note());
  }
}

void FillTotals(Page& page, const ChartPageSources& src, TChartType kind, int pageType, int rows, int first,
                int end) {
  const TMxEstimateObjectList& doc = *src.doc;
  const TMxConfigInfo& config = *src.config;
  const bool amounts = src.settings.options.PrintSubtotalTotal;
  const bool dp = config.PrintDecimalPoint();
  if (pageType == kFirstPage || pageType == kMiddlePage) {
    // A page whose sum leaves the amount range shows no figure rather than a wrong one.
    const std::optional<Currency> total = PageTotal(doc, first, end);
    if (amounts && total) page.Cell(MitsuColumn::TotalPrice, rows, CommaAdd(false, *total, dp));
    return;
  }
  const int subtotalRow = pageType == kOnlyPage ? rows - 5 : rows - 2;
  const bool noTax = src.settings.tax == TTaxChoice::NoTax;
  if (amounts && !(config.TaxLessNotPrintSubTotal() && noTax))
    page.Cell(MitsuColumn::TotalPrice, subtotalRow, CommaAdd(true, doc.SubTotalPrice(), dp));
  if (!noTax) {
    page.Caption("FindingTax", "消費税(" + CommaAdd(true, doc.TaxRate(), dp) + "%)");
    if (amounts) page.Cell(MitsuColumn::TotalPrice, subtotalRow + 1, CommaAdd(true, doc.TotalTax(), dp));
  }
  if (amounts) page.Cell(MitsuColumn::TotalPrice, subtotalRow + 2, CommaAdd(true, doc.TotalPrice(), dp));
  // The totals per rate on the same rows, left of their labels.
  if (PrintsQualified(src, kind)) {
    const std::vector<std::string> summary = TaxSummaryRows(doc, config);
    for (std::size_t k = 0; k < summary.size() && k < 3; ++k) page.Caption("TaxSummary" + std::to_string(k + 1), summary[k]);
  }
}

// The index just past the last line that holds anything.
int FilledLines(const TMxEstimateObjectList& doc) {
  for (int i = doc.Count() - 1; i >= 0; --i)
    if (!doc.Items(i).Uninput()) return i + 1;
  return 0;
}

}  // namespace

std::string GrandTotalText(const ChartPageSources& src, TChartType kind) {
  if (IsTanka(kind) || !src.settings.options.PrintGrandTotalFrame) return {};
  return GrandTotalWording(src, kind);
}

TPRPage& MakePDFFileChart(TFormPDFBase& base, const ChartPageSources& src, TChartType kind, int pageType,
                          int nowPage, int maxPage, int orientType) {
  const bool landscape = orientType == 1;
  const TPrintMitsuOptions& o = src.settings.options;
  TemplatePage& t = base.InitMitsuPDFTemplate(kind, pageType, landscape, o, *src.config);
  Page page(t, Part(landscape, pageType));
  const bool first = pageType == kOnlyPage || pageType == kFirstPage;
  if (first) FillHead(page, src, kind, landscape);

  const TMxConfigInfo& config = *src.config;
  const std::pair<MitsuColumn, const std::string*> headings[] = {
      {MitsuColumn::FreeEdit, &config.PrintHeadFreeEdit()}, {MitsuColumn::Name, &config.PrintHeadItemName()},
      {MitsuColumn::Num, &config.PrintHeadNum()},           {MitsuColumn::Unit, &config.PrintHeadItemUnit()},
      {MitsuColumn::UnitPrice, &config.PrintHeadUnitPrice()}, {MitsuColumn::Cost, &config.PrintHeadCost()},
      {MitsuColumn::TotalPrice, &config.PrintHeadPrice()},  {MitsuColumn::Etc, &config.PrintHeadNote()},
  };
  for (const auto& [column, caption] : headings)
    page.Caption(std::string("ChartFindingItem") + ColumnName(column), *caption);

  const TMxEstimateObjectList& doc = *src.doc;
  // The only page shows the lines up to the last one that holds anything.
  const int lineCount = pageType == kOnlyPage ? FilledLines(doc) : doc.Count();
  const auto [firstLine, endLine] = PageLines(kind, pageType, landscape, nowPage, lineCount);
  FillRows(page, src, firstLine, endLine);
  const int rows = MitsuTableOf(landscape, pageType).rows;
  if (!IsTanka(kind)) FillTotals(page, src, kind, pageType, rows, firstLine, endLine);
  if (pageType == kOnlyPage || pageType == kLastPage) page.Text("Etc").Lines = RemarkLines(doc.EtcStr());
  if (pageType != kOnlyPage)
    page.Caption("PageNo", "( " + std::to_string(nowPage) + " / " + std::to_string(maxPage) + " )");
  if (first) {
    if (landscape) base.InitStringPosYokoMitsuFirstPage();
    else base.InitStringPosTateMitsuFirstPage();
  }
  return t.Page();
}

namespace {

// The embedded form keeps a JPEG photo as it is; any other picture goes in at its own
// resolution up to 300 dpi of the size it is printed at.
TPREmbeddedPicture EmbeddedLinePicture(const TMxPicture& pic, const TPRImage& item) {
  TPREmbeddedPicture embedded;
  embedded.size = FitPicture(pic.Width(), pic.Height(), item.Width, item.Height);
  if (embedded.size.isEmpty()) return {};
  if (pic.Kind() == PictureKind::Jpeg && ReadJpegFrame(pic.Bytes())) {
    embedded.jpeg = pic.Bytes();
    return embedded;
  }
  const QImage picture = pic.ToImage();
  if (picture.isNull()) return {};
  constexpr double kPixelsPerPoint = 300.0 / 72;
  const QSize most(static_cast<int>(std::ceil(embedded.size.width() * kPixelsPerPoint)),
                   static_cast<int>(std::ceil(embedded.size.height() * kPixelsPerPoint)));
  embedded.picture = picture.width() > most.width() || picture.height() > most.height()
                         ? picture.scaled(most, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                         : picture;
  return embedded;
}

}  // namespace

TPRPage& MakePDFPicChart(TFormPDFBase& base, const ChartPageSources& src, int orientType, int documentPage,
                         int nowPage) {
  const bool landscape = orientType == 1;
  TemplatePage& t = base.PicTemplate(landscape);
  t.Reset();
  const std::string p = landscape ? "YokoMitsuPicPage" : "TateMitsuPicPage";
  const int skip = 2 * (nowPage - documentPage - 1);
  int seen = 0, placed = 0;
  const TMxEstimateObjectList& doc = *src.doc;
  for (int i = 0; i < doc.Count() && placed < 2; ++i) {
    const TMxEstimateObject& line = doc.Items(i);
    if (line.Pic().Width() <= 0) continue;
    if (seen++ < skip) continue;
    ++placed;
    TPRImage& image = t.Must<TPRImage>("PRImage" + p + "Pic" + std::to_string(placed));
    t.Must<TPRLabel>("PRLabel" + p + "Caption" + std::to_string(placed)).Caption = line.Name();
    if (base.Fonts() == PdfFonts::Embed) {
      image.SetEmbedded(EmbeddedLinePicture(line.Pic(), image));
      continue;
    }
    const QImage picture = line.Pic().ToImage();
    if (picture.isNull()) continue;
    // Drawn at one point per pixel, so the picture is made the size it fills.
    const QSize size = FitPicture(picture.width(), picture.height(), image.Width, image.Height);
    QImage fitted(size, QImage::Format_RGB32);
    fitted.fill(Qt::white);
    QPainter painter(&fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), picture);
    painter.end();
    image.SetPicture(fitted);
  }
  return t.Page();
}

PdfFonts PdfFontsOf(const TMxConfigInfo& config) {
  return config.PdfEmbedFonts() ? PdfFonts::Embed : PdfFonts::System;
}

std::string PrintPDFChart(TFormPDFBase& base, const PrintJob& job, const std::string& fileName,
                          const PdfWriteSettings& settings) {
  base.SetFonts(settings.fonts);
  return PrintPDFChart(base, job, fileName, settings.randomStart);
}

std::string PrintPDFChart(TFormPDFBase& base, const PrintJob& job, const std::string& fileName,
                          std::function<int()> randomStart) {
  const ChartPageSources* src = job.ChartSources();
  if (!src) throw Error("この書類は見積書の形式で PDF にできません。");
  TPReport& report = base.PReport();
  if (randomStart) report.SetRandomStart(std::move(randomStart));
  report.FileName = fileName;
  report.BeginDoc();
  const int orient = job.Landscape() ? 1 : 0;
  for (const JobPage& p : job.Pages()) {
    if (p.hikae) break;  // the copy set is for paper
    if (p.picture) report.Print(MakePDFPicChart(base, *src, orient, job.ItemPages(), p.nowPage));
    else report.Print(MakePDFFileChart(base, *src, job.Kind(), p.pageKind, p.nowPage, p.maxPage, orient));
  }
  std::string bytes = report.EndDoc();
  // The pictures of this document are not kept with the templates.
  for (const bool landscape : {false, true}) base.PicTemplate(landscape).Reset();
  return bytes;
}

std::string PrintPDFChart(const PrintJob& job, const std::string& fileName, const PdfWriteSettings& settings) {
  TFormPDFBase base(settings.clock ? *settings.clock : SystemClock());
  return PrintPDFChart(base, job, fileName, settings);
}

}  // namespace qm::pdf
