#pragma once
// Pieces the PDF document forms share: the company's logo placed over an address text,
// the company seal at its position with the logo showing through its transparent
// colour, and the address lines of an addressee or sender.
#include <QImage>

#include <string>
#include <vector>

#include "model/company_info.h"
#include "pdf/report.h"

namespace qm::pdf {

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

}  // namespace qm::pdf
