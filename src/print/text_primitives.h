#pragma once
// Text on a page image in point sizes: the cell height of a size is round(size × dpi / 72)
// dots, and widths follow the fixed-pitch rule.
#include <string>

#include "print/page_image.h"

namespace qm {

// Draws `text` with the top-left corner of its cell at (x, y) in `size` points; style
// and colour are whatever the caller set before.
void PrintText(PageImage& page, int size, int x, int y, const std::string& text, int dpi);

// Width and height in dots of `text` at `size` points.
int GetCharWidth(const std::string& text, int size, int dpi);
int GetCharHeight(const std::string& text, int size, int dpi);

// Left edge that centres `text` in a span of `width` dots starting at `left`:
// left + width div 2 − text width div 2. And the left edge that ends it at `right`.
int CentredX(const std::string& text, int size, int dpi, int left, int width);
int RightAlignedX(const std::string& text, int size, int dpi, int right);

}  // namespace qm
