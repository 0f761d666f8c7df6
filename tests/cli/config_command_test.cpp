// lorvane-cli config: the settings file through the command line.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"

namespace lorvane::cli {
namespace {

class ConfigCommandTest : public FakePrefixCliTest {
 protected:
  std::string File() const { return prefix_.scratch().ReadFile("lorvane.ini"); }
};

TEST_F(ConfigCommandTest, SetStoresEachTypeInItsTextForm) {
  EXPECT_EQ(Run({"config", "set", "Option", "Length Limit", "Boolean", "False"}).status, 0);
  EXPECT_EQ(Run({"config", "set", "Display", "Tree Width", "Integer", "007"}).status, 0);
  EXPECT_EQ(Run({"config", "set", "Display", "Ratio", "Float", "1.5"}).status, 0);
  EXPECT_EQ(Run({"config", "set", "Display", "Neg", "Float", "-0.25"}).status, 0);
  EXPECT_EQ(Run({"config", "set", "Display", "Whole", "Float", "3"}).status, 0);
  EXPECT_EQ(Run({"config", "set", "Alias", "When", "Date", "2026/12/06 07:59:17"}).status, 0);
  EXPECT_EQ(Run({"config", "set", "Keyword", "History[0]", "String", "50% 受信"}).status, 0);
  EXPECT_EQ(Run({"config", "set", "", "Top", "String", ""}).status, 0);
  // The writer sorts by upper-cased key.
  EXPECT_EQ(Run({"config", "list"}).out,
            "Alias\\When\tD\t2026/12/06 07:59:17\n"
            "Display\\Neg\tF\t-0.25\n"
            "Display\\Ratio\tF\t1.5\n"
            "Display\\Tree Width\tI\t7\n"
            "Display\\Whole\tF\t3\n"
            "Keyword\\History[0]\tS\t50%% 受信\n"
            "Option\\Length Limit\tB\tFalse\n"
            "Top\tS\t\n");
  EXPECT_EQ(Run({"config", "get", "Keyword", "History[0]"}).out, "50% 受信\n");
  EXPECT_EQ(Run({"config", "get", "display", "tree width"}).out, "7\n");
  EXPECT_EQ(Run({"config", "get", "", "Top"}).out, "\n");
  EXPECT_EQ(Run({"config", "get", "Option", "Length Limit"}).out, "False\n");
  // The file itself: the writer's layout, CR LF, CP932.
  const std::string file = File();
  EXPECT_EQ(file.substr(0, 45), "<?xml version='1.0' encoding='Shift_JIS' ?>\r\n");
  EXPECT_NE(file.find("  <History[0] Type=\"String\">50%% \x8E\xF3\x90\x4D</History[0]>\r\n"),
            std::string::npos);
}

TEST_F(ConfigCommandTest, MissingFileUnsetAndAbsentValues) {
  const Result missing_file = Run({"config", "list"});
  EXPECT_EQ(missing_file.status, 0);
  EXPECT_EQ(missing_file.out, "");
  EXPECT_EQ(Run({"config", "get", "Option", "Nothing"}).status, 1);
  Run({"config", "set", "Mailers\\Becky", "Hidden", "Boolean", "True"});
  EXPECT_EQ(Run({"config", "get", "Mailers\\Becky", "Hidden"}).out, "True\n");
  EXPECT_EQ(Run({"config", "unset", "Mailers\\Becky", "Hidden"}).status, 0);
  EXPECT_EQ(Run({"config", "get", "Mailers\\Becky", "Hidden"}).status, 1);
  EXPECT_EQ(Run({"config", "list"}).out, "");
}

TEST_F(ConfigCommandTest, MalformedValuesChangeNothing) {
  Run({"config", "set", "A", "B", "String", "x"});
  const std::string before = File();
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"Integer", "12x"},
                                              {"Integer", "2147483648"},
                                              {"Integer", ""},
                                              {"Float", "1.5.2"},
                                              {"Float", "nan"},
                                              {"Boolean", "yes"},
                                              {"Date", "2026-12-06"},
                                              {"Date", "2026/02/30 00:00:00"},
                                              {"Text", "x"}}) {
    const Result r = Run({"config", "set", "A", "B", bad[0], bad[1]});
    EXPECT_EQ(r.status, 2) << bad[0] << " " << bad[1];
    EXPECT_EQ(File(), before);
  }
  EXPECT_EQ(Run({"config", "set", "A", "B", "Integer", "-2147483648"}).status, 0);
  EXPECT_EQ(Run({"config", "bogus"}).status, 2);
  EXPECT_EQ(Run({"config", "get", "A"}).status, 2);
}

TEST_F(ConfigCommandTest, ListShowsAHandWrittenFileAsItStands) {
  prefix_.scratch().WriteFile("lorvane.ini",
                              "<?xml version='1.0' encoding='Shift_JIS' ?>\r\n"
                              "<IniFile version='1.0'>\r\n"
                              " <Zeta>\r\n"
                              "  <B Type=\"boolean\">true</B>\r\n"
                              " </Zeta>\r\n"
                              " <Alpha Type=\"\">odd</Alpha>\r\n"
                              " <Tab Type=\"String\">a%09b</Tab>\r\n"
                              "</IniFile>\r\n");
  EXPECT_EQ(Run({"config", "list"}).out, "Zeta\\B\tB\ttrue\nAlpha\t\todd\nTab\tS\ta%09b\n");
  EXPECT_EQ(Run({"config", "get", "Zeta", "B"}).out, "False\n");  // only "True" is true
  EXPECT_EQ(Run({"config", "get", "", "Tab"}).out, "a\tb\n");
}

TEST_F(ConfigCommandTest, TheNamedFileIsUsedWhateverItsExtension) {
  settings_ = prefix_.scratch().Path("work.cfg");
  EXPECT_EQ(Run({"config", "set", "Option", "RegExp", "Boolean", "True"}).status, 0);
  EXPECT_TRUE(prefix_.scratch().Exists("work.cfg"));
  EXPECT_FALSE(prefix_.scratch().Exists("work.ini"));
  EXPECT_EQ(Run({"config", "get", "Option", "RegExp"}).out, "True\n");
}

TEST_F(ConfigCommandTest, FailedWriteIsReportedAndLeavesNoFile) {
  const std::string nowhere = prefix_.scratch().Path("missing-dir/lorvane.ini");
  const Result r = Cli({"--wine-prefix", prefix_.prefix(), "--settings", nowhere, "config", "set",
                        "A", "B", "String", "x", "/JAPANESE"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ファイルエラー"), std::string::npos) << r.err;
  const Result english = Cli({"/english", "--wine-prefix", prefix_.prefix(), "--settings", nowhere,
                              "config", "set", "A", "B", "String", "x"});
  EXPECT_NE(english.err.find("can not be created"), std::string::npos) << english.err;
  EXPECT_FALSE(prefix_.scratch().Exists("missing-dir"));
}

}  // namespace
}  // namespace lorvane::cli
