#pragma once
// Answers the modal dialogs a command opens, for widget tests: while it lives, each modal
// dialog that comes up is handed to `answer`, which closes it (a test cannot click through
// a nested event loop from outside).
//
//   TModalAnswers answers([](QWidget* w) { qobject_cast<QMessageBox*>(w)->accept(); });
//   action->trigger();

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace lorvane::testing {

class TModalAnswers {
 public:
  explicit TModalAnswers(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      // A dialog answered but still closing is not answered again.
      if (modal && modal->isVisible() && !modal->property("answered").toBool()) {
        modal->setProperty("answered", true);
        answer_(modal);
      }
    });
    timer_.start(10);
  }

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
};

// Runs `action` and returns the text of the message box it shows (accepted at once);
// empty when it shows none.
inline QString MessageShownBy(const std::function<void()>& action) {
  QString shown;
  {
    TModalAnswers answers([&shown](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box) shown = box->text();
      if (box) box->accept();
    });
    action();
  }
  return shown;
}

}  // namespace lorvane::testing
