// The plain substring search of the keyword query's fast path.

#include "search/substring_finder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace lorvane {
namespace {

TEST(SubstringFinderTest, FindsAnywhereIncludingTheEdges) {
  TSubstringFinder f("needle");
  EXPECT_TRUE(f.Find("needle"));
  EXPECT_TRUE(f.Find("a needle in"));
  EXPECT_TRUE(f.Find("xxneedle"));
  EXPECT_FALSE(f.Find("needl"));
  EXPECT_FALSE(f.Find("eedle needl"));
  EXPECT_FALSE(f.Find(""));
  EXPECT_TRUE(TSubstringFinder("").Find(""));
  EXPECT_TRUE(TSubstringFinder("x").Find("abcx"));
  EXPECT_TRUE(TSubstringFinder("検索").Find("全文検索"));
}

TEST(SubstringFinderTest, AgreesWithStdFindOnRepetitiveText) {
  // Many candidates for the rare byte push the search over to memmem; results stay equal.
  std::mt19937 rng(99);
  for (int round = 0; round < 2000; ++round) {
    std::string hay;
    const int n = static_cast<int>(rng() % 3000);
    for (int i = 0; i < n; ++i) hay += "ab"[rng() % 2];
    std::string needle;
    const int m = 1 + static_cast<int>(rng() % 12);
    for (int i = 0; i < m; ++i) needle += "ab"[rng() % 2];
    EXPECT_EQ(TSubstringFinder(needle).Find(hay), hay.find(needle) != std::string::npos) << needle;
  }
  const std::string zeros(100000, '\0');
  EXPECT_TRUE(TSubstringFinder(std::string(50, '\0') + "z").Find(zeros + "z"));
  EXPECT_FALSE(TSubstringFinder(std::string(50, '\0') + "z").Find(zeros));
}

}  // namespace
}  // namespace lorvane
