// The directory list and its settings.
// Tested by tests/persist/directory_list_test.cpp.

#include "persist/directory_list.h"

#include "common/mbstring.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {

std::string DirectorySection(int number) {
  return std::string(keys::kDirectory) + "\\Dir" + std::to_string(number);
}

TDirectoryList TDirectoryList::Load(const TIniFile& ini) {
  TDirectoryList list;
  const int count = ini.ReadInteger(keys::kDirectory, keys::kNumber, 0);
  for (int i = 1; i <= count; ++i) {
    const std::string section = DirectorySection(i);
    list.lines_.push_back(
        {ini.ReadString(section, keys::kPath, ""), ini.ReadBool(section, keys::kRecursive, false)});
  }
  return list;
}

void TDirectoryList::Save(TIniFile& ini) const {
  ini.WriteInteger(keys::kDirectory, keys::kNumber, Count());
  for (int i = 0; i < Count(); ++i) {
    const std::string section = DirectorySection(i + 1);
    ini.WriteString(section, keys::kPath, lines_[static_cast<size_t>(i)].path);
    ini.WriteBool(section, keys::kRecursive, lines_[static_cast<size_t>(i)].recursive);
  }
}

int TDirectoryList::Insert(int index) {
  if (index < 0 || index > Count()) index = Count();
  lines_.insert(lines_.begin() + index, TDirectoryLine{});
  return index;
}

void TDirectoryList::Delete(int index) {
  if (CanEdit(index, Count())) lines_.erase(lines_.begin() + index);
}

void TDirectoryList::SetPath(int index, const std::string& chosen) {
  if (CanEdit(index, Count())) lines_[static_cast<size_t>(index)].path = EnsureTrailingSeparator(chosen);
}

void TDirectoryList::SetRecursive(int index, bool on) {
  if (CanEdit(index, Count())) lines_[static_cast<size_t>(index)].recursive = on;
}

void TDirectoryList::DropIfEmpty(int index) {
  if (CanEdit(index, Count()) && lines_[static_cast<size_t>(index)].path.empty()) Delete(index);
}

}  // namespace lorvane
