// lorvane-cli reg: registry values and keys as detection reads them, so a user can see
// what Lorvane sees in a Wine prefix or an export.
//   reg get KEYPATH [VALUENAME] [--integer | --bytes]
//   reg keys KEYPATH
// Tested by tests/cli/reg_command_test.cpp.

#include <cstdio>
#include <ostream>
#include <variant>

#include "cli/arguments.h"
#include "cli/cli_context.h"
#include "persist/reg_path.h"

namespace lorvane::cli {

namespace {

constexpr const char* kHelp =
    "Usage: lorvane-cli reg get KEYPATH [VALUENAME] [--integer | --bytes]\n"
    "       lorvane-cli reg keys KEYPATH\n"
    "\n"
    "Reads the registry of the Wine prefix (and the --registry exports laid over it) as\n"
    "Lorvane's mail-program detection reads it. KEYPATH is '\\HKEY_CURRENT_USER\\Software\\...'\n"
    "(any root name); a path without the leading backslash is below Lorvane's own key.\n"
    "VALUENAME left out reads the key's default value.\n"
    "\n"
    "  --integer   read the value as a number (as detection reads counts)\n"
    "  --bytes     print the value's bytes in hexadecimal\n"
    "\n"
    "Exit status: 0 found, 1 no such key or value, 2 usage error.\n";

}  // namespace

int RunRegCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}, {"--integer", false}, {"--bytes", false}}, &parsed,
                      &error)) {
    throw UsageError{error};
  }
  if (parsed.Has("--help")) {
    ctx.out() << kHelp;
    return kExitFound;
  }
  const auto& p = parsed.positionals;
  if (p.size() < 2) throw UsageError{"reg needs get or keys and a KEYPATH"};
  const std::string path = ctx.ToCore(p[1], "KEYPATH");
  IRegistry& registry = ctx.Platform().registry;
  const TRegPath parsed_path = ParseRegPath(path);
  if (!parsed_path.valid) throw UsageError{"'" + p[1] + "' does not name a registry root"};

  if (p[0] == "keys") {
    if (p.size() != 2) throw UsageError{"usage: reg keys KEYPATH"};
    std::vector<std::string> keys;
    if (!ListRegKeys(registry, path, &keys)) return kExitNotFound;
    for (const auto& k : keys) ctx.out() << ctx.ToExternal(k) << '\n';
    return kExitFound;
  }
  if (p[0] != "get") throw UsageError{"reg needs get or keys, not '" + p[0] + "'"};
  if (p.size() > 3) throw UsageError{"usage: reg get KEYPATH [VALUENAME]"};
  const std::string name = p.size() == 3 ? ctx.ToCore(p[2], "VALUENAME") : std::string();
  if (!registry.QueryValue(parsed_path.root, parsed_path.sub_key, name)) return kExitNotFound;

  if (parsed.Has("--bytes")) {
    const TRegVariant v = ReadRegValue(registry, path, name, TRegBytes{});
    const auto* bytes = std::get_if<TRegBytes>(&v);
    if (bytes == nullptr) return kExitNotFound;
    std::string hex;
    for (unsigned char b : bytes->bytes) {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%s%02x", hex.empty() ? "" : " ", b);
      hex += buf;
    }
    ctx.out() << hex << '\n';
    return kExitFound;
  }
  if (parsed.Has("--integer")) {
    ctx.out() << ReadRegInteger(registry, path, name) << '\n';
    return kExitFound;
  }
  ctx.out() << ctx.ToExternal(ReadRegString(registry, path, name)) << '\n';
  return kExitFound;
}

}  // namespace lorvane::cli
