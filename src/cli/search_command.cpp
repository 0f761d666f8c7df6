// lorvane-cli search, narrow and count: the search driver over the mail stores, with a
// progress bar on standard error when it is a terminal and Ctrl-C as the Cancel button.
//   search [options] KEYWORDS...          over the folders ticked in the settings
//   narrow RESULTFILE [options] KEYWORDS...
//   count RESULTFILE
// Tested by tests/cli/search_command_test.cpp.

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <ostream>

#include "cli/arguments.h"
#include "cli/cli_context.h"
#include "common/mbstring.h"
#include "mail/mail_reader.h"
#include "mail/mail_stores.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"
#include "search/count_report.h"
#include "search/result_file.h"
#include "search/search_driver.h"

namespace lorvane::cli {

namespace {

constexpr const char* kSearchHelp =
    "Usage: lorvane-cli search [OPTIONS] [--] KEYWORDS...\n"
    "       lorvane-cli narrow RESULTFILE [OPTIONS] [--] KEYWORDS...\n"
    "       lorvane-cli count RESULTFILE\n"
    "\n"
    "search looks for KEYWORDS (joined by single blanks, read as the keyword box reads\n"
    "them) in the folders ticked in the settings, or in the --folder ones. narrow searches\n"
    "the hits of a saved result file again. count prints the hits of a result file counted\n"
    "by folder, by date and by sender. Options default to the settings, as the GUI starts:\n"
    "\n"
    "  --method and|or|logic          how keywords combine\n"
    "  --regexp, --no-regexp          keywords are regular expressions\n"
    "  --powerful, --no-powerful      variant forms of a character count as equal\n"
    "  --scope header|body|both       which part of each message is searched\n"
    "  --sort Soft|Folder|Date|From|Subject\n"
    "  --folder FULLCAPTION           search this folder (repeatable; see 'tree --tsv')\n"
    "  --save RESULTFILE              save the hits as a result file\n"
    "  --tsv                          the nine fields of each hit, tab separated\n"
    "  --save-settings                remember the keyword in the history (and --sort)\n"
    "\n"
    "Ctrl-C stops a search like the Cancel button; the hits so far are printed.\n"
    "Exit status: 0 hits, 1 no hits, 2 usage error, 3 pattern error, 4 the search was\n"
    "ended by an error (the hits so far are printed).\n";

constexpr int kExitEndedByError = 4;

std::atomic<bool> g_interrupted{false};  // Ctrl-C, set by the signal handler only

extern "C" void OnInterrupt(int) {
  g_interrupted = true;
}

// Progress on standard error (a terminal only), Ctrl-C as Cancel.
class TerminalObserver : public ISearchObserver {
 public:
  TerminalObserver(CliContext& ctx, bool show) : ctx_(ctx), show_(show) {}
  void SetDriver(TSearchDriver* driver) { driver_ = driver; }

  void ShowProgressPanel(bool) override {}
  void Progress(int done, int total, const std::string& percent) override {
    done_ = done;
    total_ = total;
    percent_ = percent;
  }
  void CurrentFile(const std::string& file) override { file_ = file; }
  void Counters(const std::string& found, const std::string&) override { found_ = found; }
  void ResultsChanged() override {}
  void ButtonsChanged() override {}
  void ProcessPendingEvents() override {
    if (g_interrupted && driver_ != nullptr) driver_->Cancel();
    if (!show_ || total_ == 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_draw_ < std::chrono::milliseconds(100)) return;
    last_draw_ = now;
    constexpr int kWidth = 30;
    const int filled = static_cast<int>(static_cast<long long>(kWidth) * done_ / total_);
    std::string line = "\r[" + std::string(static_cast<size_t>(filled), '#') +
                       std::string(static_cast<size_t>(kWidth - filled), ' ') + "] " + percent_ +
                       "hits " + found_ + " " + ctx_.ToExternal(Tail(file_, 40));
    ctx_.err() << line << "\x1B[K" << std::flush;
    drawn_ = true;
  }
  void Done() {
    if (drawn_) ctx_.err() << "\r\x1B[K" << std::flush;
  }

 private:
  static std::string Tail(const std::string& s, size_t width) {
    if (s.size() <= width) return s;
    size_t start = 0;  // whole characters only
    while (s.size() - start > width) start += CharWidthAt(s, start);
    return "..." + s.substr(start);
  }

  CliContext& ctx_;
  bool show_;
  TSearchDriver* driver_ = nullptr;
  int done_ = 0;
  int total_ = 0;
  std::string percent_;
  std::string file_;
  std::string found_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point last_draw_{};
};

// `s` cut to `width` bytes on a character boundary and padded with blanks (CP932 bytes are
// display columns: double-byte characters are double width).
std::string Column(const std::string& s, size_t width) {
  size_t end = 0;
  while (end < s.size() && end + CharWidthAt(s, end) <= width) end += CharWidthAt(s, end);
  return s.substr(0, end) + std::string(width - end, ' ');
}

void PrintResults(CliContext& ctx, const TResultList& results, bool tsv) {
  for (int row = 0; row < results.Count(); ++row) {
    std::string line;
    if (tsv) {
      for (int f = 0; f < kMailFields; ++f) {
        if (f > 0) line += '\t';
        line += results.Field(row, static_cast<TMailField>(f));
      }
    } else {
      line = Column(results.Field(row, mfSoft), 12) + " " +
             Column(results.Field(row, mfFolder), 24) + " " +
             Column(results.Field(row, mfDate), 10) + " " + Column(results.Field(row, mfTime), 8) +
             " " + Column(results.Field(row, mfSender), 20) + " " + results.Field(row, mfSubject);
      while (!line.empty() && line.back() == ' ') line.pop_back();
    }
    ctx.out() << ctx.ToExternal(line) << '\n';
  }
}

struct SearchOptions {
  ParsedArguments parsed;
};

SearchOptions ParseSearchArguments(const std::vector<std::string>& args) {
  SearchOptions o;
  std::string error;
  const std::vector<OptionDef> defs = {
      {"--help", false},      {"--method", true},    {"--regexp", false},
      {"--no-regexp", false}, {"--powerful", false}, {"--no-powerful", false},
      {"--scope", true},      {"--sort", true},      {"--folder", true},
      {"--save", true},       {"--tsv", false},      {"--save-settings", false}};
  if (!ParseArguments(args, defs, &o.parsed, &error)) throw UsageError{error};
  return o;
}

TMethod MethodOf(const std::string& text) {
  if (text == "OR") return mtOR;
  if (text == "Logic") return mtLogic;
  return mtAND;
}

// Applies the options (or the settings) to the driver and the query.
void Configure(const ParsedArguments& p, TIniFile& ini, TSearchDriver& driver,
               const std::string& keywords, TMailStores* stores) {
  TMethod method = MethodOf(ini.ReadString(keys::kKeyword, keys::kMethod, "AND"));
  if (auto m = p.Value("--method")) {
    if (*m == "and") {
      method = mtAND;
    } else if (*m == "or") {
      method = mtOR;
    } else if (*m == "logic") {
      method = mtLogic;
    } else {
      throw UsageError{"--method must be and, or or logic"};
    }
  }
  TSearchScope scope{ini.ReadBool(keys::kOption, keys::kCheckHeader, true),
                     ini.ReadBool(keys::kOption, keys::kCheckBody, true)};
  if (!scope.header && !scope.body) scope = {true, true};
  if (auto s = p.Value("--scope")) {
    if (*s == "header") {
      scope = {true, false};
    } else if (*s == "body") {
      scope = {false, true};
    } else if (*s == "both") {
      scope = {true, true};
    } else {
      throw UsageError{"--scope must be header, body or both"};
    }
  }
  if (auto s = p.Value("--sort")) {
    static const char* kKeys[] = {"Soft", "Folder", "Date", "From", "Subject"};
    if (std::find(std::begin(kKeys), std::end(kKeys), *s) == std::end(kKeys)) {
      throw UsageError{"--sort must be Soft, Folder, Date, From or Subject"};
    }
    ini.WriteString(keys::kDisplay, keys::kSort, *s);
  }
  if (stores != nullptr) {
    std::vector<TFolder*> folders;
    for (const auto& caption : p.Values("--folder")) {
      TFolder* f = stores->Tree().FindByFullCaption(caption);
      if (f == nullptr) throw UsageError{"no folder '" + caption + "' (see 'tree --tsv')"};
      folders.push_back(f);
    }
    driver.SetFolders(folders);
  }
  driver.SetScope(scope);
  driver.SetProgressReport(false);  // nothing to refresh on a terminal
  driver.Query().SetMethod(method);
  driver.KeywordChanged(
      keywords,
      p.Switch("--regexp", "--no-regexp", ini.ReadBool(keys::kOption, keys::kRegExp, false)),
      p.Switch("--powerful", "--no-powerful", ini.ReadBool(keys::kOption, keys::kPowerful, true)));
}

std::string KeywordsOf(const std::vector<std::string>& words, size_t from, CliContext& ctx) {
  std::string joined;
  for (size_t i = from; i < words.size(); ++i) {
    if (i > from) joined += ' ';
    joined += words[i];
  }
  return ctx.ToCore(joined, "KEYWORDS");
}

std::string PlainReading(const TPatternRuns& runs) {
  std::string text;
  for (const auto& r : runs.Runs()) text += r.text;
  return text;
}

// Runs `command` (Search or Narrow) and prints what it leaves in `results`.
int RunDriver(CliContext& ctx, const ParsedArguments& p, TSearchDriver& driver,
              TerminalObserver& observer, TResultList& results, bool narrow) {
  if (driver.Query().PatternError()) {
    TPatternRuns runs;
    driver.Query().SetPatternRichEdit(&runs);
    driver.Query().SetSearchPattern(driver.Query().SearchPattern());
    ctx.err() << "lorvane-cli: the keywords cannot be used: " << ctx.ToExternal(PlainReading(runs))
              << '\n';
    return kExitPatternError;
  }
  g_interrupted = false;
  auto previous = std::signal(SIGINT, OnInterrupt);
  int status = kExitFound;
  std::string failure;
  try {
    narrow ? driver.Narrow() : driver.Search();
  } catch (const std::exception& e) {
    failure = e.what();
  }
  std::signal(SIGINT, previous);
  observer.Done();
  PrintResults(ctx, results, p.Has("--tsv"));
  if (auto save = p.Value("--save")) {
    std::string error;
    if (!SaveResultFile(ctx.Platform().fs, ctx.ToWindowsPath(*save), results, &error)) {
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
      status = kExitFailure;
    }
  }
  if (p.Has("--save-settings")) {
    std::string error;
    if (!ctx.Settings().UpdateFile(&error)) {
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
      status = kExitFailure;
    }
  }
  if (!failure.empty()) {
    ctx.err() << "lorvane-cli: " << ctx.ToExternal(failure) << '\n';
    return kExitEndedByError;
  }
  if (status != kExitFound) return status;
  return results.Empty() ? kExitNotFound : kExitFound;
}

bool TerminalOnStderr() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace

int RunSearchCommand(const std::vector<std::string>& args, CliContext& ctx) {
  SearchOptions o = ParseSearchArguments(args);
  if (o.parsed.Has("--help")) {
    ctx.out() << kSearchHelp;
    return kExitFound;
  }
  if (o.parsed.positionals.empty()) throw UsageError{"search needs KEYWORDS"};
  const std::string keywords = KeywordsOf(o.parsed.positionals, 0, ctx);
  TIniFile& ini = ctx.Settings();
  TNoDialogs dialogs;
  TMailStores stores(ctx.Platform(), ini, dialogs);
  stores.Rebuild();
  TMailReader reader(ctx.Platform().fs,
                     [&ini] { return ini.ReadBool(keys::kOption, keys::kLengthLimit, true); });
  TResultList results;
  TResultList undo;
  TerminalObserver observer(ctx, TerminalOnStderr());
  TSearchDriver driver(stores, reader, ini, results, undo, observer);
  observer.SetDriver(&driver);
  driver.History().Load(ini);
  Configure(o.parsed, ini, driver, keywords, &stores);
  return RunDriver(ctx, o.parsed, driver, observer, results, false);
}

int RunNarrowCommand(const std::vector<std::string>& args, CliContext& ctx) {
  SearchOptions o = ParseSearchArguments(args);
  if (o.parsed.Has("--help")) {
    ctx.out() << kSearchHelp;
    return kExitFound;
  }
  if (o.parsed.positionals.size() < 2) throw UsageError{"narrow needs RESULTFILE and KEYWORDS"};
  if (o.parsed.Has("--folder")) throw UsageError{"narrow searches the result file's hits only"};
  const std::string file = ctx.ToWindowsPath(o.parsed.positionals[0]);
  const std::string keywords = KeywordsOf(o.parsed.positionals, 1, ctx);
  TIniFile& ini = ctx.Settings();
  TNoDialogs dialogs;
  TMailStores stores(ctx.Platform(), ini, dialogs);  // no rebuild: narrowing never reads the tree
  TMailReader reader(ctx.Platform().fs,
                     [&ini] { return ini.ReadBool(keys::kOption, keys::kLengthLimit, true); });
  TResultList results;
  TResultList undo;
  std::string error;
  switch (LoadResultFile(ctx.Platform().fs, file, &results, &undo, &error)) {
    case TResultFileStatus::kLoaded:
      break;
    case TResultFileStatus::kNotAResultFile:
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(NotAResultFileMessage(file)) << '\n';
      return kExitFailure;
    case TResultFileStatus::kUnreadable:
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
      return kExitFailure;
  }
  TerminalObserver observer(ctx, TerminalOnStderr());
  TSearchDriver driver(stores, reader, ini, results, undo, observer);
  observer.SetDriver(&driver);
  driver.SortNow();
  driver.History().Load(ini);
  Configure(o.parsed, ini, driver, keywords, nullptr);
  return RunDriver(ctx, o.parsed, driver, observer, results, true);
}

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
  switch (LoadResultFile(ctx.Platform().fs, file, &results, &undo, &error)) {
    case TResultFileStatus::kLoaded:
      break;
    case TResultFileStatus::kNotAResultFile:
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(NotAResultFileMessage(file)) << '\n';
      return kExitFailure;
    case TResultFileStatus::kUnreadable:
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
      return kExitFailure;
  }
  // The keyword line shows the reading of the newest keyword, as the keyword box would.
  TIniFile& ini = ctx.Settings();
  TKeywordHistory history;
  history.Load(ini);
  TPatternRuns runs;
  TRSearch query;
  query.SetPatternRichEdit(&runs);
  query.SetMethod(MethodOf(ini.ReadString(keys::kKeyword, keys::kMethod, "AND")));
  query.SetCondition(history.Newest(), ini.ReadBool(keys::kOption, keys::kRegExp, false),
                     ini.ReadBool(keys::kOption, keys::kPowerful, true));
  for (const auto& line : CountReportLines(results, PlainReading(runs))) {
    ctx.out() << ctx.ToExternal(line) << '\n';
  }
  return kExitFound;
}

}  // namespace lorvane::cli
