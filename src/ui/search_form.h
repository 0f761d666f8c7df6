#pragma once
// TSearchForm, the viewer's find and replace dialog. It only edits the conditions and
// stores them below "SearchForm"; the viewer reads them back and runs the search, so F3
// repeats the last search in any viewer. Its title gives the mode: "検索" or "Search" is
// find mode, any other title replace mode.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;

namespace lorvane {
class TIniFile;
}

namespace lorvane::ui {

// How the dialog was closed: a direction to search in, the conditions only, or Cancel
// (which stores nothing).
enum TSearchFormResult { sfUpward, sfDownward, sfConfigOnly, sfCancel };

class TSearchForm : public QDialog {
  Q_OBJECT

 public:
  TSearchForm(TIniFile& ini, const QString& title, QWidget* owner);

  // Shows the dialog modally.
  TSearchFormResult Run();
  TSearchFormResult Result() const { return result_; }

 protected:
  void done(int code) override;

 private:
  void Store();
  void KeepLayout();
  void Finish(TSearchFormResult result);

  TIniFile& ini_;
  bool find_mode_ = true;
  TSearchFormResult result_ = sfCancel;

  QSplitter* splitter_ = nullptr;
  QWidget* custom_panel_ = nullptr;
  QWidget* button_panel_ = nullptr;
  QLabel* label1_ = nullptr;
  QComboBox* find_ = nullptr;
  QLabel* label2_ = nullptr;
  QComboBox* replace_ = nullptr;
  QCheckBox* message_ = nullptr;
  QCheckBox* continuous_ = nullptr;
  QCheckBox* confirm_ = nullptr;
  QCheckBox* regexp_ = nullptr;
  QCheckBox* powerful_ = nullptr;
};

}  // namespace lorvane::ui
