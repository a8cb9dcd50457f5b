#include "ui/app/main_window.h"

namespace qm::ui {

TFormMain::TFormMain(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Velora Quillmark"));
  resize(1024, 720);
}

}  // namespace qm::ui
