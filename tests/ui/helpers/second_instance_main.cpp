// A later start of the program, as a separate process for the single-instance tests.
//   qm_second_instance NAME          exit 0: handed over to a running instance,
//                                    exit 3: became the running instance itself,
//                                    exit 4: runs, but could not take the name.
//   qm_second_instance NAME --stay   when it becomes the running instance, prints
//                                    "primary", then "raised" for every request, and
//                                    runs until killed.
#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "ui/app/single_instance.h"

namespace {

void Say(const char* line) {
  std::fputs(line, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() < 2) {
    std::fputs("usage: qm_second_instance NAME [--stay]\n", stderr);
    return 2;
  }
  qm::ui::SingleInstance instance(args.at(1));
  if (!instance.TryBecomePrimary()) return 0;
  if (!args.contains(QStringLiteral("--stay"))) return instance.IsListening() ? 3 : 4;
  QObject::connect(&instance, &qm::ui::SingleInstance::raiseRequested, [] { Say("raised"); });
  Say(instance.IsListening() ? "primary" : "unguarded");
  return QApplication::exec();
}
