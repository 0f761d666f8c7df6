// lorvane-cli narrow: searches the hits of a saved result file again.
//   narrow RESULTFILE [options] KEYWORDS...
// The options and the run are search_run.cpp's.
// Tested by tests/cli/search_command_test.cpp.

#include "cli/search_run.h"
#include "mail/mail_reader.h"
#include "mail/mail_stores.h"
#include "persist/ini_file.h"

namespace lorvane::cli {

int RunNarrowCommand(const std::vector<std::string>& args, CliContext& ctx) {
  const ParsedArguments parsed = ParseSearchArguments(args);
  if (parsed.Has("--help")) {
    ctx.out() << kSearchHelp;
    return kExitFound;
  }
  if (parsed.positionals.size() < 2) throw UsageError{"narrow needs RESULTFILE and KEYWORDS"};
  if (parsed.Has("--folder") || parsed.Has("--alias")) throw UsageError{"narrow searches the result file's hits only"};
  const std::string file = ctx.ToWindowsPath(parsed.positionals[0]);
  const std::string keywords = KeywordsOf(parsed.positionals, 1, ctx);
  TIniFile& ini = ctx.Settings();
  TNoDialogs dialogs;
  TMailStores stores(ctx.Platform(), ini, dialogs);  // no rebuild: narrowing never reads the tree
  TMailReader reader(ctx.Platform().fs, [&ini] { return TSearchSettings::LengthLimit(ini); });
  TResultList results;
  TResultList undo;
  if (!LoadResultFileOrSay(ctx, file, &results, &undo)) return kExitFailure;
  TerminalObserver observer(ctx, TerminalOnStderr());
  TSearchDriver driver(stores, reader, ini, results, undo, observer);
  observer.SetDriver(&driver);
  driver.SortNow();
  driver.History().Load(ini);
  ApplySearchOptions(parsed, ini, driver, keywords, nullptr);
  return RunDriver(ctx, parsed, driver, observer, results, true);
}

}  // namespace lorvane::cli
