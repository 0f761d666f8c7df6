// Kind 13: sesna. Found through the directory the user located once (sesna.exe's).
// tree.dat draws the folder tree by indentation, one TAB per level, below one title
// line; sesna.ini names the accounts ("Account_Name=") and maps the other folders to
// their index files ("Folder<n>=<name>" -> "Fl<n>.fld"). An index in "Mails" lists one
// message file per line ("0000a1b2=..." -> "Mails\0000A1B2.kml") below one title line.
// Tested by tests/mail/mailers/sesna_test.cpp.

#include "common/mbstring.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/located_programs.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr TLocatedProgram kSesna = {
    .path_name = "sesna",
    .check_file = "sesna.exe",
    .dialog_title = "sesna.exe を探して下さい。",
    .preset_name = "sesna.exe",
    .log_prefix = "sesna.exe=",
    .required_end = "SESNA.EXE",
    .data_subdir = "",
    .chosen_check = nullptr,
    .wrong_file_text = "sesna.exe 以外を探してもだめです。",
    .cancel_text = "sesna の検出をキャンセルしました。",
};

bool IsAccount(const std::vector<std::string>& ini_lines, const std::string& name) {
  const std::string line = "Account_Name=" + name;
  for (const auto& l : ini_lines) {
    if (SameTextAscii(l, line)) return true;
  }
  return false;
}

// "Fl<n>.fld" from the first line "Folder<n>=<name>" (n decimal), "" when there is none.
std::string FolderFile(const std::vector<std::string>& ini_lines, const std::string& name) {
  for (const auto& l : ini_lines) {
    if (!StartsWith(l, "Folder")) continue;
    size_t i = 6;
    while (i < l.size() && l[i] >= '0' && l[i] <= '9') ++i;
    if (i == 6 || i >= l.size() || l[i] != '=') continue;
    if (std::string_view(l).substr(i + 1) == name) return "Fl" + l.substr(6, i - 6) + ".fld";
  }
  return "";
}

}  // namespace

void DetectSesna(TDetection& detection) {
  DetectLocatedProgram(detection, kSesna);
}

void DiscoverSesna(TMailStores& stores, TFolder& node) {
  const std::string& root = stores.Root(mkSesna);
  std::vector<std::string> tree;
  std::vector<std::string> ini;
  if (!FileExists(stores.Fs(), root + "tree.dat") || !FileExists(stores.Fs(), root + "sesna.ini")) {
    return;
  }
  ReadLines(stores.Fs(), root + "tree.dat", &tree);
  ReadLines(stores.Fs(), root + "sesna.ini", &ini);

  // Nodes by depth, the mail-program node at depth 0. Popping everything at the new line's
  // depth or deeper finds its parent; a line indented further than one level below the
  // line before it lands under the deepest node there is.
  struct Level {
    size_t depth;
    TFolder* node;
  };
  std::vector<Level> stack = {{0, &node}};
  int account = 0;
  for (size_t i = 1; i < tree.size() && !tree[i].empty() && tree[i][0] == '\t'; ++i) {
    const std::string& line = tree[i];
    size_t depth = 0;
    while (depth < line.size() && line[depth] == '\t') ++depth;
    const std::string name = line.substr(depth);
    // A line of TABs names no folder; a deeper tree than any mail program draws would only
    // deepen the recursion of everything that walks the tree.
    if (name.empty() || depth > static_cast<size_t>(kMaxFolderDepth)) continue;
    if (depth == 1) ++account;

    std::string data_path;
    bool has_mail = true;
    if (depth == 1 && IsAccount(ini, name)) {
      has_mail = false;
    } else if (depth == 1 && name == "ごみ箱") {
      data_path = "Trash.fld";
    } else if (depth == 2 && name == "受信ﾄﾚｲ") {
      data_path = "Ac" + Num(account) + "_in.fld";
    } else if (depth == 2 && name == "送信ﾄﾚｲ") {
      data_path = "Ac" + Num(account) + "_out.fld";
    } else {
      data_path = FolderFile(ini, name);
    }

    while (stack.back().depth >= depth) stack.pop_back();
    TFolder* child =
        stack.back().node->AddChild(ntFolder, kMailFolderImage, name, name, data_path, has_mail);
    stack.push_back({depth, child});
  }
}

void EnumerateSesna(TMailStores& stores, TFolder& folder) {
  const std::string mails = stores.Root(mkSesna) + "Mails\\";
  // A folder that sesna.ini maps to no index file holds no mail we can find.
  if (folder.DataPath().empty()) return;
  bool listing = true;
  ForEachFileLine(stores.Fs(), mails + folder.DataPath(), [&](size_t i, std::string_view line) {
    if (i == 0 || !listing) return;
    if (line.size() < 9 || line[8] != '=') {
      listing = false;
      return;
    }
    if (line.size() > 9) folder.AddMail({mails + UpperAscii(line.substr(0, 8)) + ".kml", 0, -1});
  });
}

}  // namespace lorvane
