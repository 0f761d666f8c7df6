#pragma once
// The user's directories of saved mail, as the directory list dialog edits them: one line
// per directory with its recursive switch, read from and written to the "Directory"
// settings. Nothing reaches the settings until Save.

#include <string>
#include <vector>

namespace lorvane {

class TIniFile;

struct TDirectoryLine {
  std::string path;  // ends in "\" once chosen; empty while a new line waits for its directory
  bool recursive = false;
  bool operator==(const TDirectoryLine&) const = default;
};

class TDirectoryList {
 public:
  // Lines 1 to "Directory"/"Number" ("Directory\Dir" + i: "Path", "Recursive").
  static TDirectoryList Load(const TIniFile& ini);
  // "Number" and the lines; sections of a longer earlier list stay in the file unread.
  void Save(TIniFile& ini) const;

  const std::vector<TDirectoryLine>& Lines() const { return lines_; }
  int Count() const { return static_cast<int>(lines_.size()); }

  // An empty line before `index` (at the end when `index` is out of range); its index.
  int Insert(int index);
  int Add() { return Insert(Count()); }
  void Delete(int index);
  // The directory a user chose, with "\" appended unless it ends in one ("C:\" stays).
  void SetPath(int index, const std::string& chosen);
  void SetRecursive(int index, bool on);
  // After the directory dialog was cancelled: a line still without a directory goes.
  void DropIfEmpty(int index);

  // Insert, edit and delete need a selected line; add is always possible.
  static bool CanEdit(int selected, int count) { return selected >= 0 && selected < count; }

 private:
  std::vector<TDirectoryLine> lines_;
};

// The settings section of directory `number` (1-based): "Directory\Dir" + number.
std::string DirectorySection(int number);

}  // namespace lorvane
