// Search-result files.
// Tested by tests/search/result_file_test.cpp.

#include "search/result_file.h"

#include "common/lines.h"
#include "platform/file_system.h"

namespace lorvane {

namespace {
constexpr const char* kTitle = "Search Result File / Lorvane";
}  // namespace

bool SaveResultFile(IFileSystem& fs, const std::string& path, const TResultList& results,
                    std::string* error) {
  std::string text = std::string(kTitle) + "\r\n";
  for (int row = 0; row < results.Count(); ++row) {
    for (int f = 0; f < kMailFields; ++f) {
      text += results.Field(row, static_cast<TMailField>(f));
      text += "\r\n";
    }
  }
  return fs.ReplaceFile(path, text, error);
}

TResultFileStatus LoadResultFile(IFileSystem& fs, const std::string& path, TResultList* results,
                                 TResultList* undo, std::string* error) {
  std::string bytes;
  if (fs.ReadFile(path, &bytes, error) != TReadStatus::kOk) return TResultFileStatus::kUnreadable;
  const std::vector<std::string_view> lines = SplitLines(bytes);
  if (lines.empty() || lines[0] != kTitle) return TResultFileStatus::kNotAResultFile;
  *undo = *results;
  results->Clear();
  for (size_t i = 1; i + kMailFields <= lines.size(); i += kMailFields) {
    TMailRecord record;
    for (int f = 0; f < kMailFields; ++f)
      record[static_cast<size_t>(f)] = lines[i + static_cast<size_t>(f)];
    results->Append(record);
  }
  return TResultFileStatus::kLoaded;
}

std::string NotAResultFileMessage(const std::string& path) {
  return path + " は検索結果を保存したファイルではありません。";
}

}  // namespace lorvane
