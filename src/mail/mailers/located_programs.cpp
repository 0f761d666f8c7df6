// Detection by a remembered directory or an executable the user locates (MessageManager,
// sesna, 電信八号): automatic detection only looks at the remembered directory; asking
// the user is left to interactive detection. And the walk over directory trees whose
// sub-directories are folders (tsworks, WeMail32).
// Tested by tests/mail/mailers/located_programs_test.cpp (detection) and through the
// kinds' tests (tsworks_test.cpp has the directory loop).

#include "mail/mailers/located_programs.h"

#include <optional>

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "mail/mailers/mailer_support.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane::mailers {

namespace {

// Compared by whole characters, so a trail byte never passes for the first letter.
bool EndsWithUpper(const std::string& path, std::string_view upper_end) {
  const int wanted = MBLength(upper_end);
  const int length = MBLength(path);
  if (length < wanted) return false;
  return UpperAscii(MBCopy(path, length - wanted + 1, wanted)) == upper_end;
}

}  // namespace

void DetectLocatedProgram(TDetection& detection, const TLocatedProgram& program) {
  TMailStores& stores = detection.Stores();
  const std::string remembered = stores.Ini().ReadString(keys::kPath, program.path_name, "");
  if (!remembered.empty() && FileExists(stores.Fs(), remembered + program.check_file)) {
    detection.SetRoot(remembered);
    detection.SetFound();
    return;
  }
  if (detection.Automatic()) return;

  const std::optional<std::string> chosen =
      stores.Dialogs().OpenFile(program.dialog_title, program.preset_name);
  if (!chosen) {
    detection.Fail(program.cancel_text);
    return;
  }
  const std::string& file = *chosen;
  detection.Log(program.log_prefix + file);
  if (!EndsWithUpper(file, program.required_end)) {
    detection.Fail(program.wrong_file_text);
    return;
  }
  if (!FileExists(stores.Fs(), file)) {
    detection.Log("not exist");
    detection.Fail(file + " がありません。");
    return;
  }
  const std::string dir = EnsureTrailingSeparator(ExtractFilePath(file)) + program.data_subdir;
  if (program.chosen_check != nullptr && !FileExists(stores.Fs(), dir + program.chosen_check)) {
    detection.Fail(dir + program.chosen_check + " がありません。");
    return;
  }
  detection.SetRoot(dir);
  detection.SetFound();
  stores.Ini().WriteString(keys::kPath, program.path_name, dir);
}

std::string UpperLastBytes(std::string_view name, size_t n) {
  return UpperAscii(name.substr(name.size() < n ? 0 : name.size() - n));
}

void AddDirectoryTree(IFileSystem& fs, TFolder& parent, const std::string& dir,
                      const std::vector<std::string>& names, const TAddDirectoryFolder& add) {
  struct Work {
    TFolder* parent;
    std::string dir;
    std::string name;
    int depth;
  };
  std::vector<Work> stack;
  for (auto it = names.rbegin(); it != names.rend(); ++it) stack.push_back({&parent, dir, *it, 1});
  while (!stack.empty()) {
    Work w = std::move(stack.back());
    stack.pop_back();
    // Nodes are made as they come off the stack, so a folder's subtree is complete before
    // its next sibling is added: display order is listing order.
    TFolder* node = add(*w.parent, w.dir, w.name);
    if (node == nullptr || w.depth >= kMaxFolderDepth) continue;
    const std::string sub_dir = w.dir + w.name + "\\";
    const std::vector<std::string> subs = SubDirectories(fs, sub_dir + "*.*");
    for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
      stack.push_back({node, sub_dir, *it, w.depth + 1});
    }
  }
}

}  // namespace lorvane::mailers
