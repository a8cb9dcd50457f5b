#include "ui/app/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "base/version.h"

namespace qm::ui {

bool SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("Velora Quillmark"));
  QApplication::setApplicationDisplayName(QStringLiteral("Velora Quillmark"));
  QApplication::setApplicationVersion(QString::fromLatin1(kAppVersion));
  // Matches the installed desktop entry, so the desktop shows its name and icon.
  QApplication::setDesktopFileName(QStringLiteral("io.velora.Quillmark"));
  // Owned by the application, so it lives as long as the texts it translates.
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QApplication::installTranslator(translator);
}

}  // namespace qm::ui
