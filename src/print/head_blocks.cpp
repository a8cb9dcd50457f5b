#include "print/head_blocks.h"

#include <algorithm>

#include "base/colour_text.h"

namespace qm {

std::string TrimBlank(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(current);
      current.clear();
    } else {
      current += text[i];
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

std::vector<std::string> NameLines(const std::string& name1, const std::string& name2In, const std::string& name3In,
                                   const std::string& suffix) {
  const std::string name2 = TrimBlank(name2In);
  const std::string name3 = TrimBlank(name3In);
  if (!name3.empty()) return {name1, name2, name3 + suffix};
  if (!name2.empty()) return {name1, name2 + suffix};
  return {name1 + suffix};
}

void DrawTitle(Canvas& c, double topMm, const std::string& title) {
  c.Font(false, true, kNavy);
  c.TextCentred(kTitleSize, c.Y(topMm), title);
  c.PlainFont();
}

TextCell BesideTitle(const Canvas& c, double leftMm, const std::string& title, int size) {
  const int titleLeft = c.Geometry().widthDots / 2 - c.Width(title, size) / 2;
  return {c.X(leftMm), std::max(c.X(leftMm), titleLeft - c.X(2))};
}

void DrawLogo(Canvas& c, const TMxCampanyInfo& company, double left, double top) {
  const TMxPicture& logo = company.LogoImage();
  if (logo.Width() <= 0 || logo.Height() <= 0) return;
  const QSize mm = ChangePicSize(logo.Width(), logo.Height(), LOGOWID, LOGOHIG);
  c.Page().Bitmap(c.BoxMm(left, top, left + mm.width(), top + mm.height()), logo, std::nullopt);
}

namespace {

// Text from (left, top) mm up to `right` mm, or to the printable edge when that is 0.
void BlockText(Canvas& c, int size, double left, double top, double right, const std::string& text) {
  c.TextIn(size, c.X(left), c.Y(top), text, {c.X(left), right > 0 ? c.X(right) : c.PrintableRight()});
}

}  // namespace

void DrawNameBlock(Canvas& c, double leftMm, double topMm, const std::vector<std::string>& lines, int size,
                   double rightMm) {
  const int lineHeight = c.Height(size);
  const TextCell cell{c.X(leftMm), rightMm > 0 ? c.X(rightMm) : c.PrintableRight()};
  c.Font(true, true, kBlack);
  for (std::size_t i = 0; i < lines.size(); ++i)
    c.TextIn(size, c.X(leftMm), c.Y(topMm) + static_cast<int>(i) * lineHeight, lines[i], cell);
  c.PlainFont();
}

void DrawAddressee(Canvas& c, const TMxCustomerObject& cu, const AddresseeLayout& l) {
  if (!cu.ZipNo().empty()) BlockText(c, l.addressSize, l.left, l.zipTop, l.right, "〒" + cu.ZipNo());
  BlockText(c, l.addressSize, l.left, l.add1Top, l.right, cu.Address1());
  BlockText(c, l.addressSize, l.left, l.add2Top, l.right, cu.Address2());
  DrawNameBlock(c, l.left, l.nameTop,
                NameLines(cu.CustomerName1(), cu.CustomerName2(), cu.CustomerName3(), " " + cu.CustomerNameTitle()),
                l.nameSize, l.right);
}

void DrawSender(Canvas& c, const TMxCampanyInfo& company, const SenderLayout& l, bool printName) {
  if (company.ChkUseLogoImage()) {
    DrawLogo(c, company, l.left, l.zipTop);
    return;
  }
  if (!TrimBlank(company.ZipNo()).empty()) BlockText(c, l.addressSize, l.left, l.zipTop, l.right, "〒" + company.ZipNo());
  BlockText(c, l.addressSize, l.left, l.add1Top, l.right, company.Address1());
  BlockText(c, l.addressSize, l.left, l.add2Top, l.right, company.Address2());
  const std::string names[] = {company.CampanyName1(), company.CampanyName2(), company.CampanyName3()};
  for (int i = 0; i < 3; ++i) BlockText(c, l.nameSize, l.left, l.nameTop[i], l.right, names[i]);
  if (printName) BlockText(c, l.addressSize, l.left, l.personTop, l.right, company.ChargeName());
  BlockText(c, l.addressSize, l.left, l.telTop, l.right, company.TelFax());
}

void DrawCustomerAsSender(Canvas& c, const TMxCustomerObject& cu, const SenderLayout& l) {
  if (!TrimBlank(cu.ZipNo()).empty()) BlockText(c, l.addressSize, l.left, l.zipTop, l.right, "〒" + cu.ZipNo());
  BlockText(c, l.addressSize, l.left, l.add1Top, l.right, cu.Address1());
  BlockText(c, l.addressSize, l.left, l.add2Top, l.right, cu.Address2());
  const std::string names[] = {cu.CustomerName1(), cu.CustomerName2(), cu.CustomerName3()};
  for (int i = 0; i < 3; ++i) BlockText(c, l.nameSize, l.left, l.nameTop[i], l.right, names[i]);
}

void DrawCutLine(Canvas& c, double topMm, double widthMm) {
  const double left = c.Geometry().widthDots / c.Geometry().dotsPerMmX / 2 - widthMm / 2;
  c.LineMm(left, topMm, left + widthMm, topMm);
}

void DrawCompanySeal(Canvas& c, const TMxCampanyInfo& s, SealPlace place, bool a4, double offsetMm) {
  if (!s.ChkUseCampanyStamp()) return;
  const TMxPicture& seal = s.CampanyStampImage();
  if (seal.Empty()) return;
  double x = 0, y = 0;
  switch (place) {
    case SealPlace::Detail:
      x = a4 ? s.CampanyStampPosDetail_X_A4() : s.CampanyStampPosDetail_X_B5();
      y = a4 ? s.CampanyStampPosDetail_Y_A4() : s.CampanyStampPosDetail_Y_B5();
      break;
    case SealPlace::TotalClaim:
      x = a4 ? s.CampanyStampPosTotalClaim_X_A4() : s.CampanyStampPosTotalClaim_X_B5();
      y = a4 ? s.CampanyStampPosTotalClaim_Y_A4() : s.CampanyStampPosTotalClaim_Y_B5();
      break;
    case SealPlace::Receipt:
      x = a4 ? s.CampanyStampPosReceipt_X_A4() : s.CampanyStampPosReceipt_X_B5();
      y = a4 ? s.CampanyStampPosReceipt_Y_A4() : s.CampanyStampPosReceipt_Y_B5();
      break;
    case SealPlace::FaxSender:
      x = a4 ? s.CampanyStampPosFaxSender_X_A4() : s.CampanyStampPosFaxSender_X_B5();
      y = a4 ? s.CampanyStampPosFaxSender_Y_A4() : s.CampanyStampPosFaxSender_Y_B5();
      break;
  }
  double w = a4 ? s.CampanyStampSizeWidth_A4() : s.CampanyStampSizeWidth_B5();
  double h = a4 ? s.CampanyStampSizeHeight_A4() : s.CampanyStampSizeHeight_B5();
  if (!a4) {
    x /= kB5Scale;
    y /= kB5Scale;
    w /= kB5Scale;
    h /= kB5Scale;
  }
  y += offsetMm;
  std::optional<TColor> transparent;
  if (s.ChkUseCampanyStampTrans()) transparent = TextToColor(s.CampanyStampTransColor());
  c.Page().Bitmap(c.BoxMm(x, y, x + w, y + h), seal, transparent);
}

}  // namespace qm
