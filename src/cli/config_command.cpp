// lorvane-cli config: the settings file as the program sees it.
//   config list                          KEY<TAB>T<TAB>VALUE per key, in file order
//   config get SECTION NAME              the value as it reads (exit 1 when absent)
//   config set SECTION NAME TYPE VALUE   one load, one write, one atomic update
//   config unset SECTION NAME
// Tested by tests/cli/config_command_test.cpp.

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <variant>

#include "cli/arguments.h"
#include "cli/cli_context.h"
#include "common/number_parse.h"
#include "persist/ini_file.h"

namespace lorvane::cli {

namespace {

constexpr const char* kHelp =
    "Usage: lorvane-cli config list\n"
    "       lorvane-cli config get SECTION NAME\n"
    "       lorvane-cli config set SECTION NAME TYPE VALUE\n"
    "       lorvane-cli config unset SECTION NAME\n"
    "\n"
    "Reads and changes the settings file that the GUI and lorvane-cli share.\n"
    "SECTION may be empty ('') or a path such as 'Mailers\\Becky'. TYPE is one of\n"
    "Boolean (True or False), Integer (decimal, 32 bits), Float (decimal number),\n"
    "Date (yyyy/mm/dd hh:nn:ss) or String (taken as it is; '' is an empty string).\n"
    "\n"
    "list prints KEY, the type's first letter and the stored text, tab separated.\n"
    "Exit status: 0 done, 1 no such value or the file could not be read or written,\n"
    "2 usage error.\n";

bool SameWord(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return i == a.size() && b[i] == '\0';
}

// VALUE of `config set` as a typed value; UsageError for a malformed one.
TIniValue ParseTypedValue(const std::string& type, const std::string& value) {
  if (SameWord(type, "Boolean")) {
    if (SameWord(value, "True")) return true;
    if (SameWord(value, "False")) return false;
    throw UsageError{"a Boolean is True or False, not '" + value + "'"};
  }
  if (SameWord(type, "Integer")) {
    const std::optional<int32_t> n = ParseDecimal32(value);
    if (!n) {
      throw UsageError{"an Integer is a decimal number from -2147483648 to 2147483647, not '" +
                       value + "'"};
    }
    return int64_t{*n};
  }
  if (SameWord(type, "Float")) {
    char* end = nullptr;
    const double d = value.empty() ? 0 : std::strtod(value.c_str(), &end);
    const bool plain = value.find_first_not_of("0123456789+-.eE") == std::string::npos;
    if (value.empty() || !plain || end != value.c_str() + value.size() || !std::isfinite(d)) {
      throw UsageError{"a Float is a decimal number, not '" + value + "'"};
    }
    return d;
  }
  if (SameWord(type, "Date")) {
    const bool shape = value.size() == 19 && value[4] == '/' && value[7] == '/' &&
                       value[10] == ' ' && value[13] == ':' && value[16] == ':';
    const std::optional<TDateTime> t = shape ? ParseDateTime(value) : std::nullopt;
    if (!t) throw UsageError{"a Date is yyyy/mm/dd hh:nn:ss, not '" + value + "'"};
    return *t;
  }
  if (SameWord(type, "String")) return value;
  throw UsageError{"TYPE must be Boolean, Integer, Float, Date or String"};
}

std::string ValueText(const TIniValue& v) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(bool b) const { return b ? "True" : "False"; }
    std::string operator()(int64_t n) const { return std::to_string(n); }
    std::string operator()(double d) const {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.15g", d);
      return buf;
    }
    std::string operator()(TDateTime t) const { return FormatDateTime(t); }
    std::string operator()(const std::string& s) const { return s; }
  };
  return std::visit(Visitor{}, v);
}

}  // namespace

int RunConfigCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}}, &parsed, &error)) throw UsageError{error};
  if (parsed.Has("--help")) {
    ctx.out() << kHelp;
    return kExitFound;
  }
  const auto& p = parsed.positionals;
  if (p.empty()) throw UsageError{"config needs list, get, set or unset"};
  const std::string& verb = p[0];
  auto expect = [&](size_t count, const char* usage) {
    if (p.size() != count) throw UsageError{std::string("usage: config ") + usage};
  };

  if (verb == "list") {
    expect(1, "list");
    TIniFile& ini = ctx.Settings();
    for (int i = 0; i < ini.Count(); ++i) {
      const std::string& type = ini.Types()[static_cast<size_t>(i)];
      std::string letter;
      if (!type.empty()) {
        letter = static_cast<char>(std::toupper(static_cast<unsigned char>(type[0])));
      }
      ctx.out() << ctx.ToExternal(ini.Keys()[static_cast<size_t>(i)]) << '\t'
                << ctx.ToExternal(letter) << '\t'
                << ctx.ToExternal(ini.Values()[static_cast<size_t>(i)]) << '\n';
    }
    return kExitFound;
  }
  if (verb == "get") {
    expect(3, "get SECTION NAME");
    const std::string section = ctx.ToCore(p[1], "SECTION");
    const std::string name = ctx.ToCore(p[2], "NAME");
    const TIniValue v = ctx.Settings().ReadValue(section, name, std::monostate{});
    if (std::holds_alternative<std::monostate>(v)) return kExitNotFound;
    ctx.out() << ctx.ToExternal(ValueText(v)) << '\n';
    return kExitFound;
  }
  if (verb == "set") {
    expect(5, "set SECTION NAME TYPE VALUE");
    const std::string section = ctx.ToCore(p[1], "SECTION");
    const std::string name = ctx.ToCore(p[2], "NAME");
    const TIniValue value = ParseTypedValue(p[3], ctx.ToCore(p[4], "VALUE"));
    TIniFile& ini = ctx.Settings();
    ini.WriteValue(section, name, value);
    return SaveSettingsOrSay(ctx) ? kExitFound : kExitFailure;
  }
  if (verb == "unset") {
    expect(3, "unset SECTION NAME");
    const std::string section = ctx.ToCore(p[1], "SECTION");
    const std::string name = ctx.ToCore(p[2], "NAME");
    TIniFile& ini = ctx.Settings();
    ini.WriteValue(section, name, std::monostate{});
    return SaveSettingsOrSay(ctx) ? kExitFound : kExitFailure;
  }
  throw UsageError{"config needs list, get, set or unset, not '" + verb + "'"};
}

}  // namespace lorvane::cli
