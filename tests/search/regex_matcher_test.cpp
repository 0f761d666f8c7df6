// Matching: the defining cases, then differential runs of every path of the engine (the
// unanchored scan, attempts, the linear backward scan, the DFA under a tiny budget)
// against the naive reference matcher, over an alphabet with double-byte characters
// whose trail bytes are "\" and "|", blanks of both widths, and line ends.

#include "search/regex_automaton.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "search/regex_error.h"
#include "support/reference_matcher.h"

namespace lorvane {
namespace {

using testing::ReferenceMatch;
using testing::ReferenceMatchText;

ReferenceMatch MatchOf(const std::string& pattern, std::string_view text) {
  TREAutomaton a(pattern);
  ReferenceMatch m;
  a.Match(text, &m.start, &m.length);
  return m;
}

TEST(RegexMatcherTest, DefiningCases) {
  const struct {
    std::string pattern;
    std::string text;
    int start;
    int length;
  } cases[] = {
      // Shortest match at the leftmost start.
      {"ab*", "abbb", 1, 1},
      {"ab+", "abbb", 1, 2},
      {"a|ab", "xab", 2, 1},
      {"abcd|c", "abcd", 1, 4},  // leftmost beats shorter
      {"b", "aaab", 4, 1},
      {"xyz", "xyxyz", 3, 3},
      {"abc", "ab", 0, 0},
      // White space is skipped inside a match but never starts one.
      {"abc", "xa b\r\nc", 2, 6},
      {"a", " a", 2, 1},
      {"ab", "a　\tb", 1, 5},  // ideographic space too
      {"a b", "a b", 0, 0},    // a blank in the pattern
      {"a\\nb", "a\nb", 0, 0},
      {"ab*", "a bbb", 1, 1},  // never ends on skipped space
      {"ab", "a b", 1, 3},
      // The empty pattern matches at 1.
      {"", "abc", 1, 0},
      {"", "", 1, 0},
      {"a*", " xyz", 1, 0},
      {"()", std::string("\0a", 2), 0, 0},
      {"a", "", 0, 0},
      // The text ends at a NUL or a lone lead byte.
      {"c", std::string("ab\0c", 4), 0, 0},
      {"bc", std::string("ab\0c", 4), 0, 0},
      {".", "\x82", 0, 0},
      {"a.", "a\x82", 0, 0},
      {"a", std::string("\x82\0a", 3), 0, 0},
      {"\\x0", std::string("a\0", 2), 0, 0},  // code 0 never
      // Double-byte characters are whole.
      {"\\\\", "ソ\\", 3, 1},  // not the trail of "ソ"
      {"\\|", "ポ|", 3, 1},
      {"A", "アA", 3, 1},  // "ア" is 0x83 0x41
      {"ソフト", "あソフトウェア", 3, 6},
      {"[ぁ-ん]+", "カタカナとひらがな", 9, 2},
      {"表.", "表示", 1, 4},
      {"[^a]", "a\r\n", 0, 0},
      {"[^a]", "a\r\nb", 4, 1},
      // "." cannot match a line end, but line ends are skipped between characters.
      {"a.b", "a\nxb", 1, 4},
      {"a.b", "a\nb", 0, 0},
      {"[^\\x01-\\xfcfc]", "abc", 0, 0},
      {"x[^\\x01-\\xfcfc]*", "abxc", 3, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchOf(c.pattern, c.text), (ReferenceMatch{c.start, c.length}))
        << c.pattern << " in " << c.text;
  }
}

TEST(RegexMatcherTest, LongPatternsAndHostileShapes) {
  // (a|b)*a(a|b)^30: the subset construction has 2^31 states, built lazily.
  std::string pattern = "(a|b)*a";
  for (int i = 0; i < 30; ++i) pattern += "(a|b)";
  TREAutomaton a(pattern);
  std::mt19937 rng(3);
  std::string text;
  for (int i = 0; i < 20000; ++i) text += (rng() & 1) ? 'a' : 'b';
  int start = 0;
  int length = 0;
  EXPECT_GT(a.Match(text, &start, &length), 0);
  EXPECT_EQ(ReferenceMatch({start, length}), ReferenceMatchText(pattern, text.substr(0, 200)));

  // Nested "+" doubles the automaton with each level; far too big becomes an error.
  std::string nested = "a";
  for (int i = 0; i < 40; ++i) nested = "(" + nested + ")+";
  EXPECT_THROW(TREAutomaton{nested}, Exception);

  EXPECT_THROW(TREAutomaton(std::string(kMaxPatternBytes + 1, 'a')), Exception);
  std::string letters;
  for (int i = 0; i < kMaxPatternBytes; ++i) letters += static_cast<char>('a' + rng() % 26);
  TREAutomaton longest(letters);
  EXPECT_EQ(longest.Match("xx" + letters, &start, &length), 3);
  EXPECT_EQ(length, kMaxPatternBytes);
  EXPECT_FALSE(longest.Find(letters.substr(1)));
}

TEST(RegexMatcherTest, QuadraticShapesStayLinear) {
  // Every "a" starts an attempt that runs to the "z" and fails; only the last "aq"
  // matches. Tried one by one that is 2 * 10^10 steps; the backward scan takes over.
  const int n = 200000;
  const std::string text = std::string(n, 'a') + "zaq";
  TREAutomaton a("a[^z]*q");
  int start = 0;
  int length = 0;
  EXPECT_EQ(a.Match(text, &start, &length), n + 2);
  EXPECT_EQ(length, 2);
  TREAutomaton b("a.*zx");
  EXPECT_EQ(b.Match(text, &start, &length), 0);
}

// ---- differential runs -------------------------------------------------------------

// Pieces of patterns; double-byte characters with trail bytes "\" (ソ) and "|" (ポ).
const char* const kAtoms[] = {"a",    "b",    "ソ",      "ポ",    "\\\\",  "\\|",     ".",
                              "[ab]", "[^a]", "[ソ-ポ]", "[^ソ]", "\\x61", "[a-bポ]", "あ"};
const char* const kTextChars[] = {"a", "b", "ソ", "ポ", "\\", "|", " ", "\r\n", "　", "あ", "c"};

std::string RandomPattern(std::mt19937& rng, int depth) {
  const int choice = static_cast<int>(rng() % (depth > 3 ? 2 : 7));
  switch (choice) {
    case 0:
    case 1:
      return kAtoms[rng() % std::size(kAtoms)];
    case 2:
      return RandomPattern(rng, depth + 1) + RandomPattern(rng, depth + 1);
    case 3:
      return RandomPattern(rng, depth + 1) + "|" + RandomPattern(rng, depth + 1);
    case 4:
      return "(" + RandomPattern(rng, depth + 1) + ")*";
    case 5:
      return "(" + RandomPattern(rng, depth + 1) + ")+";
    default:
      return "(" + RandomPattern(rng, depth + 1) + ")?";
  }
}

std::string RandomText(std::mt19937& rng) {
  std::string text;
  const int n = static_cast<int>(rng() % 14);
  for (int i = 0; i < n; ++i) text += kTextChars[rng() % std::size(kTextChars)];
  if (rng() % 10 == 0) text += '\x83';  // a lone lead byte at the end
  return text;
}

TEST(RegexMatcherTest, AllPathsAgreeWithTheReference) {
  std::mt19937 rng(12345);
  int matched = 0;
  for (int round = 0; round < 1500; ++round) {
    const std::string pattern = RandomPattern(rng, 0);
    TREAutomaton normal(pattern);
    TREAutomaton tiny_budget(pattern, 1);
    TREAutomaton backward(pattern);
    backward.set_attempt_steps_per_byte(-1000000);  // straight to the backward scan
    for (int t = 0; t < 20; ++t) {
      const std::string text = RandomText(rng);
      const ReferenceMatch want = ReferenceMatchText(pattern, text);
      ReferenceMatch got;
      normal.Match(text, &got.start, &got.length);
      ASSERT_EQ(got, want) << "pattern " << pattern << " text " << text;
      tiny_budget.Match(text, &got.start, &got.length);
      ASSERT_EQ(got, want) << "tiny budget: pattern " << pattern << " text " << text;
      backward.Match(text, &got.start, &got.length);
      ASSERT_EQ(got, want) << "backward: pattern " << pattern << " text " << text;
      ASSERT_EQ(normal.Find(text), want.start > 0) << "pattern " << pattern << " text " << text;
      ASSERT_EQ(tiny_budget.Find(text), want.start > 0) << pattern;
      matched += want.start > 0;
    }
  }
  EXPECT_GT(matched, 3000);  // the generator must produce both outcomes
}

}  // namespace
}  // namespace lorvane
