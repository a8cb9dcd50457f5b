#include "base/clock.h"

namespace qm {
namespace {
class LocalClock final : public Clock {
 public:
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
};
}  // namespace

const Clock& SystemClock() {
  static const LocalClock clock;
  return clock;
}

}  // namespace qm
