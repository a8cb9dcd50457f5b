#include "pdf/slip_pdf.h"

#include <algorithm>
#include <cmath>

#include "base/amount_text.h"
#include "pdf/chart_pdf.h"
#include "pdf/list_pdf.h"
#include "pdf/pdf_blocks.h"
#include "print/head_blocks.h"
#include "print/qualified_invoice.h"

namespace qm::pdf {
namespace {

// The lower copy of a two-copy sheet sits this far below the upper one.
constexpr int kTotalClaimCopyOffset = 326;
constexpr int kReceiptCopyOffset = 312;
// The receipt's name is never wider than its cut line.
constexpr double kReceiptNameWidth = 508;
constexpr double kReceiptNameSize = 24, kReceiptNameSmallest = 6;

std::string Title(TChartType kind, const TMxConfigInfo& config, std::string* message = nullptr) {
  std::string title, msg;
  SetPageTitleAndMessage(kind, config, title, msg);
  if (message) *message = msg;
  return title;
}

// The sender block of a sheet, or the logo at its address text.
void FillSender(const TemplateItems& items, const TMxCampanyInfo& company, bool printName, bool zipLineAlways,
                std::vector<std::string> extraContact = {}) {
  TPRText& address = items.Text("MyAddress");
  std::vector<std::string> contact;
  if (company.ChkUseLogoImage()) {
    PlaceLogo(items.Image("CampanyLogo"), company, address);
    contact = {"　", "　"};
  } else {
    if (zipLineAlways) address.Lines = {TrimBlank(company.ZipNo()).empty() ? "　" : "〒" + company.ZipNo()};
    else if (!TrimBlank(company.ZipNo()).empty()) address.Lines = {"〒" + company.ZipNo()};
    address.Lines.push_back(company.Address1());
    address.Lines.push_back(company.Address2());
    items.Names("MyName", {company.CampanyName1(), company.CampanyName2(), company.CampanyName3()});
    contact = {printName ? company.ChargeName() : "　", company.TelFax()};
  }
  if (company.ChkUseLogoImage() && extraContact.empty()) contact.clear();
  contact.insert(contact.end(), extraContact.begin(), extraContact.end());
  TPRText& text = items.Text("MyTelFaxChargeName");
  text.Lines = contact;
  // Lines below the text's box are not printed: it grows to hold them all.
  text.Height = std::max(text.Height, static_cast<int>(std::ceil(text.Leading * static_cast<double>(contact.size()))));
}

void FillSeal(const TemplateItems& items, const TMxCampanyInfo& company, double xMm, double yMm, int copyOffset) {
  TPRImage& seal = items.Image("CampanyStamp");
  PlaceCompanySeal(seal, items.Image("CampanyLogo"), company, xMm, yMm);
  if (copyOffset == 0 || seal.Picture().isNull()) return;
  seal.Top += copyOffset;
  if (company.ChkUseCampanyStampTrans()) {
    seal.SetPicture(company.CampanyStampImage().ToImage());
    seal.SetPicture(PDFPicTrans(items.Image("CampanyLogo"), seal, company));
  }
}

std::string DateLine(const TMxEstimateObjectList& doc, const char* y, const char* m, const char* d) {
  return doc.SlipDateStrYY() + y + doc.SlipDateStrMM() + m + doc.SlipDateStrDD() + d;
}

}  // namespace

TemplatePage& InitTotalClaimPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config) {
  TemplatePage& t = base.ResetTemplate(PdfTemplate::TotalClaim, config);
  for (const char* copy : {"_1", "_2"})
    for (int k = 1; k <= 3; ++k)
      t.Must<TPRLabel>("PRLabelTotalClaimCustomerName" + std::to_string(k) + copy).FontSize = config.SenderFontSize();
  return t;
}

TemplatePage& InitReceiptPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config, const TPrintReceiptOptions& o) {
  TemplatePage& t = base.ResetTemplate(PdfTemplate::Receipt, config);
  for (const char* copy : {"_1", "_2"}) {
    const TemplateItems items(t, "Receipt", copy);
    items.Label("CustomerName").FontSize = kReceiptNameSize;
    for (const char* role : {"StampArea", "StampLine"}) items.Rect(role).Printable = o.PrintStampArea;
    items.Label("PersonalStamp").Printable = o.PrintStampArea;
    items.Rect("RevenueStamp").Printable = o.PrintRevenueStampArea;
    items.Label("RevenueStamp").Printable = o.PrintRevenueStampArea;
  }
  return t;
}

TemplatePage& InitFaxSenderPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config) {
  TemplatePage& t = base.ResetTemplate(PdfTemplate::FaxSender, config);
  for (int k = 1; k <= 3; ++k)
    t.Must<TPRLabel>("PRLabelFaxSenderCustomerName" + std::to_string(k)).FontSize = config.SenderFontSize();
  return t;
}

TPRPage& MakePDFFileTotalClaim(TFormPDFBase& base, const SlipSources& src, const TPrintTotalClaimOptions& o) {
  TemplatePage& t = InitTotalClaimPDFTemplate(base, *src.config);
  const TMxEstimateObjectList& doc = *src.doc;
  const TMxConfigInfo& config = *src.config;
  const TMxCampanyInfo& company = SelectedCompany(src);
  const TMxCustomerObject& cu = doc.CustomerInfo();
  const bool dp = config.PrintDecimalPoint();
  std::string message;
  const std::string title = Title(TChartType::tcGoukeiSeikyu, config, &message);
  std::vector<std::string> bank;
  if (o.PrintBank) {
    const TMxPayBankAccount& account = SelectedBank(src);
    bank = {account.BankName() + "　", account.BankNo() + "　", account.BankOwnerName() + "　"};
  }
  const std::vector<std::string> remarks = SplitLines(doc.EtcStr());
  // A qualified invoice: the registration number under the sender block and its bank
  // account, the totals per rate on the greeting's line.
  const bool qualified = PrintsQualified(TChartType::tcGoukeiSeikyu, o.PrintRegistNo, company);
  std::vector<std::string> extraContact = bank;
  if (qualified) extraContact.push_back(RegistNoLine(company));

  for (const char* copy : {"_1", "_2"}) {
    const bool lower = std::string(copy) == "_2";
    const TemplateItems items(t, "TotalClaim", copy);
    items.Caption("Title", lower ? title + "(控)" : title);
    items.Caption("Msg", message);
    if (config.PrintCheckCusCode() && !cu.CustomerCode().empty())
      items.Caption("CustomerCode", "お客様コード： " + cu.CustomerCode());
    if (!doc.SlipCodeStr().empty()) items.Caption("SlipCode", "№" + doc.SlipCodeStr());
    items.Caption("SlipDate", DateLine(doc, "年", "月", "日  締め切り分"));
    items.Text("CustomerAddress").Lines = AddressLines(cu.ZipNo(), cu.Address1(), cu.Address2());
    FillCustomerNames(items, "CustomerName", cu);
    FillSender(items, company, o.PrintName, false, extraContact);
    if (qualified) {
      const std::vector<TaxSummaryLine> lines = TaxSummaryLines(doc, config);
      for (std::size_t k = 0; k < lines.size() && k < 2; ++k)
        items.Caption("TaxSummary" + std::to_string(k + 1), lines[k].OneLine());
    }
    FillSeal(items, company, company.CampanyStampPosTotalClaim_X_A4(), company.CampanyStampPosTotalClaim_Y_A4(),
             lower ? kTotalClaimCopyOffset : 0);
    items.Caption("PreClaim", o.PreClaim);
    items.Caption("PrePaid", o.PrePaid);
    items.Caption("CarryOver", o.Result);
    items.Caption("Purchase", CommaAdd(true, doc.SubTotalPrice(), dp));
    items.Caption("Tax", CommaAdd(true, doc.TotalTax(), dp));
    items.Caption("Claim", AmountNowInvoiced(src, o));
    items.Caption("Etc", "備考：" + (remarks.empty() ? std::string() : remarks.front()));
    CentreTitle(items);
    RestackCustomerNames(items);
  }
  return t.Page();
}

void FitReceiptNameLabel(TPRPage& page, TPRLabel& label) {
  const auto width = [&] {
    return page.TextWidth(label.Caption, label.FontName, label.FontBold, label.FontItalic, label.FontSize);
  };
  while (label.FontSize > kReceiptNameSmallest && width() > kReceiptNameWidth) label.FontSize -= 1;
  // Even the smallest size is too wide: whole characters go from the end.
  while (!label.Caption.empty() && width() > kReceiptNameWidth) {
    std::string& text = label.Caption;
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
    if (!text.empty()) text.pop_back();
  }
}

TPRPage& MakePDFFileReceipt(TFormPDFBase& base, const SlipSources& src, const TPrintReceiptOptions& o) {
  TemplatePage& t = InitReceiptPDFTemplate(base, *src.config, o);
  const TMxEstimateObjectList& doc = *src.doc;
  const TMxConfigInfo& config = *src.config;
  const TMxCampanyInfo& company = SelectedCompany(src);
  const TMxCustomerObject& cu = doc.CustomerInfo();
  std::string message;
  const std::string title = Title(TChartType::tcRyosyu, config, &message);
  const std::string name = cu.CustomerName1() + cu.CustomerName2() + cu.CustomerName3() + " " + cu.CustomerNameTitle();
  const std::string amount = o.PrintGrandTotal
                                 ? config.CurrencyMark() + CommaAdd(true, doc.TotalPrice(), config.PrintDecimalPoint()) + "※"
                                 : std::string("　　　　　　　　　　");
  // A qualified invoice: the registration number under the sender block, the totals per
  // rate under the breakdown.
  const bool qualified = PrintsQualified(TChartType::tcRyosyu, o.PrintRegistNo, company);
  const std::vector<std::string> summary = qualified ? TaxSummaryRows(doc, config) : std::vector<std::string>();
  for (const char* copy : {"_1", "_2"}) {
    const bool lower = std::string(copy) == "_2";
    const TemplateItems items(t, "Receipt", copy);
    items.Caption("Title", lower ? title + "(控)" : title);
    TPRLabel& nameLabel = items.Label("CustomerName");
    nameLabel.Caption = name;
    FitReceiptNameLabel(t.Page(), nameLabel);
    items.Caption("GrandTotal", amount);
    items.Caption("Reason", o.ProvisoText);
    items.Caption("Msg", DateLine(doc, " 年 ", " 月 ", " 日 ") + message);
    if (config.PrintCheckCusCode() && !cu.CustomerCode().empty())
      items.Caption("CustomerCode", "お客様コード: " + cu.CustomerCode());
    if (!doc.SlipCodeStr().empty()) items.Caption("SlipCode", "№" + doc.SlipCodeStr());
    if (o.PrintStampArea && src.personalStampSlot >= 0 && src.personalStampSlot < TMxConfigInfo::kImgMaxRegistCount)
      items.Image("PersonalStamp").SetPicture(config.ImgStamp(src.personalStampSlot).ToImage());
    for (std::size_t i = 0; i < 4; ++i) {
      const std::string row = std::to_string(i + 1);
      items.Caption("ContentLine" + row, o.UchiLabel[i]);
      if (!TrimBlank(o.UchiPrice[i]).empty())
        items.Caption("PriceLine" + row, config.CurrencyMark() + o.UchiPrice[i] + "-");
    }
    FillSender(items, company, o.PrintName, true,
               qualified ? std::vector<std::string>{RegistNoLine(company)} : std::vector<std::string>());
    for (std::size_t k = 0; k < summary.size() && k < 3; ++k) items.Caption("TaxSummary" + std::to_string(k + 1), summary[k]);
    FillSeal(items, company, company.CampanyStampPosReceipt_X_A4(), company.CampanyStampPosReceipt_Y_A4(),
             lower ? kReceiptCopyOffset : 0);
    // Fitted: the title, the name and the amount with their underlines; the amount's
    // band 16 points wider than it and 8 points to its left.
    CentreTitle(items);
    CentreWithUnderline(t.Page(), t.Panel(), nameLabel, items.Rect("CustomerNameUnderLine"));
    TPRLabel& grand = items.Label("GrandTotal");
    CentreWithUnderline(t.Page(), t.Panel(), grand, items.Rect("GrandTotalUnderLine"));
    TPRRect& band = items.Rect("BackColor");
    band.Width = grand.Width + 16;
    band.Left = grand.Left - 8;
  }
  return t.Page();
}

TPRPage& MakePDFFileFaxSender(TFormPDFBase& base, const SlipSources& src, const TPrintFaxOptions& o) {
  TemplatePage& t = InitFaxSenderPDFTemplate(base, *src.config);
  const TMxEstimateObjectList& doc = *src.doc;
  const TMxConfigInfo& config = *src.config;
  const TMxCampanyInfo& company = SelectedCompany(src);
  const TMxCustomerObject& cu = doc.CustomerInfo();
  const TemplateItems items(t, "FaxSender");
  items.Caption("Title", Title(TChartType::tcFaxSender, config));
  if (config.PrintCheckCusCode() && !cu.CustomerCode().empty())
    items.Caption("CustomerCode", "お客様コード: " + cu.CustomerCode());
  items.Text("CustomerAddress").Lines = {cu.ZipNo().empty() ? "　" : "〒" + cu.ZipNo(), cu.Address1(), cu.Address2()};
  FillCustomerNames(items, "CustomerName", cu);
  FillSender(items, company, o.PrintName, true);
  FillSeal(items, company, company.CampanyStampPosFaxSender_X_A4(), company.CampanyStampPosFaxSender_Y_A4(), 0);
  items.Caption("Msg", "要件：" + o.Title);
  items.Caption("Date", "日付：" + DateLine(doc, " 年 ", " 月 ", " 日 ") + "　　送付枚数：" + std::to_string(o.PaperNum) + "枚");
  const std::pair<const char*, bool> marks[] = {
      {"Sikyu", o.Option1}, {"Sankou", o.Option2}, {"Kakunin", o.Option3}, {"Henshin", o.Option4}};
  for (const auto& [role, on] : marks) t.Must<TPRLabel>(std::string("PRLabelCheckMark") + role).Printable = on;
  items.Text("Content").Lines = SplitLines(o.Content);
  CentreTitle(items);
  RestackCustomerNames(items);
  return t.Page();
}

std::string WritePdf(TFormPDFBase& base, const PrintJob& job, const std::string& fileName,
                     const PdfWriteSettings& settings) {
  base.SetFonts(settings.fonts);
  return WritePdf(base, job, fileName, settings.randomStart);
}

std::string WritePdf(TFormPDFBase& base, const PrintJob& job, const std::string& fileName,
                     std::function<int()> randomStart) {
  if (job.ChartSources()) return PrintPDFChart(base, job, fileName, std::move(randomStart));
  if (const auto* list = std::get_if<ListJobSources>(&job.Sources())) {
    TPReport& report = base.PReport();
    if (randomStart) report.SetRandomStart(std::move(randomStart));
    report.FileName = fileName;
    report.BeginDoc();
    for (const JobPage& p : job.Pages()) {
      if (job.Kind() == TChartType::tcCustomerList)
        report.Print(MakePDFFileCustomerList(base, list->src, p.nowPage, p.maxPage));
      else
        report.Print(MakePDFFileItemList(base, list->src, p.nowPage, p.maxPage));
    }
    return report.EndDoc();
  }
  TPRPage* page = nullptr;
  std::visit(
      [&](const auto& s) {
        using S = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<S, ReceiptSources>) page = &MakePDFFileReceipt(base, s.src, s.options);
        else if constexpr (std::is_same_v<S, TotalClaimSources>) page = &MakePDFFileTotalClaim(base, s.src, s.options);
        else if constexpr (std::is_same_v<S, FaxSources>) page = &MakePDFFileFaxSender(base, s.src, s.options);
      },
      job.Sources());
  if (!page) throw Error("この書類は PDF にできません。");
  TPReport& report = base.PReport();
  if (randomStart) report.SetRandomStart(std::move(randomStart));
  report.FileName = fileName;
  report.BeginDoc();
  report.Print(*page);
  return report.EndDoc();
}

}  // namespace qm::pdf
