// Velora Quillmark: one instance per user; a second start brings the first forward.
#include <QApplication>
#include <QScreen>
#include <QStyle>

#include <cstdio>
#include <cstring>

#include "base/error.h"
#include "base/version.h"
#include "print/page_font.h"
#include "ui/common/message_box.h"
#include "ui/app/main_window.h"
#include "ui/app/application_setup.h"
#include "ui/app/single_instance.h"

int main(int argc, char* argv[]) {
  // Answered before any window system is needed, so they work on a console too.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("Velora Quillmark %s\n", qm::kAppVersion);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::printf("使い方: quillmark [--version] [--help]\n"
                  "  見積書・請求書などを作成し、印刷・PDF出力する Velora Quillmark を起動します。\n"
                  "  データフォルダは ~/.local/share/Norvel/Brevik（QUILLMARK_DATA_DIR で変更できます）。\n");
      return 0;
    }
  }
  QApplication app(argc, argv);
  qm::ui::SetUpApplication(app);

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
  // Pages, previews and PDF files are set in the page font; without it the user is told
  // at once which package to install, not at the first print.
  try {
    qm::PageFont();
  } catch (const qm::Error& e) {
    qm::ui::ShowError(&window, QString::fromStdString(e.what()));
  }
  return QApplication::exec();
}
