#pragma once
// The toolbar and print-button pictures, compiled in under ":/icons/<name>.svg".
#include <QIcon>
#include <QString>

namespace qm::ui {

// Registers the icon resources; they sit in a static library, so the linker keeps
// them only when something calls this. Safe to call any number of times.
void InitIconResources();

// The icon ":/icons/<name>.svg", e.g. Icon(u"invoice").
QIcon Icon(QStringView name);

}  // namespace qm::ui
