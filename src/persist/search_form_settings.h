#pragma once
// The find and replace conditions, kept below "SearchForm" so that F3 and Shift+F3 repeat
// the last search in any viewer, also after a restart: the histories "Find0".."Find7" and
// "Replace0".."Replace7" (newest first; entry 0 is what a search uses), "Method" ("Find"
// or "Replace": which dialog set them), and the options. Writers only change the settings
// in memory; the caller runs UpdateFile.

#include <string>
#include <string_view>
#include <vector>

#include "persist/ini_file.h"

namespace lorvane {

constexpr int kSearchHistoryLength = 8;

struct TSearchFormSettings {
  std::vector<std::string> find_history;  // up to the first empty value, at most 8
  std::vector<std::string> replace_history;
  std::string method;      // as stored; empty when never set
  bool message = true;     // show a message when nothing is found
  bool continuous = true;  // go on to the next match after a replacement
  bool confirm = true;     // ask before each replacement
  bool regexp = false;
  bool powerful = true;
};

TSearchFormSettings ReadSearchFormSettings(const TIniFile& ini);

// The dialog's mode by its title: "検索" or "Search" is find mode, any other title (the
// viewer uses "置き換え") replace mode. The dialog stores "Method" as kMethodFind or
// kMethodReplace accordingly.
bool IsFindDialogTitle(std::string_view title);
extern const char* const kMethodFind;
extern const char* const kMethodReplace;

// The dialog's rule for a history when a search button is pressed: `text` moves to the
// top if it is there, else goes in at the top. An empty text changes nothing.
void PutFirstInHistory(std::vector<std::string>* history, const std::string& text);

// Stores everything; each history cut to 8, its non-empty entries written (an empty one
// leaves its key as it was).
void WriteSearchFormSettings(TIniFile& ini, const TSearchFormSettings& settings);

// The dialog's button column, as the user sized it.
int ReadSearchButtonWidth(const TIniFile& ini, int designed_width);
void WriteSearchButtonWidth(TIniFile& ini, int width);

// What a search runs with.
struct TFindConditions {
  std::string find;           // "Find0"; empty: there is nothing to search for
  std::string replace;        // "Replace0"
  bool replace_mode = false;  // "Method" (default "Find") is not "Find"
  bool message = true;
  bool continuous = true;
  bool confirm = true;
  bool regexp = false;
  bool powerful = true;
};
TFindConditions ReadFindConditions(const TIniFile& ini);

// The Search menu's repeat items: enabled exactly when there is a find text, captioned by
// "Method" ("Find": 上へ検索 / 下へ検索, "Replace": 上へ置き換え / 下へ置き換え, never set:
// 上へ検索／置き換え / 下へ検索／置き換え, each with its "(&Previous)" or "(&Next)").
struct TSearchMenuItems {
  bool enabled = false;
  std::string previous_caption;
  std::string next_caption;
};
TSearchMenuItems ReadSearchMenuItems(const TIniFile& ini);

}  // namespace lorvane
