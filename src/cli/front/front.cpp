#include "cli/front/front.h"

#include <QFileInfo>

#include <unistd.h>

#include <climits>
#include <optional>
#include <vector>

#include "base/data_folders.h"
#include "base/error.h"
#include "cli/front/invocation.h"
#include "cli/front/messages.h"
#include "cli/front/quiet_qt.h"
#include "cli/front/zip_command.h"

namespace qm::cli {
namespace {

// qm-core in the folder of this program.
std::string CorePath() {
  char self[PATH_MAX] = {};
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string();
  const std::size_t slash = path.rfind('/');
  return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/qm-core";
}

// A lookup the front answers itself: `qm zip` with no option but --data and --address.
bool AnsweredHere(const Arguments& args) {
  if (args.command != "zip") return false;
  for (const auto& [option, value] : args.options)
    if (option != "--data" && option != "--address") return false;
  return true;
}

}  // namespace

std::string DataFolderPath(const Arguments& args) {
  const auto given = args.Value("--data");
  if (!given) return DefaultDataDir();
  // An explicit folder that is not there is a mistake, not a reason to fall back.
  if (!QFileInfo(QString::fromStdString(*given)).isDir()) throw Error(msg::NoDataFolder(*given));
  return *given;
}

int ReportError(std::FILE* err, const std::exception& e) {
  // Core messages may span lines; the contract is one line per error.
  std::string text = e.what();
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  std::fprintf(err, "qm: %s\n", text.c_str());
  return 1;
}

int RunFront(int argc, char* argv[]) {
  QuietQtMessages();
  std::vector<std::string> given;
  for (int i = 1; i < argc; ++i) given.emplace_back(argv[i]);
  std::optional<Arguments> args;
  try {
    args = ParseArguments(given);
  } catch (const Error&) {
    // Mistakes in the arguments are qm-core's to report, with its usage.
  }
  if (args && AnsweredHere(*args)) {
    try {
      ZipCommand(Invocation{*args, DataFolder(DataFolderPath(*args)), stdout, stderr});
      return 0;
    } catch (const std::exception& e) {
      return ReportError(stderr, e);
    }
  }
  const std::string core = CorePath();
  std::vector<char*> handedOn(argv, argv + argc);
  handedOn.push_back(nullptr);
  ::execv(core.c_str(), handedOn.data());
  std::fprintf(stderr, "qm: %s を起動できません。\n", core.c_str());
  return 1;
}

}  // namespace qm::cli
