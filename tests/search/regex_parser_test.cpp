// Parser: trees (as compact dumps), disjoint leaves, errors with their positions.

#include "search/regex_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "search/regex_error.h"
#include "support/tree_dump.h"

namespace lorvane {
namespace {

using testing::DumpLeaves;
using testing::DumpTree;

std::string Parse(const std::string& pattern) {
  TREParser p(pattern);
  p.Run();
  return DumpTree(p.Tree().root());
}

std::string Leaves(const std::string& pattern) {
  TREParser p(pattern);
  p.Run();
  return DumpLeaves(p.Tree());
}

std::string ParseError(const std::string& pattern) {
  try {
    Parse(pattern);
  } catch (const ERegExpParser& e) {
    return e.what();
  }
  return "no error";
}

TEST(RegexParserTest, Trees) {
  const struct {
    const char* pattern;
    const char* tree;
  } kCases[] = {
      {"", "empty"},
      {"()", "empty"},
      {"a|", "alt(a,empty)"},
      {"|", "alt(empty,empty)"},
      {"|a", "alt(empty,a)"},
      {"ab", "cat(a,b)"},
      {"abc", "cat(cat(a,b),c)"},
      {"a|b|c", "alt(alt(a,b),c)"},
      {"ab|cd", "alt(cat(a,b),cat(c,d))"},
      {"ab*", "cat(a,star(b))"},
      {"a+", "cat(a,star(a))"},
      {"a?", "alt(a,empty)"},
      {"(ab)*c", "cat(star(cat(a,b)),c)"},
      {"(a|b)+", "cat(alt(a,b),star(alt(a,b)))"},
      {"(a)(b)", "cat(a,b)"},
      {"^a$", "cat(cat(^,a),$)"},
      {"a{2}", "cat(cat(cat(a,{),2),})"},
      {"[abc]", "alt(alt(a,b),c)"},
      {"[b]", "b"},
      {"\\.\\*", "cat(.,*)"},
      {"あソ", "cat(あ,ソ)"},
      {"ソ|ポ", "alt(ソ,ポ)"},
      {".", "alt(alt(\\x0001-\\x0009,\\x000B-\\x000C),\\x000E-\\xFCFC)"},
      {"[^a]", "alt(alt(alt(\\x0001-\\x0009,\\x000B-\\x000C),\\x000E-`),b-\\xFCFC)"},
      {"[^\\n\\r]", "alt(alt(\\x0001-\\x0009,\\x000B-\\x000C),\\x000E-\\xFCFC)"},
      {"[^\\x01-\\xfcfc]", "\\x0000"},  // excludes everything: matches nothing
      {"[a-z]x", "cat(alt(alt(a-w,x),y-z),x)"},
      {"[a-z]|[m-q]", "alt(alt(alt(a-l,m-q),r-z),m-q)"},
  };
  for (const auto& c : kCases) EXPECT_EQ(Parse(c.pattern), c.tree) << "pattern " << c.pattern;
}

TEST(RegexParserTest, LeavesAreDisjointAfterSplitting) {
  EXPECT_EQ(Leaves("[a-z]|[m-q]"), "a-l m-q r-z");
  EXPECT_EQ(Leaves("[a-z]x"), "a-w x y-z");
  EXPECT_EQ(Leaves("[a-c][b-d]"), "a b-c d");
  EXPECT_EQ(Leaves("[a-d][b-c]"), "a b-c d");
  EXPECT_EQ(Leaves("[a-c][a-e]"), "a-c d-e");
  EXPECT_EQ(Leaves("[c-e][a-e]"), "a-b c-e");
  EXPECT_EQ(Leaves("aa+a*"), "a");
  EXPECT_EQ(Leaves("[ぁ-ん]あ"), "ぁ あ ぃ-ん");
}

TEST(RegexParserTest, SharedLeafIsTheSameNode) {
  TREParser p("[a-z]x");
  p.Run();
  const TRENode* root = p.Tree().root();
  ASSERT_EQ(root->op, reop_Concat);
  const TRENode* trailing_x = root->right;
  const TRENode* class_x = root->left->left->right;  // alt(alt(a-w, x), y-z)
  EXPECT_EQ(trailing_x, class_x);
  EXPECT_EQ(trailing_x->op, reop_Char);
}

TEST(RegexParserTest, RandomClassesSplitIntoDisjointCoveringLeaves) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::string pattern;
    std::vector<std::pair<int, int>> ranges;
    const int members = 1 + static_cast<int>(rng() % 6);
    for (int m = 0; m < members; ++m) {
      int lo = 'a' + static_cast<int>(rng() % 20);
      int hi = lo + static_cast<int>(rng() % 6);
      ranges.emplace_back(lo, hi);
      pattern += "[" + std::string(1, static_cast<char>(lo)) + "-" +
                 std::string(1, static_cast<char>(hi)) + "]";
    }
    TREParser p(pattern);
    p.Run();
    const auto& leaves = p.Tree().leaves();
    for (size_t i = 0; i < leaves.size(); ++i) {
      for (size_t j = i + 1; j < leaves.size(); ++j) {
        EXPECT_TRUE(leaves[i]->hi < leaves[j]->lo || leaves[j]->hi < leaves[i]->lo) << pattern;
      }
    }
    // Every written range is exactly covered by leaves: each code of it is in one leaf, and
    // no leaf straddles its bounds.
    for (auto [lo, hi] : ranges) {
      for (const TRENode* leaf : leaves) {
        const bool inside = leaf->lo >= lo && leaf->hi <= hi;
        const bool outside = leaf->hi < lo || leaf->lo > hi;
        EXPECT_TRUE(inside || outside) << pattern;
      }
    }
  }
}

TEST(RegexParserTest, ErrorsAndPositions) {
  const struct {
    const char* pattern;
    const char* error;
  } kCases[] = {
      {"a**", "文字か、左括弧 \"(\" が必要です(4)"},
      {"a+?", "文字か、左括弧 \"(\" が必要です(4)"},
      {"*a", "文字か、左括弧 \"(\" が必要です(2)"},
      {"a|*", "文字か、左括弧 \"(\" が必要です(4)"},
      {"]", "文字か、左括弧 \"(\" が必要です(2)"},
      {"(+)", "文字か、左括弧 \"(\" が必要です(3)"},
      {"a)", "正規表現の末尾が変です(4)"},
      {"a))", "正規表現の末尾が変です(4)"},
      {"(a", "右括弧 \")\" が必要です(4)"},
      {"(", "右括弧 \")\" が必要です(3)"},
      {"((a)", "右括弧 \")\" が必要です(6)"},
      {"[", "右ブラケット \"]\" が必要です(3)"},
      {"[]", "キャラクタクラス指定が変です(3)"},
      {"[^]", "キャラクタクラス指定が変です(4)"},
      {"[z-a]", "キャラクタ範囲の指定が変です(5)"},
      {"あ\x82", "２バイト文字コードの２バイト目がありません(4)"},
  };
  for (const auto& c : kCases) EXPECT_EQ(ParseError(c.pattern), c.error) << "pattern " << c.pattern;
}

TEST(RegexParserTest, DeepNestingNeedsNoDeepStack) {
  const int depth = 200000;
  const std::string pattern = std::string(depth, '(') + "a" + std::string(depth, ')');
  EXPECT_EQ(Parse(pattern), "a");
  EXPECT_EQ(ParseError(std::string(depth, '(') + "a"),
            "右括弧 \")\" が必要です(" + std::to_string(depth + 3) + ")");
}

}  // namespace
}  // namespace lorvane
