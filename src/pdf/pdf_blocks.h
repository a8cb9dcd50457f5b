#pragma once
// Pieces the PDF document forms share: the company's logo placed over an address text,
// the company seal at its position with the logo showing through its transparent
// colour, and the address lines of an addressee or sender.
#include <QImage>

#include <string>
#include <vector>

#include "model/company_info.h"
#include "model/estimate_object.h"
#include "pdf/report.h"
#include "pdf/template_page.h"

namespace qm::pdf {

// The items of one template page (or of one copy on a two-copy page) by role: the item
// "PR" + kind + part + role + suffix ("PRLabelTotalClaimTitle_2").
class TemplateItems {
 public:
  TemplateItems(TemplatePage& t, std::string part, std::string suffix = {})
      : t_(t), part_(std::move(part)), suffix_(std::move(suffix)) {}
  TPRLabel& Label(const std::string& role) const { return t_.Must<TPRLabel>(Name("PRLabel", role)); }
  TPRLabel* FindLabel(const std::string& role) const { return t_.Find<TPRLabel>(Name("PRLabel", role)); }
  TPRText& Text(const std::string& role) const { return t_.Must<TPRText>(Name("PRText", role)); }
  TPRImage& Image(const std::string& role) const { return t_.Must<TPRImage>(Name("PRImage", role)); }
  TPRRect& Rect(const std::string& role) const { return t_.Must<TPRRect>(Name("PRRect", role)); }
  TemplatePage& Template() const { return t_; }
  void Caption(const std::string& role, const std::string& text) const { Label(role).Caption = text; }
  // One, two or three lines into the labels `role`1 … `role`3.
  void Names(const std::string& role, const std::vector<std::string>& names) const;

 private:
  std::string Name(const char* kind, const std::string& role) const { return kind + part_ + role + suffix_; }
  TemplatePage& t_;
  std::string part_, suffix_;
};

// The logo box of the sheets, in points.
inline constexpr int kPdfLogoWidth = 179, kPdfLogoHeight = 65;

// The logo item takes the profile's logo fitted into 179 × 65 points (proportions kept)
// with its top-left corner at that of `at`.
void PlaceLogo(TPRImage& logo, const TMxCampanyInfo& company, const TPRComponent& at);

// The seal item takes the profile's seal at (xMm − 5, yMm) millimetres from the paper's
// corner with the profile's A4 size (the 5 mm make up for the layout panel's offset);
// with the seal's transparent colour on, the logo item shows through it (PDFPicTrans).
// Nothing when the profile does not use its seal.
void PlaceCompanySeal(TPRImage& seal, const TPRImage& logo, const TMxCampanyInfo& company, double xMm, double yMm);

// The seal drawn over what lies under it: the logo item's picture where the profile
// uses its logo, white elsewhere (also where the seal reaches past the logo), with the
// seal's transparent colour letting that show through.
QImage PDFPicTrans(const TPRImage& logo, const TPRImage& stamp, const TMxCampanyInfo& company);

// "〒" + postal code (or "　" when the code is blank), then each address line + "　".
std::vector<std::string> AddressLines(const std::string& zip, const std::string& address1,
                                      const std::string& address2);
// The person in charge + "　" when it is printed, else "　"; then telephone/FAX + "　".
std::vector<std::string> ContactLines(const TMxCampanyInfo& company, bool printName);

// The customer names of a sheet: one, two or three lines with " " + honorific after the
// last one, into `role`1 … 3.
void FillCustomerNames(const TemplateItems& items, const std::string& role, const TMxCustomerObject& customer);

// Title, customer names and their underlines of a page after filling: the title fitted
// and centred, the names restacked (roles "Title", "CustomerName", their underlines).
void CentreTitle(const TemplateItems& items);
void RestackCustomerNames(const TemplateItems& items);

}  // namespace qm::pdf
