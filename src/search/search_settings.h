#pragma once
// The search options kept in the settings file, as one typed object: how keywords combine,
// regular expressions, variant forms, which part of a message is searched, the length
// limit and the result list's sort key. The GUI's options and the CLI's defaults both come
// from here, so the keys and their defaults are written once.
//
//   TSearchSettings s = TSearchSettings::Load(ini);
//   s.regexp = true;
//   s.Save(ini);

#include <string>
#include <string_view>

#include "search/keyword_query.h"

namespace lorvane {

class TIniFile;

struct TSearchScope {
  bool header = true;  // at least one of the two is always on
  bool body = true;
};

struct TSearchSettings {
  TMethod method = mtAND;
  bool regexp = false;
  bool powerful = true;  // variant forms of a character count as equal
  TSearchScope scope;
  bool length_limit = true;  // a message is read up to the reader's limit only
  std::string sort_key = "Soft";

  // Missing or damaged values take the defaults above; a scope with neither part is both.
  static TSearchSettings Load(const TIniFile& ini);
  void Save(TIniFile& ini) const;

  // The values read again while a search runs (the reader's limit, the driver's sort), and
  // the sort key alone, which the CLI's --sort changes.
  static bool LengthLimit(const TIniFile& ini);
  static std::string SortKey(const TIniFile& ini);
  static void SaveSortKey(TIniFile& ini, std::string_view sort_key);
};

// "Soft", "Folder", "Date", "From" or "Subject", exactly.
bool IsSortKey(std::string_view key);

// The settings' names of the methods: "AND", "OR", "Logic"; any other text is AND.
TMethod MethodOfName(std::string_view name);
std::string_view MethodName(TMethod method);

}  // namespace lorvane
