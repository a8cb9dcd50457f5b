// Velora Quillmark: one instance per user; a second start brings the first forward.
#include <QApplication>
#include <QScreen>
#include <QStyle>

#include "ui/app/main_window.h"
#include "ui/app/single_instance.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velora Quillmark"));
  QApplication::setApplicationDisplayName(QStringLiteral("Velora Quillmark"));

  qm::ui::SingleInstance instance;
  if (!instance.TryBecomePrimary()) return 0;

  qm::ui::TFormMain window;
  QObject::connect(&instance, &qm::ui::SingleInstance::raiseRequested, &window,
                   [&window] { qm::ui::RaiseAndRestore(&window); });
  // Centred on the desktop.
  if (const QScreen* screen = QApplication::primaryScreen())
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                           screen->availableGeometry()));
  window.show();
  return QApplication::exec();
}
