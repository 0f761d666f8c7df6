#pragma once
// The dialogs interactive detection asks for, as Qt dialogs: Qt's own file dialog (so the
// keyboard and accessibility tools can drive it) and a warning message box.

#include "mail/user_dialogs.h"

class QWidget;

namespace lorvane {
class IFileSystem;
}

namespace lorvane::ui {

class TQtUserDialogs : public IUserDialogs {
 public:
  TQtUserDialogs(IFileSystem& fs, QWidget* owner) : fs_(fs), owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  std::optional<std::string> OpenFile(const std::string& title, const std::string& preset) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;

 private:
  IFileSystem& fs_;
  QWidget* owner_;
};

// A message box with an OK button and the exclamation icon, texts in CP932.
void ShowWarning(QWidget* owner, const std::string& text, const std::string& caption);

}  // namespace lorvane::ui
