// The alias table and the "Alias"/"Last" setting. The table is two parallel lists, names
// and files, and entry 0 is always the alias used last; the files themselves are
// folder_selection.cpp's.
// Tested by tests/mail/alias_table_test.cpp.

#include "mail/alias_table.h"

#include "common/lines.h"
#include "common/mbstring.h"
#include "common/windows_path.h"
#include "persist/ini_file.h"
#include "platform/file_system.h"

namespace lorvane {

namespace {

constexpr const char* kAliasSection = "Alias";
constexpr const char* kLastKey = "Last";
constexpr const char* kFilePrefix = "Alias";
constexpr const char* kFileExtension = ".dat";

}  // namespace

TAliasTable::TAliasTable(IFileSystem& fs) : fs_(fs), directory_(ExtractFilePath(fs.ProgramPath())) {}

void TAliasTable::Load() {
  names_.clear();
  files_.clear();
  for (const TDirEntry& entry : fs_.List(directory_ + kFilePrefix + "*" + kFileExtension)) {
    const std::string path = directory_ + entry.name;
    std::string bytes;
    // A file that cannot be read (or a directory of that name) holds no alias.
    if (fs_.ReadFile(path, &bytes) != TReadStatus::kOk) continue;
    const std::vector<std::string_view> lines = SplitLines(bytes);
    std::string name;
    if (lines.empty() || !AliasOfTitle(lines[0], &name)) continue;
    names_.push_back(std::move(name));
    files_.push_back(path);
  }
}

int TAliasTable::IndexOf(const std::string& name) const {
  for (size_t i = 0; i < names_.size(); ++i) {
    if (SameTextAscii(names_[i], name)) return static_cast<int>(i);
  }
  return -1;
}

std::string TAliasTable::FreeFileName() const {
  // Of n = 1 to (files matching) + 1, one at least names no file.
  const size_t candidates = fs_.List(directory_ + kFilePrefix + "*" + kFileExtension).size() + 1;
  std::string path;
  for (size_t n = 1; n <= candidates; ++n) {
    path = directory_ + kFilePrefix + std::to_string(n) + kFileExtension;
    if (!fs_.Exists(path)) break;
  }
  return path;
}

bool TAliasTable::AnyAliasFile() const {
  return fs_.Exists(directory_ + kFilePrefix + "*" + kFileExtension);
}

bool TAliasTable::Save(const TFolderTree& tree, const std::string& name, std::string* error) {
  const std::string path = FreeFileName();
  if (!SaveFolderSelection(fs_, path, tree, name, error)) return false;
  names_.insert(names_.begin(), name);
  files_.insert(files_.begin(), path);
  return true;
}

void TAliasTable::MoveToTop(int index) {
  if (index <= 0 || index >= Count()) return;
  const auto i = static_cast<size_t>(index);
  std::string name = std::move(names_[i]);
  std::string file = std::move(files_[i]);
  names_.erase(names_.begin() + index);
  files_.erase(files_.begin() + index);
  names_.insert(names_.begin(), std::move(name));
  files_.insert(files_.begin(), std::move(file));
}

TSelectionStatus TAliasTable::Open(int index, TFolderTree& tree, std::string* error) {
  const TSelectionStatus status = LoadFolderSelection(fs_, File(index), tree, error);
  MoveToTop(index);
  return status;
}

bool TAliasTable::Delete(int index, std::string* message) {
  const std::string& file = File(index);
  if (!fs_.DeleteFile(file)) {
    *message = file + " を削除できませんでした";
    return false;
  }
  names_.erase(names_.begin() + index);
  files_.erase(files_.begin() + index);
  return true;
}

bool TAliasTable::OpenLast(const TIniFile& ini, TFolderTree& tree, TSelectionStatus* status,
                           std::string* error) {
  const std::string last = LastAlias(ini);
  if (last.empty()) return false;
  const int index = IndexOf(last);
  if (index < 0) return false;
  *status = Open(index, tree, error);
  return true;
}

std::string LastAlias(const TIniFile& ini) {
  return ini.ReadString(kAliasSection, kLastKey, "");
}

void StoreLastAlias(TIniFile& ini, const TAliasTable& aliases, int selected) {
  if (selected < 0 || selected >= aliases.Count()) return;
  ini.WriteString(kAliasSection, kLastKey, aliases.Name(selected));
}

std::string NoAliasMessage() {
  return "エイリアスがひとつもありません";
}

}  // namespace lorvane
