// The centred pair of dialog buttons.

#include "ui/button_pair_panel.h"

#include <algorithm>

namespace lorvane::ui {

namespace {
constexpr int kGap = 4;
constexpr int kMargin = 6;
}  // namespace

TButtonPairPanel::TButtonPairPanel(const QString& name, QPushButton* first, QPushButton* second,
                                   QWidget* top, QWidget* parent)
    : QWidget(parent), first_(first), second_(second), top_(top) {
  setObjectName(name);
  for (QWidget* w : {static_cast<QWidget*>(first_), static_cast<QWidget*>(second_), top_}) {
    if (w) w->setParent(this);
  }
}

QSize TButtonPairPanel::sizeHint() const {
  const int button = std::max(first_->sizeHint().height(), second_->sizeHint().height());
  const int top = top_ ? top_->sizeHint().height() + kMargin : 0;
  return {2 * std::max(first_->sizeHint().width(), 75) + kGap + 2 * kMargin, top + button + 2 * kMargin};
}

void TButtonPairPanel::resizeEvent(QResizeEvent*) {
  int y = kMargin;
  if (top_) {
    top_->setGeometry(0, y, width(), top_->sizeHint().height());
    y += top_->height() + kMargin;
  }
  const int w = std::max({first_->sizeHint().width(), second_->sizeHint().width(), 75});
  const int h = std::max(first_->sizeHint().height(), second_->sizeHint().height());
  const int left = (width() - 2 * w - kGap) / 2;
  first_->setGeometry(left, y, w, h);
  second_->setGeometry(left + w + kGap, y, w, h);
}

}  // namespace lorvane::ui
