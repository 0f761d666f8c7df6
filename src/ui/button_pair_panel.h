#pragma once
// A bottom panel whose two buttons stand centred as a pair, 4 pixels apart, whatever the
// panel's width; anything else in it (a drive selector) is laid out above them.

#include <QPushButton>
#include <QWidget>

namespace lorvane::ui {

class TButtonPairPanel : public QWidget {
  Q_OBJECT

 public:
  TButtonPairPanel(const QString& name, QPushButton* first, QPushButton* second,
                   QWidget* top = nullptr, QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPushButton* first_;
  QPushButton* second_;
  QWidget* top_;
};

}  // namespace lorvane::ui
