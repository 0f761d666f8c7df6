// The line-ending rule, over a whole text and over a text that may go on.

#include "common/lines.h"

#include "common/line_masks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace lorvane {
namespace {

using Lines = std::vector<std::string_view>;

TEST(LinesTest, SplitAtEveryKindOfLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines(""), (Lines{}));
  EXPECT_EQ(SplitLines(std::string("ab\0cd\r\nef", 9)), (Lines{"ab"}));
  EXPECT_EQ(SplitLines("\r\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines("表\r\nソ"), (Lines{"表", "ソ"}));  // both end in the byte of "\"
}

TEST(LinesTest, TextThatMayGoOnWaitsForTheLineEnd) {
  struct Case {
    const char* text;
    size_t pos;
    std::optional<std::pair<size_t, size_t>> incomplete;  // end, next
    std::pair<size_t, size_t> complete;
  };
  const Case cases[] = {
      {"ab\r\ncd", 0, {{2, 4}}, {2, 4}},
      {"ab\r\ncd", 4, std::nullopt, {6, 6}},  // no terminator yet
      {"ab\r", 0, std::nullopt, {2, 3}},      // the LF may follow
      {"ab\rc", 0, {{2, 3}}, {2, 3}},         // a lone CR
      {"ab\n", 0, {{2, 3}}, {2, 3}},
      {"\r\n", 0, {{0, 2}}, {0, 2}},
  };
  for (const Case& c : cases) {
    const std::optional<TLineEnd> open = FindLineEnd(c.text, c.pos, false);
    ASSERT_EQ(open.has_value(), c.incomplete.has_value()) << c.text;
    if (open) {
      EXPECT_EQ(std::make_pair(open->end, open->next), *c.incomplete) << c.text;
    }
    const std::optional<TLineEnd> closed = FindLineEnd(c.text, c.pos, true);
    ASSERT_TRUE(closed.has_value()) << c.text;
    EXPECT_EQ(std::make_pair(closed->end, closed->next), c.complete) << c.text;
  }
  EXPECT_EQ(TextBeforeNul(std::string_view("ab\0c", 4)), "ab");
  EXPECT_EQ(TextBeforeNul("abc"), "abc");
}


// The block-wise counting, skipping and scanning against the line-by-line rule, over random texts
// of CRs, LFs and letters long enough that pairs and lone CRs fall on every block edge,
// some with a NUL that ends them. The last rounds' texts span several runs of blocks whose
// masks are taken at once; there, skips start from every 37th line only.
TEST(LinesTest, CountingAndSkippingAgreeWithTheLineByLineRule) {
  std::mt19937 random(7);
  for (int round = 0; round < 640; ++round) {
    const bool long_text = round >= 600;
    std::string text;
    const size_t size = long_text ? 2000 + random() % 6000 : random() % 400;
    const char* alphabet = round % 3 == 0 ? "\r\n" : "\r\nab";
    const size_t letters = round % 3 == 0 ? 2 : 4;
    for (size_t i = 0; i < size; ++i) text += alphabet[random() % letters];
    if (round % 4 == 1 && !text.empty()) text[random() % text.size()] = '\0';
    SCOPED_TRACE(::testing::Message() << "round " << round);

    const std::string_view live = TextBeforeNul(text);
    std::vector<size_t> starts;  // every line start, by the line-by-line rule
    for (size_t pos = 0; pos < live.size(); pos = FindLineEnd(live, pos, true)->next) {
      starts.push_back(pos);
    }
    EXPECT_EQ(CountLines(text), starts.size());
    std::vector<std::pair<size_t, size_t>> with_a;  // (line, start) of the lines "a..."
    std::vector<std::pair<size_t, size_t>> with_a_or_b;
    for (size_t k = 0; k < starts.size(); ++k) {
      if (live[starts[k]] == 'a') with_a.emplace_back(k, starts[k]);
      if (live[starts[k]] == 'a' || live[starts[k]] == 'b') with_a_or_b.emplace_back(k, starts[k]);
    }
    std::vector<std::pair<size_t, size_t>> visited;
    const auto visit = [&visited](size_t line, size_t start) { visited.emplace_back(line, start); };
    ForEachLineStartingWith(text, "ba", visit);
    EXPECT_EQ(visited, with_a_or_b);
    visited.clear();
    const TLineScan scan = ForEachLineStartingWith(text, "a", visit);
    EXPECT_EQ(visited, with_a);
    EXPECT_EQ(scan.lines, starts.size());
    EXPECT_EQ(scan.end, live.size());
    size_t nul = text.size();
    CountLineEnds(text, 0, text.size(), &nul);
    EXPECT_EQ(nul, live.size());
    std::vector<bool> is_start(live.size() + 1);
    for (const size_t start : starts) is_start[start] = true;
    for (size_t pos = 0; pos < live.size(); ++pos) {
      EXPECT_EQ(IsLineStart(text, pos), is_start[pos]) << pos;
    }
    for (size_t k = 0; k < starts.size(); k += long_text ? 37 : 1) {
      EXPECT_EQ(CountLinesFrom(text, starts[k]), starts.size() - k);
      for (size_t count : {size_t{0}, size_t{1}, size_t{3}, size_t{40}, starts.size()}) {
        size_t passed = 0;
        const size_t to = SkipLines(text, starts[k], count, &passed);
        EXPECT_EQ(passed, std::min(count, starts.size() - k));
        EXPECT_EQ(to, k + count < starts.size() ? starts[k + count] : live.size());
        // The lines that ended on the way are the lines passed, but for a last line
        // without terminator.
        const bool unterminated = to == live.size() && !live.empty() && live.back() != '\n' &&
                                  live.back() != '\r' && passed > 0;
        EXPECT_EQ(CountLineEnds(text, starts[k], to), passed - (unterminated ? 1 : 0));
      }
    }
  }
}

// The widest vectors and the baseline find the same bytes, wherever the blocks start and
// whatever the bytes around the three (bytes with the high bit set too).
TEST(LinesTest, WideAndBaselineMasksAgree) {
  std::mt19937 random(11);
  const std::string alphabet("\n\r\0a\x8a\x8d\x80\xff\x0b", 9);
  std::string bytes;
  for (int i = 0; i < 64 * 50; ++i) bytes += alphabet[random() % alphabet.size()];
  for (int round = 0; round < 200; ++round) {
    const size_t offset = random() % 64;
    const size_t count = 1 + random() % 48;
    std::vector<TBlockMasks> best(count);
    std::vector<TBlockMasks> baseline(count);
    BlockMasksOf(bytes.data() + offset, count, best.data(), TVectorWidth::kBest);
    BlockMasksOf(bytes.data() + offset, count, baseline.data(), TVectorWidth::kBaseline);
    for (size_t b = 0; b < count; ++b) {
      uint64_t lf = 0;
      for (size_t i = 0; i < kMaskBlock; ++i) {
        lf |= uint64_t{bytes[offset + b * kMaskBlock + i] == '\n'} << i;
      }
      EXPECT_EQ(baseline[b].lf, lf) << round << " " << b;
      EXPECT_EQ(best[b].lf, baseline[b].lf) << round << " " << b;
      EXPECT_EQ(best[b].cr, baseline[b].cr) << round << " " << b;
      EXPECT_EQ(best[b].nul, baseline[b].nul) << round << " " << b;
    }
  }
}

}  // namespace
}  // namespace lorvane
