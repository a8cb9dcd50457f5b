#pragma once
// Every "now" the program writes into a file comes from a Clock, so tests can pin it.
#include <QDateTime>

namespace qm {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime Now() const = 0;  // local time
};

// The machine's local time.
const Clock& SystemClock();

// Always the same moment.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
  QDateTime Now() const override { return at_; }

 private:
  QDateTime at_;
};

}  // namespace qm
