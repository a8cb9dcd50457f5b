#pragma once
// The editing operations on a document's lines: copy and paste through a one-line
// buffer, move, insert a blank or a subtotal line by pulling the empty last line into
// place, delete, and the blocks of ten lines added and removed at the end. Only the
// block operations change the number of lines.
#include "base/era_date.h"
#include "model/estimate_list.h"

namespace qm {

// A fresh document has this many lines, and never fewer.
inline constexpr int kMinimumLines = 100;
// Lines are added and removed at the end in blocks of this many.
inline constexpr int kLineBlock = 10;

enum class LineEdit {
  Done,
  TotalClaim,     // refused in a total-claim document
  NoCurrentLine,  // no line, or an index outside the document
  CannotMove,     // moving past the first or last line
  NoRoom,         // inserting needs an empty last line other than the current one
};

// Every field of `from`, the picture as an independent copy.
void CopyLineContent(const TMxEstimateObject& from, TMxEstimateObject& to);

// Copies line `current` into `buffer`.
LineEdit CopyLine(const TMxEstimateObjectList& doc, int current, TMxEstimateObject& buffer);
// Copies `buffer` into line `current` and recalculates.
LineEdit PasteLine(TMxEstimateObjectList& doc, int current, const TMxEstimateObject& buffer);
// Moves line `current` by `delta` (−1 up, +1 down) and recalculates. Allowed in a
// total-claim document, where the window offers no way to call it.
LineEdit MoveLine(TMxEstimateObjectList& doc, int current, int delta);
// Moves the empty last line to `current`; the lines from there on move down one.
LineEdit InsertBlankLine(TMxEstimateObjectList& doc, int current);
// The same, then the inserted line becomes a subtotal line; recalculates.
LineEdit InsertSubTotalLine(TMxEstimateObjectList& doc, int current);
// Removes line `current`, appends an empty line and recalculates.
LineEdit DeleteLine(TMxEstimateObjectList& doc, int current);

// True when any line of [first, end) holds something.
bool AnyFilled(const TMxEstimateObjectList& doc, int first, int end);
// Appends `count` empty lines.
void AddBlankLines(TMxEstimateObjectList& doc, int count);
// Removes the last `count` lines (fewer when the document is shorter).
void RemoveLastLines(TMxEstimateObjectList& doc, int count);

// The header of a new document: dated `today`, honorific "御中", every other header
// field and the customer block empty. The four print switches keep their state.
void SetNewHeader(TMxEstimateObjectList& doc, const EraDate& today);

// Tax on the sum rounded down, not tax-included, subtotals rounded down.
void SetDefaultCalculation(TMxEstimateObjectList& doc);

// A new document: normal mode, kMinimumLines empty lines, tax on the sum rounded down,
// not tax-included, subtotals rounded down, and every total zero. The header fields
// stay; the window sets them from its controls.
void ResetToNewDocument(TMxEstimateObjectList& doc);

}  // namespace qm
