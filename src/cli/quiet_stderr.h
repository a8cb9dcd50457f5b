#pragma once
// Image codec libraries write their complaints about damaged pictures straight to file
// descriptor 2. The command line promises one line of its own per error, so decoding
// runs with that descriptor pointed at /dev/null for the lifetime of this object.
namespace qm::cli {

class QuietStderr {
 public:
  QuietStderr();
  ~QuietStderr();
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace qm::cli
