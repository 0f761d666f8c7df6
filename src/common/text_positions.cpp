// Byte offsets <-> widget positions over one pass of checkpoints.
// Tested by tests/common/text_positions_test.cpp.

#include "common/text_positions.h"

#include <algorithm>

#include "common/mbstring.h"

namespace lorvane {

TTextPositions::TTextPositions(std::string_view text) : text_(text) {
  checkpoints_.reserve(text.size() / kStride + 1);
  size_t i = 0;
  for (; i < text.size(); i += UnitWidth(i), ++length_) {
    if (length_ % kStride == 0) checkpoints_.push_back(i);
  }
}

size_t TTextPositions::UnitWidth(size_t i) const {
  if (text_[i] == '\r') return i + 1 < text_.size() && text_[i + 1] == '\n' ? 2 : 1;
  return CharWidthAt(text_, i);
}

size_t TTextPositions::ToWidget(size_t byte_offset) const {
  if (byte_offset >= text_.size()) return length_;
  // The last checkpoint at or before the offset.
  const auto it = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), byte_offset);
  const auto k = static_cast<size_t>(it - checkpoints_.begin()) - 1;
  size_t position = k * kStride;
  size_t i = checkpoints_[k];
  while (true) {
    const size_t next = i + UnitWidth(i);
    if (next > byte_offset) return position;
    i = next;
    ++position;
  }
}

size_t TTextPositions::ToByte(size_t widget_position) const {
  if (widget_position >= length_) return text_.size();
  size_t i = checkpoints_[widget_position / kStride];
  for (size_t n = widget_position % kStride; n > 0; --n) i += UnitWidth(i);
  return i;
}

}  // namespace lorvane
