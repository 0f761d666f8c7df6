// Fuzz target: the small text files the program keeps beside itself and reads back: a
// folder-selection file applied to a tree (directly and as an alias file), and the editor
// table "Jump.dat" with its templates expanded.
// Input: the file's bytes, used as all three. Not a selection file is an accepted
// outcome, and must leave the tree as it was; an applied one, written out and applied to
// a fresh tree of the same shape, must give every node the same state.

#include <string>
#include <vector>

#include "mail/alias_table.h"
#include "mail/folder_selection.h"
#include "persist/editor_table.h"
#include "persist/ini_file.h"
#include "support/fuzz_input.h"
#include "support/memory_file_system.h"

namespace lorvane::fuzz {

namespace {

// Becky! > { 受信箱, Box (no mail) > { 表 > { ソ } }, ツ }, Datula > { inbox }: trail bytes
// "\" (表, ソ) and ASCII letters an upper-caser could touch.
struct TTree {
  TTree() {
    TFolder* becky = tree.AppendMailer(4, 6, "Becky!", "Becky");
    becky->AddChild(ntFolder, 1, "受信箱", "In", "In\\", true);
    TFolder* box = becky->AddChild(ntFolder, 1, "Box", "Box", "Box\\", false);
    TFolder* table = box->AddChild(ntFolder, 1, "表", "T", "Box\\T\\", true);
    table->AddChild(ntFolder, 1, "ソ", "S", "Box\\T\\S\\", true);
    becky->AddChild(ntFolder, 1, "ツ", "Tsu", "Tsu\\", true);
    TFolder* datula = tree.AppendMailer(3, 5, "Datula", "Datula");
    datula->AddChild(ntFolder, 1, "inbox", "in", "in\\", true);
  }
  std::vector<std::pair<int, bool>> States() const {
    std::vector<std::pair<int, bool>> states;
    tree.ForEachNode([&](TFolder& n) { states.emplace_back(n.Status(), n.Expanded()); });
    return states;
  }
  TIniFile ini;
  TFolderTree tree{ini};
};

void FuzzSelection(std::string_view input) {
  TTree first;
  const auto before = first.States();
  if (ApplyFolderSelection(first.tree, input) != TSelectionStatus::kApplied) {
    Check(first.States() == before, "a file that was not applied changed the tree");
    return;
  }
  TTree second;
  const std::string written = FolderSelectionText(first.tree, "");
  Check(ApplyFolderSelection(second.tree, written) == TSelectionStatus::kApplied,
        "a written selection does not apply");
  Check(second.States() == first.States(), "a written selection gives other states", written);
}

void FuzzAliasFile(std::string_view input) {
  testing::MemoryFileSystem fs;
  fs.AddFile("C:\\Lorvane\\Alias1.dat", std::string(input));
  TAliasTable aliases(fs);
  aliases.Load();
  Check(aliases.Count() <= 1, "one file gave more than one alias");
  if (aliases.Empty()) return;
  Check(aliases.IndexOf(aliases.Name(0)) == 0, "an alias is not found by its own name");
  TTree tree;
  std::string error;
  aliases.Open(0, tree.tree, &error);
}

void FuzzEditorTable(std::string_view input) {
  testing::MemoryFileSystem fs;
  const std::string path = EditorTableFileName(fs.ProgramPath());
  fs.AddFile(path, std::string(input));
  TEditorTable table;
  std::string error;
  LoadEditorTable(fs, path, true, &table, &error);
  for (const TEditorEntry& entry : table.Entries()) {
    Check(table.TemplateFor(entry.name) != nullptr, "an editor is not found by its own name",
          entry.name);
    const std::string expanded = ExpandEditorTemplate(entry.command_template, "C:\\表\\a.txt", 120);
    // Each template byte gives at most the file (11 bytes) or the line (3 digits).
    Check(expanded.size() <= entry.command_template.size() * 11, "an expansion grew too much");
  }
  // A rewritten table reads back with every editor it had, built-in ones included.
  TEditorTable again;
  LoadEditorTable(fs, path, false, &again, &error);
  for (const TEditorEntry& entry : table.Entries()) {
    Check(again.TemplateFor(entry.name) != nullptr, "a rewritten table lost an editor", entry.name);
  }
}

}  // namespace

void FuzzOne(std::string_view input) {
  FuzzSelection(input);
  FuzzAliasFile(input);
  FuzzEditorTable(input);
}

}  // namespace lorvane::fuzz
