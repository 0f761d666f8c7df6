#pragma once
// Mail programs that leave no trace in the registry (MessageManager, sesna, 電信八号): the
// user locates the executable once and the directory found is remembered in the settings'
// "Path" section. And folder trees that are plain directory trees (tsworks, WeMail32).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mail/mail_stores.h"

namespace lorvane::mailers {

// What differs between the programs found by locating their executable. Texts are
// CP932 and live in each kind's .cpp.
struct TLocatedProgram {
  const char* path_name;        // the remembered value in section "Path"
  const char* check_file;       // must exist in the remembered directory
  const char* dialog_title;     // the open-file dialog
  const char* preset_name;      // the file name filled in
  const char* log_prefix;       // before the chosen path in the log
  const char* required_end;     // the chosen name's end, upper-cased
  const char* data_subdir;      // appended to the executable's directory
  const char* chosen_check;     // must exist there after choosing; nullptr for none
  const char* wrong_file_text;  // the chosen file is some other program
  const char* cancel_text;      // the user cancelled the dialog
};

// The remembered directory, else (interactive only) the user's choice.
void DetectLocatedProgram(TDetection& detection, const TLocatedProgram& program);

// The last `n` bytes of a file name (all of a shorter one), upper-cased: for extensions
// of ASCII letters, which no trail byte can be mistaken for.
std::string UpperLastBytes(std::string_view name, size_t n);

// Makes the node of the sub-directory `name` of `dir` (ending in "\") below `parent`.
using TAddDirectoryFolder =
    std::function<TFolder*(TFolder& parent, const std::string& dir, const std::string& name)>;

// Adds a node for each of `names` (sub-directories of `dir`) below `parent`, and below
// each the nodes of its own sub-directories, depth first in listing order. Stops at
// kMaxFolderDepth levels: a directory link may point back up.
void AddDirectoryTree(IFileSystem& fs, TFolder& parent, const std::string& dir,
                      const std::vector<std::string>& names, const TAddDirectoryFolder& add);

}  // namespace lorvane::mailers
