#pragma once
// The main window's view and viewer options as the settings file keeps them, read and
// written through at once, so every reader sees a change as soon as it is made.

#include <string>

namespace lorvane {

class TIniFile;

// The View menu's six switches ("Display" section).
enum TViewFlag {
  vfKeywordCheck,   // "KeywordCheck", default on
  vfProgressBar,    // "ProgressBar", default on
  vfFolderTree,     // "Folder Tree", default on
  vfAlias,          // "Alias", default off
  vfShowHint,       // "Show Hint", default on
  vfProgressReport  // "Progress Report", default off
};

// What double-click and Enter in the result list do ("Option"/"DoubleClick").
enum TDoubleClick { dcApplication, dcViewer };

class TViewSettings {
 public:
  explicit TViewSettings(TIniFile& ini) : ini_(ini) {}

  bool Get(TViewFlag flag) const;
  void Set(TViewFlag flag, bool on);
  // Inverts the switch and gives its new state.
  bool Toggle(TViewFlag flag);

  // "Viewer" unless the setting is exactly "Application".
  TDoubleClick DoubleClick() const;
  void SetDoubleClick(TDoubleClick action);
  // "Option"/"Limit 32KB", default on.
  bool Limit32KB() const;
  void SetLimit32KB(bool on);

  // "BaseForm"/"Tree Width" and "BaseForm"/"Width[i]": pane and column widths.
  int TreeWidth(int design_width) const;
  void SetTreeWidth(int width);
  int ColumnWidth(int column, int design_width) const;
  void SetColumnWidth(int column, int width);

 private:
  TIniFile& ini_;
};

// The main window's section, named after its component.
inline constexpr const char* kBaseFormSection = "BaseForm";

}  // namespace lorvane
