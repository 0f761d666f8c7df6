// lorvane-cli match: runs one pattern over standard input and prints where it matches.
//   errorpos N
//   match START LENGTH      (1-based, in bytes of the CP932 text; 0 0 for none)
// Tested by tests/cli/cli_test.cpp.

#include <istream>
#include <ostream>

#include "cli/arguments.h"
#include "cli/cli_context.h"
#include "common/exception.h"
#include "search/awk_str.h"

namespace lorvane::cli {

namespace {

constexpr const char* kHelp =
    "Usage: lorvane-cli match [--fuzzy] [--plain] [--] PATTERN\n"
    "\n"
    "Matches PATTERN against all of standard input and prints the matcher's error\n"
    "position and the leftmost, shortest match (1-based byte position and length in\n"
    "the CP932 text; 0 0 when there is none).\n"
    "\n"
    "  --fuzzy   powerful mode: variant forms of a character count as equal\n"
    "  --plain   take PATTERN literally, not as a regular expression\n"
    "\n"
    "Exit status: 0 match, 1 no match, 2 usage error, 3 pattern error.\n";

}  // namespace

int RunMatchCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--fuzzy", false}, {"--plain", false}, {"--help", false}}, &parsed,
                      &error)) {
    throw UsageError{error};
  }
  if (parsed.Has("--help")) {
    ctx.out() << kHelp;
    return kExitFound;
  }
  if (parsed.positionals.size() != 1) throw UsageError{"match needs exactly one PATTERN"};
  const std::string pattern = ctx.ToCore(parsed.positionals[0], "PATTERN");
  const std::string text = ctx.ReadAllInput();

  TAWKStr matcher;
  matcher.SetUseFuzzyCharDic(parsed.Has("--fuzzy"));
  matcher.SetPlainText(parsed.Has("--plain"));
  try {
    matcher.SetRegExp(pattern);
  } catch (const Exception& e) {
    ctx.out() << "errorpos " << matcher.ErrorPos() << '\n';
    ctx.err() << ctx.ToExternal(e.what()) << '\n';
    return kExitPatternError;
  }
  ctx.out() << "errorpos " << matcher.ErrorPos() << '\n';
  int start = 0;
  int length = 0;
  matcher.Match(text, &start, &length);
  ctx.out() << "match " << start << ' ' << length << '\n';
  return start > 0 ? kExitFound : kExitNotFound;
}

}  // namespace lorvane::cli
