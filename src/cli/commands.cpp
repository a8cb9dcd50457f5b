#include "cli/commands.h"

#include <algorithm>
#include <exception>
#include <span>

#include "base/data_folders.h"
#include "base/version.h"
#include "base/error.h"
#include "cli/front/arguments.h"
#include "cli/front/quiet_qt.h"
#include "cli/document_commands.h"
#include "cli/file_commands.h"
#include "cli/issued_commands.h"
#include "cli/line_commands.h"
#include "cli/master_commands.h"
#include "cli/front/front.h"
#include "cli/front/messages.h"
#include "cli/front/zip_command.h"
#include "cli/postal_commands.h"
#include "cli/print_commands.h"
#include "cli/settings_commands.h"

namespace qm::cli {
namespace {

struct Command {
  const char* name;
  const char* synopsis;
  const char* summary;
  std::size_t operands;              // the least number of operands
  std::vector<std::string> options;  // besides the global --data and --help
  void (*run)(const Invocation&);
  bool moreOperands = false;  // any number of operands beyond `operands`
};

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"dump", "qm dump FILE.QM1 [--calc] [--rate R]", msg::kDumpSummary, 1, {"--calc", "--rate"}, DumpCommand},
      {"build", "qm build IN.json OUT.QM1 [--comment TEXT] [--calc] [--rate R]", msg::kBuildSummary, 2,
       {"--comment", "--calc", "--rate"}, BuildCommand},
      {"calc", "qm calc FILE.QM1|IN.json [--rate R]", msg::kCalcSummary, 1, {"--rate"}, CalcCommand},
      {"customers", kCustomersSynopsis, msg::kCustomersSummary, 0, {"--csv", "--sort", "--desc", "--map"},
       CustomersCommand, true},
      {"items", "qm items [--sort KEY [--desc]]", msg::kItemsSummary, 0, {"--sort", "--desc"}, ItemsCommand},
      {"units", "qm units", msg::kUnitsSummary, 0, {}, UnitsCommand},
      {"config", "qm config", msg::kConfigSummary, 0, {}, ConfigCommand},
      {"ls", "qm ls [--sort COLUMN] [--desc] [--search FIELD=WORD]", msg::kLsSummary, 0,
       {"--sort", "--desc", "--search"}, LsCommand},
      {"save", "qm save IN.json NAME [--comment TEXT] [--overwrite] [--calc] [--rate R]", msg::kSaveSummary, 2,
       {"--comment", "--overwrite", "--calc", "--rate"}, SaveCommand},
      {"backup", "qm backup DIR", msg::kBackupSummary, 1, {}, BackupCommand},
      {"restore", "qm restore DIR", msg::kRestoreSummary, 1, {}, RestoreCommand},
      {"pages", kPagesSynopsis, msg::kPagesSummary, 1, {"--set", "--rate"}, PagesCommand, true},
      {"render", kRenderSynopsis, msg::kRenderSummary, 1,
       {"--page", "--out", "--ops", "--dpi", "--set", "--tax", "--rate"}, RenderCommand, true},
      {"pdf", kPdfSynopsis, msg::kPdfSummary, 2, {"--set", "--tax", "--fonts", "--no-archive", "--rate"}, PdfCommand,
       true},
      {"print", kPrintSynopsis, msg::kPrintSummary, 1, {"--printer", "--set", "--tax", "--no-archive", "--rate"},
       PrintCommand, true},
      {"einvoice", kEInvoiceSynopsis, msg::kEInvoiceSummary, 3, {"--set", "--buyer-endpoint", "--period", "--rate"},
       EInvoiceCommand, true},
      {"issued", kIssuedSynopsis, msg::kIssuedSummary, 1,
       {"--from", "--to", "--min", "--max", "--customer", "--kind"}, IssuedCommand, true},
      {"totalclaim", "qm totalclaim (--per-file|--per-line) OUT.QM1 NAME... [--comment TEXT] [--rate R]",
       msg::kTotalClaimSummary, 2, {"--per-file", "--per-line", "--comment", "--rate"}, TotalClaimCommand, true},
      {"export-lines", "qm export-lines FILE.QM1 OUT.csv [--rate R]", msg::kExportLinesSummary, 2, {"--rate"},
       ExportLinesCommand},
      {"picture", "qm picture FILE.QM1 LINE OUT", msg::kPictureSummary, 3, {}, PictureCommand},
      {"zip", "qm zip CODE | qm zip --address TEXT", msg::kZipSummary, 0, {"--address"}, ZipCommand, true},
      {"zip-update", "qm zip-update [--server URL] [--proxy HOST:PORT]", msg::kZipUpdateSummary, 0,
       {"--server", "--proxy"}, ZipUpdateCommand},
      {"zip-import", "qm zip-import FILE.CSV", msg::kZipImportSummary, 1, {}, ZipImportCommand},
  };
  return commands;
}

std::string Usage() {
  std::string text = msg::kUsageHead;
  for (const Command& c : Commands()) text += std::string("  ") + c.synopsis + "\n      " + c.summary + "\n";
  return text + msg::kUsageTail;
}

std::string CommandUsage(const Command& c) {
  return msg::kUsageHead + std::string("  ") + c.synopsis + "\n      " + c.summary + "\n" + msg::kUsageTail;
}

const Command& FindCommand(const std::string& name) {
  for (const Command& c : Commands())
    if (name == c.name) return c;
  throw Error(msg::UnknownCommand(name));
}

void CheckArguments(const Command& command, const Arguments& args) {
  for (const auto& [option, value] : args.options) {
    if (option == "--data" || option == "--help" || option == "--version") continue;
    if (std::find(command.options.begin(), command.options.end(), option) == command.options.end())
      throw Error(msg::OptionNotForCommand(option, command.name));
  }
  if (args.operands.size() < command.operands) throw Error(msg::MissingArgument(command.synopsis));
  if (args.operands.size() > command.operands && !command.moreOperands)
    throw Error(msg::ExtraArgument(args.operands[command.operands], command.synopsis));
}


}  // namespace

int Run(const std::vector<std::string>& argList, std::FILE* out, std::FILE* err) {
  try {
    const Arguments args = ParseArguments(argList);
    if (args.Has("--version")) {
      std::fprintf(out, "qm (Velora Quillmark) %s\n", kAppVersion);
      return 0;
    }
    if (args.Has("--help")) {
      // qm COMMAND --help: that command alone; qm --help: every command.
      std::fputs(args.command.empty() ? Usage().c_str() : CommandUsage(FindCommand(args.command)).c_str(), out);
      return 0;
    }
    if (args.command.empty()) {
      std::fputs(Usage().c_str(), err);
      return 1;
    }
    const Command& command = FindCommand(args.command);
    CheckArguments(command, args);
    const qm::DataFolder data(DataFolderPath(args));
    // What a write killed half-way left behind goes before this command writes.
    data.RemoveStaleTemporaries();
    command.run(Invocation{args, data, out, err});
    return 0;
  } catch (const std::exception& e) {
    return ReportError(err, e);
  }
}

int Run(int argc, char* argv[]) {
  QuietQtMessages();
  const std::span<char*> given(argv, static_cast<std::size_t>(argc));
  const int status = Run(std::vector<std::string>(given.begin() + (argc > 0 ? 1 : 0), given.end()), stdout, stderr);
  ReleaseGuiApplication();
  return status;
}

}  // namespace qm::cli
