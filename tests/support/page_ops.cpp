#include "support/page_ops.h"

#include <sstream>

namespace qmtest {

std::vector<std::string> OpsWith(const qm::PageImage& page, const std::string& needle) {
  std::vector<std::string> found;
  std::istringstream in(page.Describe());
  for (std::string op; std::getline(in, op);)
    if (op.find(needle) != std::string::npos) found.push_back(op);
  return found;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\n";
  return s;
}

bool HasOp(const qm::PageImage& page, const std::string& op) {
  std::istringstream in(page.Describe());
  for (std::string line; std::getline(in, line);)
    if (line == op) return true;
  return false;
}

}  // namespace qmtest
