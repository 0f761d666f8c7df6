// lorvane-cli selection: the folder tree's expansion and check states saved to a
// folder-selection file, and such a file applied to the tree stored in the settings.
//   selection save FILE [--alias NAME]
//   selection load FILE
// The files are mail/folder_selection's.
// Tested by tests/cli/selection_command_test.cpp.

#include <ostream>

#include "cli/arguments.h"
#include "cli/stored_tree.h"
#include "mail/folder_selection.h"

namespace lorvane::cli {

namespace {

constexpr const char* kHelp =
    "Usage: lorvane-cli selection save FILE [--alias NAME]\n"
    "       lorvane-cli selection load FILE\n"
    "\n"
    "save writes which folders of the tree are expanded and searched to FILE, as the\n"
    "File menu's folder-selection save does (with --alias, NAME in its title line).\n"
    "load applies such a file to the tree stored in the settings and saves them: the\n"
    "folders it names take its states, the others keep theirs.\n"
    "\n"
    "Exit status: 0 done, 1 the file cannot be written or read, or is no\n"
    "folder-selection file, 2 usage error.\n";

}  // namespace

int RunSelectionCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}, {"--alias", true}}, &parsed, &error)) {
    throw UsageError{error};
  }
  if (parsed.Has("--help")) {
    ctx.out() << kHelp;
    return kExitFound;
  }
  const std::vector<std::string>& words = parsed.positionals;
  if (words.size() != 2 || (words[0] != "save" && words[0] != "load")) {
    throw UsageError{"selection needs 'save FILE' or 'load FILE'"};
  }
  const bool save = words[0] == "save";
  if (!save && parsed.Has("--alias")) throw UsageError{"--alias goes with 'selection save'"};
  const std::string file = ctx.ToWindowsPath(words[1]);
  StoredTree stored(ctx, ctx.Settings());

  if (save) {
    const std::string alias = ctx.ToCore(parsed.Value("--alias").value_or(""), "NAME");
    if (!SaveFolderSelection(ctx.Platform().fs, file, stored.Tree(), alias, &error)) {
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
      return kExitFailure;
    }
    return kExitFound;
  }
  const TSelectionStatus status = LoadFolderSelection(ctx.Platform().fs, file, stored.Tree(), &error);
  if (SaySelectionFailure(ctx, status, file, error)) return kExitFailure;
  return SaveSettingsOrSay(ctx) ? kExitFound : kExitFailure;
}

}  // namespace lorvane::cli
