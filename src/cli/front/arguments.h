#pragma once
// The command line split into a command, its operands and options.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qm::cli {

struct Arguments {
  std::string command;  // empty when none was given
  std::vector<std::string> operands;
  // Every option given, by its long name ("--rate"); flags map to "".
  std::map<std::string, std::string> options;
  // Every value of every option in the order given, for options that may repeat.
  std::vector<std::pair<std::string, std::string>> all;

  bool Has(const std::string& option) const { return options.count(option) != 0; }
  std::optional<std::string> Value(const std::string& option) const;
  // Every value given for a repeatable option, in order.
  std::vector<std::string> Values(const std::string& option) const;
};

// Options may stand anywhere, as "--name value" or "--name=value"; "--" ends them.
// Throws qm::Error for an unknown option or a missing value.
Arguments ParseArguments(const std::vector<std::string>& args);

}  // namespace qm::cli
