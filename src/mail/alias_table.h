#pragma once
// The alias table: folder selections kept under short names as "Alias<n>.dat" in the
// program's own directory, the most recently used first. The window shows Names() in its
// alias combo box (index 0 at the top) and calls these operations; they keep the table in
// step with the files.
//
//   TAliasTable aliases(fs);
//   aliases.Load();
//   if (aliases.OpenLast(ini, tree, &status)) combo.setCurrentIndex(0);
//   ...
//   StoreLastAlias(ini, aliases, combo.currentIndex());   // at close

#include <string>
#include <vector>

#include "mail/folder_selection.h"

namespace lorvane {

class IFileSystem;
class TIniFile;

class TAliasTable {
 public:
  // Over the program's own directory (that of IFileSystem::ProgramPath).
  explicit TAliasTable(IFileSystem& fs);

  // Empties the table, then takes every "Alias*.dat" of the directory, in listing order,
  // whose first line is a title with an alias. Other files are passed over.
  void Load();

  int Count() const { return static_cast<int>(names_.size()); }
  bool Empty() const { return names_.empty(); }
  const std::vector<std::string>& Names() const { return names_; }
  const std::string& Name(int i) const { return names_.at(static_cast<size_t>(i)); }
  const std::string& File(int i) const { return files_.at(static_cast<size_t>(i)); }
  // The first entry named `name`, letter case aside; -1 when none is.
  int IndexOf(const std::string& name) const;

  // Saves the tree's selection as "Alias<n>.dat" with the smallest free n and puts the new
  // alias at the top. An empty name is kept for this run only: its file's title has no
  // alias, so the next Load passes it over. False and `error` when it cannot be written.
  bool Save(const TFolderTree& tree, const std::string& name, std::string* error);
  // Applies alias `index` to the tree and moves it to the top (also when its file turns
  // out not to be a selection file: the status says so, and `error` why it was unreadable).
  TSelectionStatus Open(int index, TFolderTree& tree, std::string* error);
  // Deletes alias `index` and its file. When the file cannot be deleted the entry stays
  // and `message` is "<file> を削除できませんでした".
  bool Delete(int index, std::string* message);
  void MoveToTop(int index);

  // At start: when "Alias"/"Last" names an alias of the table, applies it and moves it to
  // the top (to be selected); false when it names none.
  bool OpenLast(const TIniFile& ini, TFolderTree& tree, TSelectionStatus* status,
                std::string* error);

  // "Alias<n>.dat" in the directory, for the smallest n from 1 that names no file.
  std::string FreeFileName() const;
  // Whether any "Alias*.dat" exists (the File menu's open and delete items).
  bool AnyAliasFile() const;

 private:
  IFileSystem& fs_;
  std::string directory_;
  std::vector<std::string> names_;
  std::vector<std::string> files_;
};

// "Alias"/"Last": the alias selected when the program last closed.
std::string LastAlias(const TIniFile& ini);
// At close: the selected alias (`selected` its index, -1 for none) becomes "Last"; with
// none selected "Last" keeps its value.
void StoreLastAlias(TIniFile& ini, const TAliasTable& aliases, int selected);

// "エイリアスがひとつもありません": Open and Delete with an empty table (empty caption).
std::string NoAliasMessage();

}  // namespace lorvane
