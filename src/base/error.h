#pragma once
// The one exception type of the core: a message meant for the user (UTF-8, Japanese
// where the program speaks to the user). The UI shows what() in its error box.
#include <stdexcept>
#include <string>

namespace qm {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace qm
