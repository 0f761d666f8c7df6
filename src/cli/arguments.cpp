// Command-line argument parsing for lorvane-cli.
// Tested by tests/cli/arguments_test.cpp.

#include "cli/arguments.h"

#include <cctype>

namespace lorvane::cli {

std::optional<std::string> ParsedArguments::Value(const std::string& name) const {
  std::optional<std::string> last;
  auto [first, end] = options.equal_range(name);
  for (auto it = first; it != end; ++it) last = it->second;
  return last;
}

std::vector<std::string> ParsedArguments::Values(const std::string& name) const {
  std::vector<std::string> values;
  auto [first, end] = options.equal_range(name);
  for (auto it = first; it != end; ++it) values.push_back(it->second);
  return values;
}

bool ParsedArguments::Switch(const std::string& on, const std::string& off, bool fallback) const {
  bool value = fallback;
  for (const auto& name : order) {
    if (name == on) value = true;
    if (name == off) value = false;
  }
  return value;
}

bool ParseArguments(const std::vector<std::string>& args, const std::vector<OptionDef>& defs,
                    ParsedArguments* out, std::string* error) {
  *out = ParsedArguments{};
  bool options_done = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool looks_like_option =
        arg.size() >= 2 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1]));
    if (options_done || !looks_like_option) {
      out->positionals.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> inline_value;
    if (const size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      inline_value = arg.substr(eq + 1);
    }
    const OptionDef* def = nullptr;
    for (const auto& s : defs) {
      if (s.name == name) def = &s;
    }
    if (def == nullptr) {
      *error = "unknown option '" + name + "'";
      return false;
    }
    std::string value;
    if (def->takes_value) {
      if (inline_value) {
        value = *inline_value;
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        *error = "option '" + name + "' needs a value";
        return false;
      }
    } else if (inline_value) {
      *error = "option '" + name + "' takes no value";
      return false;
    }
    out->options.emplace(name, value);
    out->order.push_back(name);
  }
  return true;
}

}  // namespace lorvane::cli
