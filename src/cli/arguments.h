#pragma once
// Command-line argument parsing shared by the commands: "--name", "--name VALUE",
// "--name=VALUE", and "--" ending the options. A "-" followed by a digit is a number,
// not an option, so "read FILE 0 -1" works.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lorvane::cli {

struct OptionDef {
  std::string name;  // with the leading "--"
  bool takes_value;
};

struct ParsedArguments {
  std::multimap<std::string, std::string> options;  // value empty for flags
  std::vector<std::string> positionals;

  bool Has(const std::string& name) const { return options.count(name) > 0; }
  // The last value given for `name`.
  std::optional<std::string> Value(const std::string& name) const;
  std::vector<std::string> Values(const std::string& name) const;
  // Of two opposite flags, the one given last; `fallback` when neither was.
  bool Switch(const std::string& on, const std::string& off, bool fallback) const;

  std::vector<std::string> order;  // option names in the order given
};

// Returns false and sets `error` for an unknown option or a missing value.
bool ParseArguments(const std::vector<std::string>& args, const std::vector<OptionDef>& defs,
                    ParsedArguments* out, std::string* error);

}  // namespace lorvane::cli
