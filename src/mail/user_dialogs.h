#pragma once
// The two dialogs that interactive detection needs, as an interface the front end
// implements (the GUI with real dialogs, the CLI with none).

#include <optional>
#include <string>
#include <vector>

namespace lorvane {

class IUserDialogs {
 public:
  virtual ~IUserDialogs() = default;
  // An open-file dialog with `title` and the file name `preset` filled in; the chosen
  // full path (CP932 Windows path), or nullopt when the user cancelled.
  virtual std::optional<std::string> OpenFile(const std::string& title,
                                              const std::string& preset) = 0;
  // A message box with an OK button and the exclamation icon.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

// For front ends that cannot ask: every open-file dialog counts as cancelled, and
// messages are collected for the caller to print.
class TNoDialogs : public IUserDialogs {
 public:
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    messages_.push_back(caption + ": " + text);
  }
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

}  // namespace lorvane
