// lorvane-cli read: a message's text exactly as the search reads it (binary parts
// dropped, header words decoded, JIS converted), which is how a user finds out why a
// message did or did not match.
// Tested by tests/cli/read_command_test.cpp.

#include <cerrno>
#include <cstdlib>
#include <ostream>

#include "cli/arguments.h"
#include "cli/cli_context.h"
#include "mail/mail_reader.h"
#include "search/search_settings.h"

namespace lorvane::cli {

namespace {

constexpr const char* kHelp =
    "Usage: lorvane-cli read [--header] [--length-limit on|off] FILE FIRST LAST\n"
    "\n"
    "Prints the text of the message at FIRST..LAST of FILE as Lorvane searches it.\n"
    "FIRST and LAST are lines for most files (0 -1 is the whole file), byte offsets for\n"
    ".bmf files, and a record offset for ...\\.mes\\message.txt. FILE is a Windows path\n"
    "(C:\\...) or a path on this machine, mapped through the Wine prefix's drives.\n"
    "\n"
    "  --header              the header lines only\n"
    "  --length-limit on|off stop at 10000 characters (default: the settings file's\n"
    "                        Option\\Length Limit, else on)\n"
    "\n"
    "Exit status: 0 done (a missing FILE prints nothing), 1 the message could not be\n"
    "read, 2 usage error.\n";

int32_t ParseAddress(const std::string& text, const char* what) {
  char* end = nullptr;
  errno = 0;
  const long long n = text.empty() ? 0 : std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE || n < INT32_MIN ||
      n > INT32_MAX) {
    throw UsageError{std::string(what) + " must be a decimal number, not '" + text + "'"};
  }
  return static_cast<int32_t>(n);
}

}  // namespace

int RunReadCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}, {"--header", false}, {"--length-limit", true}},
                      &parsed, &error)) {
    throw UsageError{error};
  }
  if (parsed.Has("--help")) {
    ctx.out() << kHelp;
    return kExitFound;
  }
  if (parsed.positionals.size() != 3) throw UsageError{"read needs FILE FIRST LAST"};
  const int32_t first = ParseAddress(parsed.positionals[1], "FIRST");
  const int32_t last = ParseAddress(parsed.positionals[2], "LAST");
  std::optional<bool> limit;
  if (auto v = parsed.Value("--length-limit")) {
    if (*v != "on" && *v != "off") throw UsageError{"--length-limit must be on or off"};
    limit = *v == "on";
  }
  const std::string file = ctx.ToWindowsPath(parsed.positionals[0]);

  TIniFile* settings = limit ? nullptr : &ctx.Settings();
  TMailReader reader(ctx.Platform().fs, [&] {
    return limit ? *limit : TSearchSettings::LengthLimit(*settings);
  });
  std::string text;
  try {
    text = reader.ReadMailText(file, first, last, parsed.Has("--header"));
  } catch (const EMailRead& e) {
    ctx.err() << "lorvane-cli: " << ctx.ToExternal(e.what()) << '\n';
    return kExitFailure;
  }
  ctx.out() << ctx.ToExternal(text);
  return kExitFound;
}

}  // namespace lorvane::cli
