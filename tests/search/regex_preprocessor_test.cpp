// Fuzzy expansion of patterns.

#include "search/regex_preprocessor.h"

#include <gtest/gtest.h>

#include "search/regex_error.h"

namespace lorvane {
namespace {

std::string Expand(const std::string& pattern, bool fuzzy = true) {
  TREPreProcessor p;
  p.AddDictionary(&FuzzyCharDic());
  p.SetUseFuzzyCharDic(fuzzy);
  p.Run(pattern);
  return p.Output();
}

const char* const kRowA = "(Ａ|ａ|A|a|@|＠|Å)";

TEST(RegexPreprocessorTest, ExpandsCharactersOutsideBrackets) {
  EXPECT_EQ(Expand("a*"), std::string(kRowA) + "*");
  EXPECT_EQ(Expand("(a)"), "(" + std::string(kRowA) + ")");
  EXPECT_EQ(Expand("[a]"), "[a]");
  EXPECT_EQ(Expand("[^a-c]x"), "[^a-c](X|x|Ｘ|ｘ|×)");
  EXPECT_EQ(Expand("a|."), std::string(kRowA) + "|.");
  EXPECT_EQ(Expand("\\x41"), kRowA);    // an escape counts as its character
  EXPECT_EQ(Expand("漢"), "漢");        // in no row: copied
  EXPECT_EQ(Expand("\\x7f"), "\\x7f");  // copied as its source text
}

TEST(RegexPreprocessorTest, EarlierRowsWinAndItemsAreEscaped) {
  EXPECT_EQ(Expand("O"), "(0|０|O|o|Ｏ|ｏ|○|●|◎|〇|。|｡)");  // row 13, not row 29
  EXPECT_EQ(Expand("1"), "(1|１|一|①|Ⅰ|壱|\\||｜)");
  EXPECT_EQ(Expand("\\\\"), "(\\\\|￥|＼)");
  EXPECT_EQ(Expand("\\."), "(,|，|､|、|｡|\\.|。|．|･|・|:|：|;|；)");
  EXPECT_EQ(Expand("ー"), "(ー|ｰ|－|-|～|_|＿|~|￣|=|＝|±|〓||)");
  // "う" stands in row 77 before the two-character item "うぁ" of row 118.
  EXPECT_EQ(Expand("うぁ"), "(う|ウ|ｳ|ぅ|ゥ|ｩ)(あ|ア|ｱ|ぁ|ァ|ｧ)");
}

TEST(RegexPreprocessorTest, MultiCharacterItems) {
  EXPECT_EQ(Expand("ｶﾞ"), "(が|ガ|ｶﾞ|か゛|カ゛)");
  EXPECT_EQ(Expand("ヴァ"), "(ば|バ|ﾊﾞ|は゛|ハ゛|ヴァ|う゛ぁ|ウ゛ァ|ｳﾞｧ)");
  // An operator between the two characters breaks the item.
  EXPECT_EQ(Expand("ｶ*ﾞ"), "(か|カ|ｶ|ヵ)*(ﾞ|゛)");
  EXPECT_EQ(Expand("ｶﾞ*"), "(が|ガ|ｶﾞ|か゛|カ゛)*");
}

TEST(RegexPreprocessorTest, OffMeansUnchanged) {
  EXPECT_EQ(Expand("a[b", false), "a[b");
  EXPECT_EQ(Expand("", true), "");
}

TEST(RegexPreprocessorTest, ScannerErrorsLeaveTheOutputEmpty) {
  TREPreProcessor p;
  p.AddDictionary(&FuzzyCharDic());
  p.SetUseFuzzyCharDic(true);
  try {
    p.Run("[abc");
    FAIL();
  } catch (const ERegExpParser& e) {
    EXPECT_EQ(e.Position(), 6);
  }
  EXPECT_EQ(p.Output(), "");
  p.Run("a)");  // grammar errors are not the scanner's business
  EXPECT_EQ(p.Output(), std::string(kRowA) + ")");
}

}  // namespace
}  // namespace lorvane
