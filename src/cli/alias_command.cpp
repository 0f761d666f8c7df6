// lorvane-cli alias: folder selections kept under names in the program's own directory
// (the settings file's), as the File menu's alias items and the alias combo keep them.
// Each run starts as the window does: the table read from the directory, the alias of
// "Alias"/"Last" at the top; an alias saved or opened becomes "Last".
//   alias list | save NAME | open NAME | delete NAME
// The table is mail/alias_table's.
// Tested by tests/cli/selection_command_test.cpp.

#include <ostream>

#include "cli/arguments.h"
#include "cli/stored_tree.h"
#include "mail/alias_table.h"
#include "persist/ini_file.h"

namespace lorvane::cli {

namespace {

constexpr const char* kHelp =
    "Usage: lorvane-cli alias list\n"
    "       lorvane-cli alias save NAME\n"
    "       lorvane-cli alias open NAME\n"
    "       lorvane-cli alias delete NAME\n"
    "\n"
    "Folder selections kept under a name as AliasN.dat beside the settings file.\n"
    "list prints the names, the one used last first. save keeps the tree's states\n"
    "under NAME (in the first free AliasN.dat, whose name it prints); open applies an\n"
    "alias to the tree stored in the settings; both make it the one used last. delete\n"
    "removes an alias and its file. NAME is matched without regard to letter case.\n"
    "\n"
    "Exit status: 0 done, 1 no such alias or the file cannot be written, read or\n"
    "deleted, 2 usage error.\n";

// The table as the window has it after start-up, without applying the "Last" alias.
void LoadAsAtStart(TAliasTable& aliases, const TIniFile& ini) {
  aliases.Load();
  const std::string last = LastAlias(ini);
  if (!last.empty()) aliases.MoveToTop(aliases.IndexOf(last));
}

// The index of `name`; -1 after saying why there is none.
int FindOrSay(CliContext& ctx, const TAliasTable& aliases, const std::string& name,
              const std::string& argument) {
  if (aliases.Empty()) {
    ctx.err() << "lorvane-cli: " << ctx.ToExternal(NoAliasMessage()) << '\n';
    return -1;
  }
  const int index = aliases.IndexOf(name);
  if (index < 0) ctx.err() << "lorvane-cli: no alias '" << argument << "' (see 'alias list')\n";
  return index;
}

}  // namespace

int RunAliasCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}}, &parsed, &error)) throw UsageError{error};
  if (parsed.Has("--help")) {
    ctx.out() << kHelp;
    return kExitFound;
  }
  const std::vector<std::string>& words = parsed.positionals;
  const std::string action = words.empty() ? "" : words[0];
  const bool list = action == "list";
  if (!(list && words.size() == 1) &&
      !((action == "save" || action == "open" || action == "delete") && words.size() == 2)) {
    throw UsageError{"alias needs 'list', or 'save', 'open' or 'delete' and a NAME"};
  }
  TIniFile& ini = ctx.Settings();
  TAliasTable aliases(ctx.Platform().fs);
  LoadAsAtStart(aliases, ini);
  if (list) {
    for (const std::string& name : aliases.Names()) ctx.out() << ctx.ToExternal(name) << '\n';
    return kExitFound;
  }
  const std::string name = ctx.ToCore(words[1], "NAME");

  if (action == "delete") {
    const int index = FindOrSay(ctx, aliases, name, words[1]);
    if (index < 0) return kExitFailure;
    if (!aliases.Delete(index, &error)) {
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
      return kExitFailure;
    }
    return kExitFound;
  }

  StoredTree stored(ctx, ini);
  if (action == "save") {
    if (!aliases.Save(stored.Tree(), name, &error)) {
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(error) << '\n';
      return kExitFailure;
    }
    ctx.out() << ctx.ToExternal(aliases.File(0)) << '\n';
  } else {
    const int index = FindOrSay(ctx, aliases, name, words[1]);
    if (index < 0) return kExitFailure;
    const std::string file = aliases.File(index);
    if (SaySelectionFailure(ctx, aliases.Open(index, stored.Tree(), &error), file, error)) {
      return kExitFailure;
    }
  }
  StoreLastAlias(ini, aliases, 0);
  return SaveSettingsOrSay(ctx) ? kExitFound : kExitFailure;
}

}  // namespace lorvane::cli
