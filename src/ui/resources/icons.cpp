#include "ui/resources/icons.h"

#include <mutex>

// Outside any namespace, as the resource macro requires.
static void InitIconsQrc() { Q_INIT_RESOURCE(icons); }

namespace qm::ui {

void InitIconResources() {
  static std::once_flag once;
  std::call_once(once, InitIconsQrc);
}

QIcon Icon(QStringView name) {
  InitIconResources();
  return QIcon(QStringLiteral(":/icons/") + name.toString() + QStringLiteral(".svg"));
}

}  // namespace qm::ui
