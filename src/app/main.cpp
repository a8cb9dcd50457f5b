#include <QApplication>

#include "ui/app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velora Quillmark"));
  qm::ui::TFormMain window;
  window.show();
  return QApplication::exec();
}
