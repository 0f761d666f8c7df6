#pragma once
// The keyword history: at most 20 entries, newest first, no two equal after trimming,
// kept in the settings as "Keyword"/"History[i]".

#include <string>
#include <vector>

namespace lorvane {

class TIniFile;

class TKeywordHistory {
 public:
  static constexpr size_t kMaxEntries = 20;

  const std::vector<std::string>& Entries() const { return entries_; }
  // The newest entry, "" when there is none.
  std::string Newest() const { return entries_.empty() ? std::string() : entries_[0]; }

  // The text as typed goes first; an entry equal to it after trimming (and the oldest,
  // beyond 20) goes. Writes every entry to the settings.
  void Add(const std::string& text, TIniFile& ini);
  // Reads "History[0]" to "History[19]", skipping empty and absent ones.
  void Load(const TIniFile& ini);

 private:
  std::vector<std::string> entries_;
};

}  // namespace lorvane
