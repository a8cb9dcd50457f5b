#include "cli/front/arguments.h"

#include "base/error.h"
#include "cli/front/messages.h"

namespace qm::cli {
namespace {

struct OptionSpec {
  const char* name;
  bool takesValue;
};

constexpr OptionSpec kOptions[] = {
    {"--data", true}, {"--rate", true}, {"--comment", true}, {"--csv", true}, {"--calc", false}, {"--help", false},
    {"--version", false}, {"--printer", true},
    {"--sort", true}, {"--desc", false}, {"--search", true}, {"--overwrite", false},
    {"--set", true},  {"--tax", true},   {"--page", true},   {"--out", true},        {"--dpi", true},
    {"--ops", false}, {"--per-file", false}, {"--per-line", false}, {"--address", true}, {"--server", true},
    {"--proxy", true}, {"--map", true}, {"--fonts", true},
    {"--no-archive", false}, {"--from", true}, {"--to", true}, {"--min", true}, {"--max", true},
    {"--customer", true}, {"--kind", true}, {"--buyer-endpoint", true}, {"--period", true},
};

const OptionSpec* FindOption(const std::string& name) {
  for (const OptionSpec& o : kOptions)
    if (name == o.name) return &o;
  return nullptr;
}

}  // namespace

std::optional<std::string> Arguments::Value(const std::string& option) const {
  const auto it = options.find(option);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> Arguments::Values(const std::string& option) const {
  std::vector<std::string> values;
  for (const auto& [name, value] : all)
    if (name == option) values.push_back(value);
  return values;
}

Arguments ParseArguments(const std::vector<std::string>& args) {
  Arguments result;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // A lone "-" is an operand (a file of that name), not an option.
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      if (result.command.empty())
        result.command = arg;
      else
        result.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t eq = arg.find('=');
    std::string name = arg.substr(0, eq);
    if (name == "-h") name = "--help";
    const OptionSpec* option = FindOption(name);
    if (!option) throw Error(msg::UnknownOption(name));
    if (!option->takesValue) {
      if (eq != std::string::npos) throw Error(msg::OptionTakesNoValue(name));
      result.options[name] = "";
    } else if (eq != std::string::npos) {
      result.options[name] = arg.substr(eq + 1);
    } else {
      if (i + 1 >= args.size()) throw Error(msg::OptionNeedsValue(name));
      result.options[name] = args[++i];
    }
    result.all.emplace_back(name, result.options[name]);
  }
  return result;
}

}  // namespace qm::cli
