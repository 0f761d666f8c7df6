// lorvane-cli search: the search driver over the folders ticked in the settings (or the
// --folder ones, or those of the --alias one, applied to a copy of the settings so that
// the stored tree stays as it is).
//   search [options] KEYWORDS...
// The options and the run are search_run.cpp's.
// Tested by tests/cli/search_command_test.cpp.

#include <optional>
#include <ostream>

#include "cli/search_run.h"
#include "cli/stored_tree.h"
#include "mail/alias_table.h"
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
  const std::optional<std::string> alias = parsed.Value("--alias");
  if (alias && parsed.Has("--folder")) throw UsageError{"--alias and --folder both pick folders"};
  std::optional<TIniFile> alias_states;
  TNoDialogs dialogs;
  TMailStores stores(ctx.Platform(), alias ? alias_states.emplace(ini) : ini, dialogs);
  stores.Rebuild();
  if (alias) {
    TAliasTable aliases(ctx.Platform().fs);
    aliases.Load();
    const int index = aliases.IndexOf(ctx.ToCore(*alias, "NAME"));
    if (index < 0) throw UsageError{"no alias '" + *alias + "' (see 'alias list')"};
    const std::string file = aliases.File(index);
    std::string error;
    if (SaySelectionFailure(ctx, aliases.Open(index, stores.Tree(), &error), file, error)) {
      return kExitFailure;
    }
  }
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
