// lorvane-cli query: builds a keyword condition, prints how it was read (one coloured run
// a line), whether it is usable, and whether standard input satisfies it.
//   run blue {
//   run black word
//   error no
//   match yes
// Tested by tests/cli/cli_test.cpp.

#include <ostream>

#include "cli/arguments.h"
#include "cli/cli_context.h"
#include "cli/search_run.h"
#include "search/keyword_query.h"

namespace lorvane::cli {

namespace {

constexpr const char* kHelp =
    "Usage: lorvane-cli query [--method and|or|logic] [--regexp|--no-regexp]\n"
    "                         [--powerful|--no-powerful] [--] KEYWORDS...\n"
    "\n"
    "Reads KEYWORDS (joined by single blanks) as the keyword box does, prints its reading\n"
    "as coloured runs, whether the condition has an error, and whether all of standard\n"
    "input satisfies it.\n"
    "\n"
    "  --method M      and (default), or, logic ({a}+{b}*!{c})\n"
    "  --regexp        keywords are regular expressions (default: plain text)\n"
    "  --no-powerful   exact characters only (default: powerful, variant forms equal)\n"
    "\n"
    "Exit status: 0 match, 1 no match, 2 usage error, 3 pattern error.\n";

const char* ColourName(TRunColour c) {
  switch (c) {
    case rcBlue:
      return "blue";
    case rcBlack:
      return "black";
    case rcRed:
      return "red";
  }
  return "black";
}

}  // namespace

int RunQueryCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  const std::vector<OptionDef> defs = {{"--method", true},       {"--regexp", false},
                                         {"--no-regexp", false},   {"--powerful", false},
                                         {"--no-powerful", false}, {"--help", false}};
  if (!ParseArguments(args, defs, &parsed, &error)) throw UsageError{error};
  if (parsed.Has("--help")) {
    ctx.out() << kHelp;
    return kExitFound;
  }
  const TMethod method = MethodOption(parsed).value_or(mtAND);
  const std::string keywords = KeywordsOf(parsed.positionals, 0, ctx);
  const std::string text = ctx.ReadAllInput();

  TPatternRuns runs;
  TRSearch query;
  query.SetPatternRichEdit(&runs);
  query.SetMethod(method);
  query.SetCondition(keywords, parsed.Switch("--regexp", "--no-regexp", false),
                     parsed.Switch("--powerful", "--no-powerful", true));
  for (const auto& run : runs.Runs()) {
    ctx.out() << "run " << ColourName(run.colour) << ' ' << ctx.ToExternal(run.text) << '\n';
  }
  const bool pattern_error = query.PatternError();
  const bool match = !pattern_error && query.IsMatch(text);
  ctx.out() << "error " << (pattern_error ? "yes" : "no") << '\n';
  ctx.out() << "match " << (match ? "yes" : "no") << '\n';
  if (pattern_error) return kExitPatternError;
  return match ? kExitFound : kExitNotFound;
}

}  // namespace lorvane::cli
