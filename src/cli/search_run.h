#pragma once
// What search, narrow and count share: their help and options, the keywords from the
// command line, the settings-backed options with the command line's changes, running the
// driver and printing its hits, and loading a result file.

#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli_context.h"
#include "cli/terminal_observer.h"
#include "search/result_list.h"
#include "search/search_driver.h"
#include "search/search_settings.h"

namespace lorvane {
class TMailStores;
}

namespace lorvane::cli {

extern const char* const kSearchHelp;

ParsedArguments ParseSearchArguments(const std::vector<std::string>& args);

// --method and|or|logic; nullopt when not given. UsageError for another value.
std::optional<TMethod> MethodOption(const ParsedArguments& p);

// words[from...] joined by single blanks, in CP932.
std::string KeywordsOf(const std::vector<std::string>& words, size_t from, CliContext& ctx);

// The keyword box's reading of its keywords as one plain text.
std::string PlainReading(const TPatternRuns& runs);

// The settings' search options with the command line's on top, applied to the driver and
// its query; --sort is written to the settings (saved only with --save-settings). With
// `stores`, --folder picks the folders searched.
void ApplySearchOptions(const ParsedArguments& p, TIniFile& ini, TSearchDriver& driver,
                        const std::string& keywords, TMailStores* stores);

// Runs Search (or Narrow), prints what it leaves in `results`, saves them with --save and
// the settings with --save-settings; returns the exit status.
int RunDriver(CliContext& ctx, const ParsedArguments& p, TSearchDriver& driver,
              TerminalObserver& observer, TResultList& results, bool narrow);

// Loads the result file `file` (a Windows path); prints why it cannot and returns false.
bool LoadResultFileOrSay(CliContext& ctx, const std::string& file, TResultList* results,
                         TResultList* undo);

}  // namespace lorvane::cli
