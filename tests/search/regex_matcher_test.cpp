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

TEST(RegexMatcherTest, ShortestMatchAtTheLeftmostStart) {
  EXPECT_EQ(MatchOf("ab*", "abbb"), (ReferenceMatch{1, 1}));
  EXPECT_EQ(MatchOf("ab+", "abbb"), (ReferenceMatch{1, 2}));
  EXPECT_EQ(MatchOf("a|ab", "xab"), (ReferenceMatch{2, 1}));
  EXPECT_EQ(MatchOf("abcd|c", "abcd"), (ReferenceMatch{1, 4}));  // leftmost beats shorter
  EXPECT_EQ(MatchOf("b", "aaab"), (ReferenceMatch{4, 1}));
  EXPECT_EQ(MatchOf("xyz", "xyxyz"), (ReferenceMatch{3, 3}));
  EXPECT_EQ(MatchOf("abc", "ab"), (ReferenceMatch{0, 0}));
}

TEST(RegexMatcherTest, WhiteSpaceIsSkippedInsideAMatchButNeverStartsOne) {
  EXPECT_EQ(MatchOf("abc", "xa b\r\nc"), (ReferenceMatch{2, 6}));
  EXPECT_EQ(MatchOf("a", " a"), (ReferenceMatch{2, 1}));
  EXPECT_EQ(MatchOf("ab", "a　\tb"), (ReferenceMatch{1, 5}));  // ideographic space too
  EXPECT_EQ(MatchOf("a b", "a b"), (ReferenceMatch{0, 0}));    // a blank in the pattern
  EXPECT_EQ(MatchOf("a\\nb", "a\nb"), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf("ab*", "a bbb"), (ReferenceMatch{1, 1}));  // never ends on skipped space
  EXPECT_EQ(MatchOf("ab", "a b"), (ReferenceMatch{1, 3}));
}

TEST(RegexMatcherTest, EmptyPatternMatchesAtOne) {
  EXPECT_EQ(MatchOf("", "abc"), (ReferenceMatch{1, 0}));
  EXPECT_EQ(MatchOf("", ""), (ReferenceMatch{1, 0}));
  EXPECT_EQ(MatchOf("a*", " xyz"), (ReferenceMatch{1, 0}));
  EXPECT_EQ(MatchOf("()", std::string("\0a", 2)), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf("a", ""), (ReferenceMatch{0, 0}));
}

TEST(RegexMatcherTest, TextEndsAtNulOrALoneLeadByte) {
  EXPECT_EQ(MatchOf("c", std::string("ab\0c", 4)), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf("bc", std::string("ab\0c", 4)), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf(".", "\x82"), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf("a.", "a\x82"), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf("a", std::string("\x82\0a", 3)), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf("\\x0", std::string("a\0", 2)), (ReferenceMatch{0, 0}));  // code 0 never
}

TEST(RegexMatcherTest, DoubleByteCharactersAreWhole) {
  EXPECT_EQ(MatchOf("\\\\", "ソ\\"), (ReferenceMatch{3, 1}));  // not the trail of "ソ"
  EXPECT_EQ(MatchOf("\\|", "ポ|"), (ReferenceMatch{3, 1}));
  EXPECT_EQ(MatchOf("A", "アA"), (ReferenceMatch{3, 1}));  // "ア" is 0x83 0x41
  EXPECT_EQ(MatchOf("ソフト", "あソフトウェア"), (ReferenceMatch{3, 6}));
  EXPECT_EQ(MatchOf("[ぁ-ん]+", "カタカナとひらがな"), (ReferenceMatch{9, 2}));
  EXPECT_EQ(MatchOf("表.", "表示"), (ReferenceMatch{1, 4}));
}

TEST(RegexMatcherTest, DotAndNegatedClassesSkipLineEnds) {
  EXPECT_EQ(MatchOf("[^a]", "a\r\n"), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf("[^a]", "a\r\nb"), (ReferenceMatch{4, 1}));
  // "." cannot match a line end, but line ends are skipped between characters.
  EXPECT_EQ(MatchOf("a.b", "a\nxb"), (ReferenceMatch{1, 4}));
  EXPECT_EQ(MatchOf("a.b", "a\nb"), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf("[^\\x01-\\xfcfc]", "abc"), (ReferenceMatch{0, 0}));
  EXPECT_EQ(MatchOf("x[^\\x01-\\xfcfc]*", "abxc"), (ReferenceMatch{3, 1}));
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
  int with_bits = 0;
  for (int round = 0; round < 1500; ++round) {
    const std::string pattern = RandomPattern(rng, 0);
    TREAutomaton normal(pattern);
    TREAutomaton tiny_budget(pattern, 1);
    TREAutomaton backward(pattern);
    backward.ForTestingSetAttemptStepsPerByte(-1000000);  // straight to the backward scan
    TREAutomaton bits(pattern);
    const bool has_bits = bits.ForTestingUseBitParallel();
    TREAutomaton switching(pattern);  // leaves the DFAs at their first work check
    switching.ForTestingSetSwitchRule(1, 0);
    TREAutomaton unfiltered(pattern);
    unfiltered.ForTestingSetPrefilters(false);
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
      if (has_bits) {
        bits.Match(text, &got.start, &got.length);
        ASSERT_EQ(got, want) << "bit-parallel: pattern " << pattern << " text " << text;
        ASSERT_EQ(bits.Find(text), want.start > 0) << "bit-parallel: " << pattern;
      }
      switching.Match(text, &got.start, &got.length);
      ASSERT_EQ(got, want) << "switching: pattern " << pattern << " text " << text;
      unfiltered.Match(text, &got.start, &got.length);
      ASSERT_EQ(got, want) << "unfiltered: pattern " << pattern << " text " << text;
      ASSERT_EQ(normal.Find(text), want.start > 0) << "pattern " << pattern << " text " << text;
      ASSERT_EQ(tiny_budget.Find(text), want.start > 0) << pattern;
      ASSERT_EQ(switching.Find(text), want.start > 0) << "switching: " << pattern;
      ASSERT_EQ(unfiltered.Find(text), want.start > 0) << "unfiltered: " << pattern;
      with_bits += has_bits;
      matched += want.start > 0;
    }
  }
  EXPECT_GT(matched, 3000);  // the generator must produce both outcomes
  EXPECT_GT(with_bits, 20000);  // and the bit-parallel automaton must take most patterns
}

TEST(RegexMatcherTest, AThrashingDfaGivesWayToTheBitParallelAutomaton) {
  // Every byte of a random a/b run makes a new DFA state for "a", 254 dots, "c". The "c"
  // in front ends no match but keeps the required-character filter from refusing the text.
  std::mt19937 rng(3);
  std::string text = "c";
  for (int i = 0; i < 65536; ++i) text += "ab"[rng() % 2];
  const std::string pattern = "a" + std::string(254, '.') + "c";
  TREAutomaton find(pattern);
  EXPECT_FALSE(find.Find(text));
  EXPECT_EQ(find.Engine(), reeng_BitParallel);
  TREAutomaton match(pattern);
  int start = 0;
  int length = 0;
  text += "c";  // 255 characters before it, the last of them a random letter
  const int want = text[text.size() - 256] == 'a' ? static_cast<int>(text.size()) - 255 : 0;
  EXPECT_EQ(match.Match(text, &start, &length), want);
  EXPECT_EQ(length, want > 0 ? 256 : 0);
  EXPECT_EQ(match.Engine(), reeng_BitParallel);
}

}  // namespace
}  // namespace lorvane
