#pragma once
// Search-result files: the title line "Search Result File / Lorvane", then the nine
// fields of every hit, a line each, in result-list order; CP932, CR LF.

#include <string>

#include "search/result_list.h"

namespace lorvane {

class IFileSystem;

// Writes the file atomically; false and `error` when it cannot be written.
bool SaveResultFile(IFileSystem& fs, const std::string& path, const TResultList& results,
                    std::string* error);

enum class TResultFileStatus {
  kLoaded,
  kNotAResultFile,  // empty, or a first line other than the title: nothing changed
  kUnreadable,      // nothing changed; `error` says why
};

// On success the current `results` become `undo` and the file's hits the results (whole
// groups of nine lines; a shorter group at the end is ignored). The caller sorts.
TResultFileStatus LoadResultFile(IFileSystem& fs, const std::string& path, TResultList* results,
                                 TResultList* undo, std::string* error);

// path + " は検索結果を保存したファイルではありません。"
std::string NotAResultFileMessage(const std::string& path);

}  // namespace lorvane
