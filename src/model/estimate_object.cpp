#include "model/estimate_object.h"

namespace qm {

bool TMxEstimateObject::Uninput() const {
  return FName.empty() && FItemUnit.empty() && FNote.empty() && FNum.IsZero() && FPrice.IsZero() &&
         FTotalPrice.IsZero();
}

}  // namespace qm
