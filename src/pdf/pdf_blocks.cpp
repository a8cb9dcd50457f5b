#include "pdf/pdf_blocks.h"

#include <algorithm>
#include <QPainter>

#include <cmath>

#include "base/colour_text.h"
#include "pdf/pdf_templates.h"
#include "print/head_blocks.h"
#include "print/print_geometry.h"

namespace qm::pdf {
namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

void PlaceLogo(TPRImage& logo, const TMxCampanyInfo& company, const TPRComponent& at) {
  const QImage picture = company.LogoImage().ToImage();
  if (picture.isNull()) return;
  const QSize size = ChangePicSize(picture.width(), picture.height(), kPdfLogoWidth, kPdfLogoHeight);
  logo.SetPicture(picture);
  logo.Left = at.Left;
  logo.Top = at.Top;
  logo.Width = size.width();
  logo.Height = size.height();
}

void PlaceCompanySeal(TPRImage& seal, const TPRImage& logo, const TMxCampanyInfo& company, double xMm, double yMm) {
  if (!company.ChkUseCampanyStamp()) return;
  const QImage picture = company.CampanyStampImage().ToImage();
  if (picture.isNull()) return;
  seal.Left = Round(TFormPDFBase::MM2Dot(xMm - 5));
  seal.Top = Round(TFormPDFBase::MM2Dot(yMm));
  seal.Width = Round(TFormPDFBase::MM2Dot(company.CampanyStampSizeWidth_A4()));
  seal.Height = Round(TFormPDFBase::MM2Dot(company.CampanyStampSizeHeight_A4()));
  seal.SetPicture(picture);
  if (!company.ChkUseCampanyStampTrans()) return;
  seal.SetPicture(PDFPicTrans(logo, seal, company));
  // The embedded form masks the transparent colour out instead: whatever lies under the
  // seal shows through it, not only the logo.
  if (const auto key = TextToColor(company.CampanyStampTransColor()))
    seal.SetEmbedded({std::string(), picture, QSize(), static_cast<std::uint32_t>(*key)});
}

QImage PDFPicTrans(const TPRImage& logo, const TPRImage& stamp, const TMxCampanyInfo& company) {
  const int w = std::max(stamp.Width, 1), h = std::max(stamp.Height, 1);
  QImage result(w, h, QImage::Format_RGB32);
  result.fill(Qt::white);
  QPainter painter(&result);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  // What lies under the seal: the logo as it is drawn on the page, nothing past it.
  if (company.ChkUseLogoImage() && !logo.Picture().isNull() && logo.Width > 0 && logo.Height > 0) {
    const QRect logoRect(logo.Left - stamp.Left, logo.Top - stamp.Top, logo.Width, logo.Height);
    painter.drawImage(logoRect, logo.Picture());
  }
  QImage seal = stamp.Picture().convertToFormat(QImage::Format_ARGB32);
  if (const auto key = TextToColor(company.CampanyStampTransColor())) {
    const QRgb rgb = qRgb(static_cast<int>(*key & 0xFF), static_cast<int>((*key >> 8) & 0xFF),
                          static_cast<int>((*key >> 16) & 0xFF)) & 0x00FFFFFF;
    for (int y = 0; y < seal.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(seal.scanLine(y));
      for (int x = 0; x < seal.width(); ++x)
        if ((line[x] & 0x00FFFFFF) == rgb) line[x] = 0;
    }
  }
  painter.drawImage(QRect(0, 0, w, h), seal);
  painter.end();
  return result;
}

void TemplateItems::Names(const std::string& role, const std::vector<std::string>& names) const {
  for (std::size_t k = 0; k < names.size() && k < 3; ++k) Caption(role + std::to_string(k + 1), names[k]);
}

void FillCustomerNames(const TemplateItems& items, const std::string& role, const TMxCustomerObject& cu) {
  items.Names(role, NameLines(cu.CustomerName1(), cu.CustomerName2(), cu.CustomerName3(), " " + cu.CustomerNameTitle()));
}

void CentreTitle(const TemplateItems& items) {
  TPRLabel& title = items.Label("Title");
  CentreWithUnderline(items.Template().Page(), items.Template().Panel(), title, items.Rect("TitleUnderLine"));
  // A customer code on the title's line stops 2 mm (6 points) short of the title.
  TPRLabel* code = items.FindLabel("CustomerCode");
  if (code && code->Left < title.Left && code->Top < title.Top + title.Height && title.Top < code->Top + code->Height)
    code->Width = std::min(code->Width, std::max(0, title.Left - 6 - code->Left));
}

void RestackCustomerNames(const TemplateItems& items) {
  TPRLabel* const names[3] = {&items.Label("CustomerName1"), &items.Label("CustomerName2"), &items.Label("CustomerName3")};
  TPRRect* const lines[3] = {&items.Rect("CustomerNameUnderLine1"), &items.Rect("CustomerNameUnderLine2"),
                             &items.Rect("CustomerNameUnderLine3")};
  RestackNames(items.Template().Page(), names, lines);
}

std::vector<std::string> AddressLines(const std::string& zip, const std::string& address1,
                                      const std::string& address2) {
  return {TrimBlank(zip).empty() ? "　" : "〒" + zip, address1 + "　", address2 + "　"};
}

std::vector<std::string> ContactLines(const TMxCampanyInfo& company, bool printName) {
  return {printName ? company.ChargeName() + "　" : "　", company.TelFax() + "　"};
}

}  // namespace qm::pdf
