#include "model/master_list.h"

namespace qm {

void MasterLoadState::AcknowledgeIncompleteLoad() { MarkWhole(); }

void MasterLoadState::MarkIncomplete(const std::string& fileName, const std::string& message) {
  FIncomplete = true;
  FIncompleteFile = fileName;
  FIncompleteMessage = message;
}

void MasterLoadState::MarkWhole() {
  FIncomplete = false;
  FIncompleteFile.clear();
  FIncompleteMessage.clear();
}

void MasterLoadState::RequireLoadedWhole() const {
  if (!LoadedWhole()) throw Error(masters_msg::KeptAfterIncompleteLoad(FIncompleteFile));
}

void MasterLoadState::CheckIndex(int index, int count) {
  if (index < 0 || index >= count)
    throw Error("番号 " + std::to_string(index) + " は範囲外です (件数 " + std::to_string(count) + ")。");
}

}  // namespace qm
