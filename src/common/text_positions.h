#pragma once
// Positions in a CP932 text as a plain-text widget counts them, and back. The core works
// in byte offsets (a double-byte character is two bytes, CR LF two bytes); a text widget
// that got the same text through Cp932ToUtf8Lossy counts one position per character and
// one per line break (CR LF, a lone CR or a lone LF), because every CP932 character is a
// single UTF-16 unit.
//
//   TTextPositions map(text);               // "aソ\r\nb": a=0, ソ=1, break=2, b=3
//   map.ToWidget(5) == 3;  map.ToByte(3) == 5;

#include <cstddef>
#include <string_view>
#include <vector>

namespace lorvane {

class TTextPositions {
 public:
  // Keeps a view of `text`: the text must outlive the map and stay unchanged.
  explicit TTextPositions(std::string_view text);

  // Number of widget positions of the whole text.
  size_t WidgetLength() const { return length_; }
  // The widget position of a byte offset. An offset inside a character (or between the
  // CR and LF of a line break) gives that character's position; one past the end gives
  // WidgetLength().
  size_t ToWidget(size_t byte_offset) const;
  // The byte offset where the character at a widget position starts; positions past the
  // end give the text's size.
  size_t ToByte(size_t widget_position) const;

 private:
  // Byte width of the unit (character or line break) that starts at `i`.
  size_t UnitWidth(size_t i) const;

  static constexpr size_t kStride = 64;
  std::string_view text_;
  size_t length_ = 0;
  // Byte offset of every kStride-th position, so both directions cost at most a stride of
  // scanning and a long text costs a sixty-fourth of an index per byte.
  std::vector<size_t> checkpoints_;
};

}  // namespace lorvane
