#include "cli/front/quiet_qt.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>

#include <cstdlib>
#include <string>

namespace qm::cli {
namespace {

void Nowhere(QtMsgType, const QMessageLogContext&, const QString&) {}

// A folder of this user's alone (mode 0700), as the runtime folder must be.
bool IsPrivateFolder(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
         (st.st_mode & 0777) == 0700;
}

std::string PrivateRuntimeFolder() {
  const char* tmp = std::getenv("TMPDIR");
  const std::string base = tmp && *tmp ? tmp : "/tmp";
  const std::string named = base + "/qm-runtime-" + std::to_string(::getuid());
  if (::mkdir(named.c_str(), 0700) == 0 || IsPrivateFolder(named)) return named;
  // Taken by someone else, or not what it should be: a fresh one.
  std::string unique = base + "/qm-runtime-XXXXXX";
  return ::mkdtemp(unique.data()) ? unique : std::string();
}

}  // namespace

void QuietQtMessages() {
  if (qEnvironmentVariable("QM_DEBUG") != QLatin1String("1")) qInstallMessageHandler(Nowhere);
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const std::string folder = PrivateRuntimeFolder();
    if (!folder.empty()) ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
  }
}

}  // namespace qm::cli
