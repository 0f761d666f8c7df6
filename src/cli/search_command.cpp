// lorvane-cli search: the search driver over the folders ticked in the settings (or the
// --folder ones).
//   search [options] KEYWORDS...
// The options and the run are search_run.cpp's.
// Tested by tests/cli/search_command_test.cpp.

#include "cli/search_run.h"
#include "mail/mail_reader.h"
#include "mail/mail_stores.h"
#include "persist/ini_file.h"

namespace lorvane::cli {

int RunSearchCommand(const std::vector<std::string>& args, CliContext& ctx) {
  const ParsedArguments parsed = ParseSearchArguments(args);
  if (parsed.Has("--help")) {
    ctx.out() << kSearchHelp;
    return kExitFound;
  }
  if (parsed.positionals.empty()) throw UsageError{"search needs KEYWORDS"};
  const std::string keywords = KeywordsOf(parsed.positionals, 0, ctx);
  TIniFile& ini = ctx.Settings();
  TNoDialogs dialogs;
  TMailStores stores(ctx.Platform(), ini, dialogs);
  stores.Rebuild();
  TMailReader reader(ctx.Platform().fs, [&ini] { return TSearchSettings::LengthLimit(ini); });
  TResultList results;
  TResultList undo;
  TerminalObserver observer(ctx, TerminalOnStderr());
  TSearchDriver driver(stores, reader, ini, results, undo, observer);
  observer.SetDriver(&driver);
  driver.History().Load(ini);
  ApplySearchOptions(parsed, ini, driver, keywords, &stores);
  return RunDriver(ctx, parsed, driver, observer, results, false);
}

}  // namespace lorvane::cli
