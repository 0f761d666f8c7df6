// Fuzz target: search-result files: load (over an earlier result list, which becomes the
// undo list), sort by every key, save, load again.
// Input: the result file's bytes. Not a result file is an accepted outcome; a loaded one
// must save and load back to the same rows, in every sort order.

#include <string>

#include "search/result_file.h"
#include "support/fuzz_input.h"
#include "support/memory_file_system.h"

namespace lorvane::fuzz {

namespace {

constexpr const char* kPath = "C:\\Lorvane\\found.lsr";
constexpr const char* kCopy = "C:\\Lorvane\\copy.lsr";

bool SameRows(const TResultList& a, const TResultList& b) {
  if (a.Count() != b.Count()) return false;
  for (int row = 0; row < a.Count(); ++row) {
    if (a.Row(row) != b.Row(row)) return false;
  }
  return true;
}

}  // namespace

void FuzzOne(std::string_view input) {
  testing::MemoryFileSystem fs;
  fs.AddFile(kPath, std::string(input));
  TResultList results;
  results.Append({"Becky!2", "受信箱", "2026-12-07", "10:15:30", "taro", "s", "C:\\a.bmf", "0",
                  "99"});
  const TResultList before = results;
  TResultList undo;
  std::string error;
  const TResultFileStatus status = LoadResultFile(fs, kPath, &results, &undo, &error);
  if (status != TResultFileStatus::kLoaded) {
    Check(SameRows(results, before), "a file that was not loaded changed the list");
    return;
  }
  Check(SameRows(undo, before), "the undo list is not the list before loading");
  for (const char* key : {"Folder", "Date", "From", "Subject", "Soft", "other"}) {
    SortResults(results, key);
    if (!SaveResultFile(fs, kCopy, results, &error)) Fail("saving failed", error);
    TResultList loaded;
    TResultList loaded_undo;
    if (LoadResultFile(fs, kCopy, &loaded, &loaded_undo, &error) != TResultFileStatus::kLoaded) {
      Fail("a saved result file does not load", key);
    }
    Check(SameRows(loaded, results), "a saved result file loads other rows", key);
  }
}

}  // namespace lorvane::fuzz
