#pragma once
// Reading a page image's operations in tests, one operation a line as Describe() gives them.
#include <string>
#include <vector>

#include "print/page_image.h"

namespace qmtest {

// The operations whose text contains `needle`, in order.
std::vector<std::string> OpsWith(const qm::PageImage& page, const std::string& needle);
// The lines joined, each ended by a newline.
std::string Joined(const std::vector<std::string>& lines);
// Whether one operation is exactly `op`.
bool HasOp(const qm::PageImage& page, const std::string& op);

}  // namespace qmtest
