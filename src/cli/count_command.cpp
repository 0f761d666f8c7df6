// lorvane-cli count: the hits of a result file counted by folder, by date and by sender,
// under the reading of the newest keyword; printed, or (--open) written to Count.txt and
// opened as the Tool menu's count does. The report is search/count_report's, the file and
// the application search/count_tool's.
//   count RESULTFILE [--open [--dry-run]]
// Tested by tests/cli/search_command_test.cpp and tests/cli/count_open_test.cpp.

#include <ostream>

#include "cli/search_run.h"
#include "persist/ini_file.h"
#include "search/count_report.h"
#include "search/count_tool.h"

namespace lorvane::cli {

int RunCountCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}, {"--open", false}, {"--dry-run", false}}, &parsed,
                      &error)) {
    throw UsageError{error};
  }
  if (parsed.Has("--help")) {
    ctx.out() << kSearchHelp;
    return kExitFound;
  }
  if (parsed.positionals.size() != 1) throw UsageError{"count needs one RESULTFILE"};
  const bool open = parsed.Has("--open");
  if (parsed.Has("--dry-run") && !open) throw UsageError{"--dry-run goes with --open"};
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
  if (!open) {
    for (const auto& line : CountReportLines(results, PlainReading(runs))) {
      ctx.out() << ctx.ToExternal(line) << '\n';
    }
    return kExitFound;
  }
  TPlatform& platform = ctx.Platform();
  const TOpenPlan plan = PlanCountReport(platform, results, PlainReading(runs));
  if (!plan.start) {
    ctx.err() << "lorvane-cli: " << ctx.ToExternal(plan.message) << '\n';
    return kExitFailure;
  }
  if (parsed.Has("--dry-run")) {
    ctx.out() << ctx.ToExternal(plan.program) << '\t' << ctx.ToExternal(plan.parameters) << '\n';
    return kExitFound;
  }
  // The shell's failures are not reported, as in the window: the report is written.
  platform.shell.StartProgram(plan.program, plan.parameters);
  return kExitFound;
}

}  // namespace lorvane::cli
