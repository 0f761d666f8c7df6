#pragma once
// The editor table "Jump.dat" in the program's own directory: text editors by executable
// name, each with the command template that opens a file at a line. One line per editor:
// the name, a TAB and the template, in which "$F" stands for the file, "$L" for the
// 1-based line and "$$" for a dollar sign.
//
//   HIDEMARU.EXE<TAB>/j$L $F     ->  /j120 C:\Mail\Inbox.mbx

#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

class IFileSystem;

struct TEditorEntry {
  std::string name;  // upper case when it came with a template
  std::string command_template;
  bool operator==(const TEditorEntry&) const = default;
};

class TEditorTable {
 public:
  // Replaces the table by the lines of `text`, then adds the built-in editors it lacks
  // (AK32.EXE, DANA.EXE, HIDEMARU.EXE, WZEDIT32.EXE). A line without TAB is a name alone;
  // a line with two TABs is the older form "name<TAB>switch<TAB>after", which reads as
  // "switch$Lafter $F". Empty lines are left out.
  void LoadFromText(std::string_view text);
  // Whether LoadFromText had to add a built-in editor (the file is then rewritten).
  bool AddedBuiltIns() const { return added_built_ins_; }
  // The file's bytes: "name<TAB>template" lines ended by CR LF.
  std::string ToText() const;

  const std::vector<TEditorEntry>& Entries() const { return entries_; }
  // The template of the editor whose name equals `executable_name` without regard to
  // letter case; nullptr when it is not in the table.
  const std::string* TemplateFor(std::string_view executable_name) const;

 private:
  std::vector<TEditorEntry> entries_;
  bool added_built_ins_ = false;
};

// Where the table lives: "Jump.dat" in the program's directory.
std::string EditorTableFileName(std::string_view program_path);

// Loads the table (a missing file reads as empty). When built-in editors were added and
// `rewrite` is set, the file is replaced atomically with the completed table; a file that
// exists but cannot be read is never replaced. False and `error` when the file could not
// be read or written; the table is usable either way.
bool LoadEditorTable(IFileSystem& fs, const std::string& path, bool rewrite, TEditorTable* table,
                     std::string* error = nullptr);

// The template with "$F" (either case) replaced by `file`, "$L" by `line` in decimal, and
// "$" before any other character dropped (so "$$" gives "$"). Double-byte characters are
// copied whole; a "$" at the end is dropped.
std::string ExpandEditorTemplate(std::string_view command_template, std::string_view file,
                                 int line);

}  // namespace lorvane
