// lorvane-cli tree and mails: the folder tree as detection and discovery build it, and
// the messages one folder lists.
//   tree [--tsv] [--save-settings]
//   mails FULLCAPTION [--tsv]
// Tested by tests/cli/tree_command_test.cpp.

#include <ostream>

#include "cli/arguments.h"
#include "cli/cli_context.h"
#include "mail/mail_stores.h"
#include "mail/user_dialogs.h"
#include "persist/ini_file.h"

namespace lorvane::cli {

namespace {

constexpr const char* kTreeHelp =
    "Usage: lorvane-cli tree [--tsv] [--save-settings]\n"
    "\n"
    "Detects the mail programs (in the Wine prefix, the registry exports and the\n"
    "settings' directory list), builds their folders and prints the tree in display\n"
    "order: check box, caption and data path. The detection log is written beside the\n"
    "settings file.\n"
    "\n"
    "  --tsv            tab-separated: depth, shown state, stored status, E/C\n"
    "                   (expanded/collapsed), has mail 1/0, image index, kind,\n"
    "                   full caption, full key, data path\n"
    "  --save-settings  write what detection learned (AL-Mail users) to the settings\n";

constexpr const char* kMailsHelp =
    "Usage: lorvane-cli mails FULLCAPTION [--tsv]\n"
    "\n"
    "Lists the messages of one folder (FULLCAPTION as in 'tree --tsv', e.g.\n"
    "'Becky!\\taro\\受信箱'): FILE<TAB>FIRST<TAB>LAST a line. Exit 1 for an unknown folder.\n";

// The check box the tree panel would show.
const char* StateBox(int shown) {
  switch (shown) {
    case csUnchecked:
      return "[ ]";
    case csChecked:
      return "[x]";
    case csSubtreeUnchecked:
      return "[ ] none below";
    case csSubtreeChecked:
      return "[x] all below";
    case csGreyUnchecked:
      return "[ ] (grey)";
    case csGreyChecked:
      return "[x] (grey)";
    default:
      return "[?]";
  }
}

int Depth(const TFolder& node) {
  int depth = 0;
  for (const TFolder* p = node.Parent(); p != nullptr; p = p->Parent()) ++depth;
  return depth;
}

}  // namespace

int RunTreeCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}, {"--tsv", false}, {"--save-settings", false}},
                      &parsed, &error)) {
    throw UsageError{error};
  }
  if (parsed.Has("--help")) {
    ctx.out() << kTreeHelp;
    return kExitFound;
  }
  if (!parsed.positionals.empty()) throw UsageError{"tree takes no arguments"};
  TNoDialogs dialogs;
  TMailStores stores(ctx.Platform(), ctx.Settings(), dialogs);
  stores.Rebuild();
  stores.Tree().SettleLeafStates();
  const bool tsv = parsed.Has("--tsv");
  stores.Tree().ForEachNode([&](TFolder& node) {
    const int depth = Depth(node);
    std::string line;
    if (tsv) {
      line = std::to_string(depth) + "\t" + std::to_string(node.ShownState()) + "\t" +
             std::to_string(node.Status()) + "\t" + (node.Expanded() ? "E" : "C") + "\t" +
             (node.HasMail() ? "1" : "0") + "\t" + std::to_string(node.ImageIndex()) + "\t" +
             std::to_string(node.Kind()) + "\t" + node.FullCaption() + "\t" + node.FullKey() +
             "\t" + node.DataPath();
    } else {
      line = std::string(static_cast<size_t>(depth) * 2, ' ') + StateBox(node.ShownState()) + " " +
             node.Caption() + (node.DataPath().empty() ? "" : "    " + node.DataPath());
    }
    ctx.out() << ctx.ToExternal(line) << '\n';
  });
  if (parsed.Has("--save-settings")) {
    std::string save_error;
    if (!ctx.Settings().UpdateFile(&save_error)) {
      ctx.err() << "lorvane-cli: " << ctx.ToExternal(save_error) << '\n';
      return kExitFailure;
    }
  }
  return kExitFound;
}

int RunMailsCommand(const std::vector<std::string>& args, CliContext& ctx) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, {{"--help", false}, {"--tsv", false}}, &parsed, &error)) {
    throw UsageError{error};
  }
  if (parsed.Has("--help")) {
    ctx.out() << kMailsHelp;
    return kExitFound;
  }
  if (parsed.positionals.size() != 1) throw UsageError{"mails needs one FULLCAPTION"};
  const std::string caption = ctx.ToCore(parsed.positionals[0], "FULLCAPTION");
  TNoDialogs dialogs;
  TMailStores stores(ctx.Platform(), ctx.Settings(), dialogs);
  stores.Rebuild();
  TFolder* folder = stores.Tree().FindByFullCaption(caption);
  if (folder == nullptr) {
    ctx.err() << "lorvane-cli: no folder '" << parsed.positionals[0] << "'\n";
    return kExitNotFound;
  }
  stores.EnumerateMails(*folder);
  for (int i = 0; i < folder->MailCount(); ++i) {
    const TMail* m = folder->Mail(i);
    ctx.out() << ctx.ToExternal(m->FileName) << '\t' << m->First << '\t' << m->Last << '\n';
  }
  folder->ClearMails();
  return kExitFound;
}

}  // namespace lorvane::cli
