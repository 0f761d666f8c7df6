#pragma once
// The pick-one-from-a-list dialog: the prompt as its title, the names in a list, "OK" (the
// default, enabled only while a name is selected) and a cancel button. A double-click on
// a name picks it.

#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace lorvane::ui {

class TListPickDialog : public QDialog {
  Q_OBJECT

 public:
  // `selected` is preselected when it is an index of `items`.
  TListPickDialog(QWidget* owner, const QString& prompt, const QStringList& items, int selected);
  // The selected index, -1 for none.
  int Selected() const;

 private:
  QListWidget* list_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// True and the picked index in `chosen` on OK; false and `chosen` unchanged otherwise.
bool PickFromList(QWidget* owner, const QString& prompt, const QStringList& items, int selected,
                  int* chosen);

}  // namespace lorvane::ui
