#pragma once
// Pieces that the heads of the printed sheets share: the title, the name lines of an
// addressee, the company's logo and seal, and the text helpers they need.
#include <string>
#include <vector>

#include "model/company_info.h"
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

// The profile's logo fitted into LOGOWID × LOGOHIG with its top-left at (left, top) mm;
// nothing when the profile has none.
void DrawLogo(Canvas& c, const TMxCampanyInfo& company, double leftMm, double topMm);

// Where a sheet prints the company seal; each has its own position in the profile.
enum class SealPlace { Detail, TotalClaim, Receipt, FaxSender };

// The profile's company seal at its position for `place`, moved down by `offsetMm`.
// On B5 the stored millimetres are those of the B5 sheet, which is this page shrunk to
// 0.87, so they are divided by that. Nothing when the profile does not use its seal or
// has none.
void DrawCompanySeal(Canvas& c, const TMxCampanyInfo& company, SealPlace place, bool a4, double offsetMm = 0);

}  // namespace qm
