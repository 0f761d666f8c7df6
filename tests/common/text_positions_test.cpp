// Byte offsets and text-widget positions, both ways, over the characters and line ends
// that differ in width.

#include "common/text_positions.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvane {
namespace {

TEST(TextPositionsTest, MapsCharactersAndLineBreaksToOnePosition) {
  // a ソ CRLF 表 LF b CR ポ: bytes 0 1 3 5 7 8 9 10, positions 0 1 2 3 4 5 6 7.
  const std::string text = "aソ\r\n表\nb\rポ";
  const TTextPositions map(text);
  EXPECT_EQ(map.WidgetLength(), 8u);
  const size_t bytes[] = {0, 1, 3, 5, 7, 8, 9, 10, 12};
  for (size_t position = 0; position < 9; ++position) {
    EXPECT_EQ(map.ToByte(position), bytes[position]) << position;
    EXPECT_EQ(map.ToWidget(bytes[position]), position) << position;
  }
  // Inside a character or a CR LF: that character's position.
  EXPECT_EQ(map.ToWidget(2), 1u);
  EXPECT_EQ(map.ToWidget(4), 2u);
  EXPECT_EQ(map.ToWidget(11), 7u);
  // Past the end, both ways.
  EXPECT_EQ(map.ToWidget(100), 8u);
  EXPECT_EQ(map.ToByte(100), text.size());
}

TEST(TextPositionsTest, EmptyAndDamagedTexts) {
  const TTextPositions empty("");
  EXPECT_EQ(empty.WidgetLength(), 0u);
  EXPECT_EQ(empty.ToByte(0), 0u);
  EXPECT_EQ(empty.ToWidget(0), 0u);
  const TTextPositions lone_lead("ab\x82");  // one position, as the lossy conversion has it
  EXPECT_EQ(lone_lead.WidgetLength(), 3u);
  EXPECT_EQ(lone_lead.ToByte(2), 2u);
}

TEST(TextPositionsTest, AgreesWithAPlainCountAcrossCheckpoints) {
  // Long enough for many checkpoints, with every kind of unit in every phase.
  std::string text;
  for (int i = 0; i < 500; ++i)
    text += i % 7 == 0 ? "\r\n" : i % 3 == 0 ? "ソ" : i % 5 == 0 ? "\n" : "x";
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size();) {
    starts.push_back(i);
    i += text[i] == '\r' ? 2 : (static_cast<unsigned char>(text[i]) >= 0x81 ? 2 : 1);
  }
  const TTextPositions map(text);
  ASSERT_EQ(map.WidgetLength(), starts.size());
  for (size_t p = 0; p < starts.size(); ++p) {
    ASSERT_EQ(map.ToByte(p), starts[p]) << p;
    ASSERT_EQ(map.ToWidget(starts[p]), p) << p;
    ASSERT_EQ(map.ToWidget(starts[p] + 1),
              text[starts[p]] == 'x' || text[starts[p]] == '\n' ? p + 1 : p)
        << p;
  }
}

}  // namespace
}  // namespace lorvane
