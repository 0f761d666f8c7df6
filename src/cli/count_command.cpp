// lorvane-cli count: the hits of a result file counted by folder, by date and by sender,
// under the reading of the newest keyword. The report itself is search/count_report's.
//   count RESULTFILE
// Tested by tests/cli/search_command_test.cpp.

#include <ostream>

#include "cli/search_run.h"
#include "persist/ini_file.h"
#include "search/count_report.h"

namespace lorvane::cli {

int RunCountCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}}, &parsed, &error)) throw UsageError{error};
  if (parsed.Has("--help")) {
    ctx.out() << kSearchHelp;
    return kExitFound;
  }
  if (parsed.positionals.size() != 1) throw UsageError{"count needs one RESULTFILE"};
  const std::string file = ctx.ToWindowsPath(parsed.positionals[0]);
  TResultList results;
  TResultList undo;
  if (!LoadResultFileOrSay(ctx, file, &results, &undo)) return kExitFailure;
  // The keyword line shows the reading of the newest keyword, as the keyword box would.
  TIniFile& ini = ctx.Settings();
  const TSearchSettings settings = TSearchSettings::Load(ini);
  TKeywordHistory history;
  history.Load(ini);
  TPatternRuns runs;
  TRSearch query;
  query.SetPatternRichEdit(&runs);
  query.SetMethod(settings.method);
  query.SetCondition(history.Newest(), settings.regexp, settings.powerful);
  for (const auto& line : CountReportLines(results, PlainReading(runs))) {
    ctx.out() << ctx.ToExternal(line) << '\n';
  }
  return kExitFound;
}

}  // namespace lorvane::cli
