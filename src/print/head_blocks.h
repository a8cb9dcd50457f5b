#pragma once
// Pieces that the heads of the printed sheets share: the title, the name lines of an
// addressee, the company's logo and seal, and the text helpers they need.
#include <string>
#include <vector>

#include "model/company_info.h"
#include "model/estimate_object.h"
#include "print/page_canvas.h"

namespace qm {

// Text sizes of the sheet heads, in points.
inline constexpr int kTitleSize = 24;
// The logo is fitted into this box, in millimetres.
inline constexpr int LOGOWID = 70, LOGOHIG = 25;

// Without leading and trailing blanks and control characters.
std::string TrimBlank(const std::string& s);
// The lines of a text with CR LF, LF or CR line ends; a last empty line is dropped.
std::vector<std::string> SplitLines(const std::string& text);
// One to three name lines; the last carries the suffix (" 様", " 行き", …). Names 2
// and 3 count only when they hold more than blanks.
std::vector<std::string> NameLines(const std::string& name1, const std::string& name2, const std::string& name3,
                                   const std::string& suffix);

// The title underlined in navy at 24 points, centred on the sheet, its top at `topMm`;
// the font is plain black again afterwards.
void DrawTitle(Canvas& c, double topMm, const std::string& title);
// The cell of a text left of a title centred on the sheet at `size` points, from `leftMm`
// to 2 mm short of the title.
TextCell BesideTitle(const Canvas& c, double leftMm, const std::string& title, int size = kTitleSize);

// The profile's logo fitted into LOGOWID × LOGOHIG with its top-left at (left, top) mm;
// nothing when the profile has none.
void DrawLogo(Canvas& c, const TMxCampanyInfo& company, double leftMm, double topMm);

// Name lines bold and underlined at `size` points from (left, top) mm, one line height
// apart, kept left of `rightMm` (0: the printable edge); plain black afterwards.
void DrawNameBlock(Canvas& c, double leftMm, double topMm, const std::vector<std::string>& lines, int size,
                   double rightMm = 0);

// The customer as addressee: "〒" + postal code (when there is one) and the two address
// lines at `addressSize` points, then the names with " " + honorific after the last
// one, bold and underlined at `nameSize` points. Every line stays left of `right` mm (0:
// the printable edge).
struct AddresseeLayout {
  double left, zipTop, add1Top, add2Top, nameTop;
  int addressSize, nameSize;
  double right = 0;
};
void DrawAddressee(Canvas& c, const TMxCustomerObject& customer, const AddresseeLayout& l);

// A sender block: "〒" + postal code (when not blank), the two address lines, the three
// names at their own tops, the person in charge (when printed) and telephone/FAX.
struct SenderLayout {
  double left, zipTop, add1Top, add2Top, nameTop[3], personTop, telTop;
  int addressSize, nameSize;
  double right = 0;  // as for the addressee
};
// The company as sender; a company printing as its logo shows only the logo at (left,
// zipTop).
void DrawSender(Canvas& c, const TMxCampanyInfo& company, const SenderLayout& l, bool printName);
// The customer in the sender's place (addresses swapped): no person, no telephone line.
void DrawCustomerAsSender(Canvas& c, const TMxCustomerObject& customer, const SenderLayout& l);

// A horizontal cut line `widthMm` long centred on the sheet at `topMm`.
void DrawCutLine(Canvas& c, double topMm, double widthMm);

// Where a sheet prints the company seal; each has its own position in the profile.
enum class SealPlace { Detail, TotalClaim, Receipt, FaxSender };

// The profile's company seal at its position for `place`, moved down by `offsetMm`.
// On B5 the stored millimetres are those of the B5 sheet, which is this page shrunk to
// 0.87, so they are divided by that. Nothing when the profile does not use its seal or
// has none.
void DrawCompanySeal(Canvas& c, const TMxCampanyInfo& company, SealPlace place, bool a4, double offsetMm = 0);

}  // namespace qm
