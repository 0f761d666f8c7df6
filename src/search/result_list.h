#pragma once
// The result list: one row per hit, nine text fields a row, kept as nine parallel
// columns. The same shape holds the undo snapshot.

#include <array>
#include <string>
#include <vector>

namespace lorvane {

enum TMailField {
  mfSoft,    // the mail program's part of the folder path
  mfFolder,  // the folder as shown
  mfDate,    // "YYYY-MM-DD"
  mfTime,    // "hh:mm:ss"
  mfSender,
  mfSubject,
  mfFileName,  // the file holding the message
  mfFirst,     // the message address, as decimal text
  mfLast,
};
constexpr int kMailFields = 9;

using TMailRecord = std::array<std::string, kMailFields>;

class TResultList {
 public:
  int Count() const { return static_cast<int>(columns_[0].size()); }
  bool Empty() const { return columns_[0].empty(); }
  const std::string& Field(int row, TMailField field) const {
    return columns_[field][static_cast<size_t>(row)];
  }
  const std::vector<std::string>& Column(TMailField field) const { return columns_[field]; }
  TMailRecord Row(int row) const;
  void Append(const TMailRecord& record);
  void Clear();
  // Reorders every column: row i of the result is row order[i] of before.
  void Permute(const std::vector<int>& order);

 private:
  std::array<std::vector<std::string>, kMailFields> columns_;
};

// The sort keys of the result list ("Display"/"Sort"); anything else sorts like "Soft".
// Stable: rows with equal keys keep their order.
void SortResults(TResultList& results, const std::string& sort_key);

}  // namespace lorvane
