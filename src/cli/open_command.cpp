// lorvane-cli open: Open of one hit of a saved result list, as a double-click in the
// result list does it: the application associated with the file, at the message's body
// line when it is an editor of "Jump.dat". With --dry-run it only says what it would
// start, which is how scripts and the tests see the choice.
// Tested by tests/cli/open_command_test.cpp.

#include <ostream>

#include "cli/arguments.h"
#include "cli/cli_context.h"
#include "mail/open_hit.h"
#include "search/result_file.h"

namespace lorvane::cli {

namespace {

constexpr const char* kHelp =
    "Usage: lorvane-cli open [--dry-run] RESULTFILE ROW\n"
    "\n"
    "Opens the message in row ROW (1 is the first) of a result file saved by\n"
    "'search --save' or the program's File menu: with the application the registry\n"
    "associates with its file (else with .txt files, else the desktop's), at the\n"
    "message's first body line when that application is an editor listed in Jump.dat\n"
    "beside the settings file.\n"
    "\n"
    "  --dry-run   print the program and its parameters, separated by a TAB, instead of\n"
    "              starting it (Jump.dat is then not written either)\n"
    "\n"
    "Exit status: 0 started (or printed), 1 nothing to start (the reason is printed) or\n"
    "the program could not be started, 2 usage error.\n";

int ParseRow(const std::string& text) {
  long long n = 0;
  bool ok = !text.empty() && text.size() <= 9;
  for (char c : text) {
    ok = ok && c >= '0' && c <= '9';
    if (ok) n = n * 10 + (c - '0');
  }
  if (!ok || n < 1) throw UsageError{"ROW must be a row number from 1, not '" + text + "'"};
  return static_cast<int>(n);
}

}  // namespace

int RunOpenCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}, {"--dry-run", false}}, &parsed, &error)) {
    throw UsageError{error};
  }
  if (parsed.Has("--help")) {
    ctx.out() << kHelp;
    return kExitFound;
  }
  if (parsed.positionals.size() != 2) throw UsageError{"open needs RESULTFILE ROW"};
  const int row = ParseRow(parsed.positionals[1]);
  const bool dry_run = parsed.Has("--dry-run");
  const std::string file = ctx.ToWindowsPath(parsed.positionals[0]);

  TPlatform& platform = ctx.Platform();
  TResultList results;
  TResultList undo;
  switch (LoadResultFile(platform.fs, file, &results, &undo, &error)) {
    case TResultFileStatus::kLoaded:
      break;
    case TResultFileStatus::kNotAResultFile:
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(NotAResultFileMessage(file)) << '\n';
      return kExitFailure;
    case TResultFileStatus::kUnreadable:
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
      return kExitFailure;
  }
  if (row > results.Count()) {
    ctx.err() << "lorvane-cli: " << ctx.ToExternal(file) << " has " << results.Count()
              << " row(s), no row " << row << '\n';
    return kExitFailure;
  }

  TEditorTable editors;
  // A table that cannot be read or written is no reason not to open the message.
  LoadEditorTable(platform.fs, EditorTableFileName(platform.fs.ProgramPath()), !dry_run, &editors);
  const int index = row - 1;
  const TOpenPlan plan = PlanOpen(platform, editors, results.Field(index, mfFileName),
                                  results.Field(index, mfFirst), results.Field(index, mfLast));
  if (!plan.start) {
    ctx.err() << "lorvane-cli: " << ctx.ToExternal(plan.message) << '\n';
    return kExitFailure;
  }
  if (dry_run) {
    ctx.out() << ctx.ToExternal(plan.program) << '\t' << ctx.ToExternal(plan.parameters) << '\n';
    return kExitFound;
  }
  if (!platform.shell.StartProgram(plan.program, plan.parameters)) {
    ctx.err() << "lorvane-cli: " << ctx.ToExternal(plan.program) << " could not be started\n";
    return kExitFailure;
  }
  return kExitFound;
}

}  // namespace lorvane::cli
