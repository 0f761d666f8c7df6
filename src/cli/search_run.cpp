// The steps search and narrow (and partly count and query) share: options on top of the
// settings, the driver run with Ctrl-C as Cancel, the hits as columns or TSV, result files.
// The commands themselves are search_command.cpp, narrow_command.cpp and count_command.cpp.
// Tested by tests/cli/search_command_test.cpp.

#include "cli/search_run.h"

#include <ostream>

#include "cli/stored_tree.h"
#include "common/mbstring.h"
#include "mail/mail_stores.h"
#include "persist/ini_file.h"
#include "search/result_file.h"

namespace lorvane::cli {

const char* const kSearchHelp =
    "Usage: lorvane-cli search [OPTIONS] [--] KEYWORDS...\n"
    "       lorvane-cli narrow RESULTFILE [OPTIONS] [--] KEYWORDS...\n"
    "       lorvane-cli count RESULTFILE [--open [--dry-run]]\n"
    "\n"
    "search looks for KEYWORDS (joined by single blanks, read as the keyword box reads\n"
    "them) in the folders ticked in the settings, or in the --folder ones. narrow searches\n"
    "the hits of a saved result file again. count prints the hits of a result file counted\n"
    "by folder, by date and by sender; with --open it writes them to Count.txt beside the\n"
    "settings file and opens that with the application associated with .ini files (else\n"
    ".txt files), or with --dry-run prints that program and its parameters, separated by\n"
    "a TAB. Options default to the settings, as the GUI starts:\n"
    "\n"
    "  --method and|or|logic          how keywords combine\n"
    "  --regexp, --no-regexp          keywords are regular expressions\n"
    "  --powerful, --no-powerful      variant forms of a character count as equal\n"
    "  --scope header|body|both       which part of each message is searched\n"
    "  --sort Soft|Folder|Date|From|Subject\n"
    "  --folder FULLCAPTION           search this folder (repeatable; see 'tree --tsv')\n"
    "  --alias NAME                   search the folders of a saved alias (see 'alias\n"
    "                                 list'); the stored tree stays as it is\n"
    "  --save RESULTFILE              save the hits as a result file\n"
    "  --tsv                          the nine fields of each hit, tab separated\n"
    "  --save-settings                remember the keyword in the history (and --sort)\n"
    "\n"
    "Ctrl-C stops a search like the Cancel button; the hits so far are printed.\n"
    "Exit status: 0 hits, 1 no hits (or the alias's file, the result file or Count.txt\n"
    "could not be used: the reason is printed), 2 usage error, 3 pattern error, 4 the\n"
    "search was ended by an error (the hits so far are printed).\n";

namespace {

constexpr int kExitEndedByError = 4;

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

std::optional<TSearchScope> ScopeOption(const ParsedArguments& p) {
  const auto s = p.Value("--scope");
  if (!s) return std::nullopt;
  if (*s == "header") return TSearchScope{true, false};
  if (*s == "body") return TSearchScope{false, true};
  if (*s == "both") return TSearchScope{true, true};
  throw UsageError{"--scope must be header, body or both"};
}

}  // namespace

ParsedArguments ParseSearchArguments(const std::vector<std::string>& args) {
  ParsedArguments parsed;
  std::string error;
  const std::vector<OptionDef> defs = {
      {"--help", false},      {"--method", true},    {"--regexp", false},
      {"--no-regexp", false}, {"--powerful", false}, {"--no-powerful", false},
      {"--scope", true},      {"--sort", true},      {"--folder", true},
      {"--alias", true},
      {"--save", true},       {"--tsv", false},      {"--save-settings", false}};
  if (!ParseArguments(args, defs, &parsed, &error)) throw UsageError{error};
  return parsed;
}

std::optional<TMethod> MethodOption(const ParsedArguments& p) {
  const auto m = p.Value("--method");
  if (!m) return std::nullopt;
  if (*m == "and") return mtAND;
  if (*m == "or") return mtOR;
  if (*m == "logic") return mtLogic;
  throw UsageError{"--method must be and, or or logic"};
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

void ApplySearchOptions(const ParsedArguments& p, TIniFile& ini, TSearchDriver& driver,
                        const std::string& keywords, TMailStores* stores) {
  TSearchSettings settings = TSearchSettings::Load(ini);
  if (const auto method = MethodOption(p)) settings.method = *method;
  if (const auto scope = ScopeOption(p)) settings.scope = *scope;
  if (const auto sort = p.Value("--sort")) {
    if (!IsSortKey(*sort)) throw UsageError{"--sort must be Soft, Folder, Date, From or Subject"};
    TSearchSettings::SaveSortKey(ini, *sort);
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
  driver.SetScope(settings.scope);
  driver.SetProgressReport(false);  // nothing to refresh on a terminal
  driver.Query().SetMethod(settings.method);
  driver.KeywordChanged(keywords, p.Switch("--regexp", "--no-regexp", settings.regexp),
                        p.Switch("--powerful", "--no-powerful", settings.powerful));
}

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
  int status = kExitFound;
  std::string failure;
  {
    const InterruptAsCancel interrupt;
    try {
      narrow ? driver.Narrow() : driver.Search();
    } catch (const std::exception& e) {
      failure = e.what();
    }
  }
  observer.Done();
  PrintResults(ctx, results, p.Has("--tsv"));
  if (auto save = p.Value("--save")) {
    std::string error;
    if (!SaveResultFile(ctx.Platform().fs, ctx.ToWindowsPath(*save), results, &error)) {
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
      status = kExitFailure;
    }
  }
  if (p.Has("--save-settings") && !SaveSettingsOrSay(ctx)) status = kExitFailure;
  if (!failure.empty()) {
    ctx.err() << "lorvane-cli: " << ctx.ToExternal(failure) << '\n';
    return kExitEndedByError;
  }
  if (status != kExitFound) return status;
  return results.Empty() ? kExitNotFound : kExitFound;
}

bool LoadResultFileOrSay(CliContext& ctx, const std::string& file, TResultList* results,
                         TResultList* undo) {
  std::string error;
  switch (LoadResultFile(ctx.Platform().fs, file, results, undo, &error)) {
    case TResultFileStatus::kLoaded:
      return true;
    case TResultFileStatus::kNotAResultFile:
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(NotAResultFileMessage(file)) << '\n';
      return false;
    case TResultFileStatus::kUnreadable:
      break;
  }
  ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
  return false;
}

}  // namespace lorvane::cli
