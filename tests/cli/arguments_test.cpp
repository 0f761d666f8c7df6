// Command-line argument parsing.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

#include "cli/arguments.h"

#include <gtest/gtest.h>

namespace lorvane::cli {
namespace {

const std::vector<OptionDef> kDefs = {
    {"--flag", false}, {"--value", true}, {"--on", false}, {"--off", false}};

TEST(ArgumentsTest, OptionsValuesAndPositionals) {
  ParsedArguments p;
  std::string error;
  ASSERT_TRUE(
      ParseArguments({"a", "--flag", "--value", "v1", "b", "--value=v2"}, kDefs, &p, &error));
  EXPECT_TRUE(p.Has("--flag"));
  EXPECT_EQ(p.Value("--value"), "v2");
  EXPECT_EQ(p.Values("--value"), (std::vector<std::string>{"v1", "v2"}));
  EXPECT_EQ(p.positionals, (std::vector<std::string>{"a", "b"}));
}

TEST(ArgumentsTest, DoubleDashAndNegativeNumbers) {
  ParsedArguments p;
  std::string error;
  ASSERT_TRUE(ParseArguments({"0", "-1", "--", "--flag", "-x"}, kDefs, &p, &error));
  EXPECT_FALSE(p.Has("--flag"));
  EXPECT_EQ(p.positionals, (std::vector<std::string>{"0", "-1", "--flag", "-x"}));
}

TEST(ArgumentsTest, LastOfOppositeSwitchesWins) {
  ParsedArguments p;
  std::string error;
  ASSERT_TRUE(ParseArguments({"--on", "--off"}, kDefs, &p, &error));
  EXPECT_FALSE(p.Switch("--on", "--off", true));
  ASSERT_TRUE(ParseArguments({"--off", "--on"}, kDefs, &p, &error));
  EXPECT_TRUE(p.Switch("--on", "--off", false));
  ASSERT_TRUE(ParseArguments({}, kDefs, &p, &error));
  EXPECT_TRUE(p.Switch("--on", "--off", true));
}

TEST(ArgumentsTest, Errors) {
  ParsedArguments p;
  std::string error;
  EXPECT_FALSE(ParseArguments({"--nope"}, kDefs, &p, &error));
  EXPECT_EQ(error, "unknown option '--nope'");
  EXPECT_FALSE(ParseArguments({"--value"}, kDefs, &p, &error));
  EXPECT_EQ(error, "option '--value' needs a value");
  EXPECT_FALSE(ParseArguments({"--flag=1"}, kDefs, &p, &error));
  EXPECT_FALSE(ParseArguments({"-x"}, kDefs, &p, &error));
}

}  // namespace
}  // namespace lorvane::cli
