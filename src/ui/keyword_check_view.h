#pragma once
// edKeywordCheck: one read-only line of coloured runs showing how the keyword query read
// the keywords (blue structure, black keywords, the first error in red).

#include <QTextEdit>

#include "search/keyword_query.h"

namespace lorvane::ui {

class TKeywordCheckView : public QTextEdit, public IPatternView {
  Q_OBJECT

 public:
  explicit TKeywordCheckView(QWidget* parent = nullptr);

  void Clear() override;
  void Append(std::string_view text, TRunColour colour) override;
};

}  // namespace lorvane::ui
