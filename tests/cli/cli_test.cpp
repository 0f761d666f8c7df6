// lorvane-cli's match and query commands: in-process through RunCli, and end to end
// through the built program. This file is plain UTF-8, like a terminal.

#include "cli/cli_runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lorvane::cli {
namespace {

TEST(CliMatchTest, ReportsPositionInCp932Bytes) {
  EXPECT_EQ(Cli({"match", "ab"}, "xab").out, "errorpos 0\nmatch 2 2\n");
  // 全文 is four bytes in CP932 (six in UTF-8).
  const Result r = Cli({"match", "検索"}, "全文検索");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "errorpos 0\nmatch 5 4\n");
}

TEST(CliMatchTest, NoMatchAndEmptyInput) {
  Result r = Cli({"match", "zz"}, "abc");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "errorpos 0\nmatch 0 0\n");
  r = Cli({"match", ""}, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "errorpos 0\nmatch 1 0\n");
}

TEST(CliMatchTest, PatternErrorGoesToStandardError) {
  const Result r = Cli({"match", "a)"}, "a)");
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "errorpos 4\n");
  EXPECT_EQ(r.err, "正規表現の末尾が変です(4)\n");
}

TEST(CliMatchTest, FuzzyAndPlain) {
  Result r = Cli({"match", "--fuzzy", "[abc"}, "zzz");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "errorpos 6\nmatch 1 0\n");
  r = Cli({"match", "--fuzzy", "サーバ"}, "新しいｻｰﾊﾞ");
  EXPECT_EQ(r.out, "errorpos 0\nmatch 7 4\n");
  r = Cli({"match", "--plain", "a.b"}, "axb a.b");
  EXPECT_EQ(r.out, "errorpos 0\nmatch 5 3\n");
}

TEST(CliMatchTest, DoubleDashAllowsALeadingMinus) {
  const Result r = Cli({"match", "--", "-a"}, "b-a");
  EXPECT_EQ(r.out, "errorpos 0\nmatch 2 2\n");
}

TEST(CliMatchTest, Cp932PassesBytesThrough) {
  const std::string sjis_ken = "\x8C\x9F";  // 検 in CP932
  const Result r = Cli({"--encoding", "cp932", "match", sjis_ken}, "a\x8C\x9F");
  EXPECT_EQ(r.out, "errorpos 0\nmatch 2 2\n");
}

TEST(CliMatchTest, UsageErrors) {
  EXPECT_EQ(Cli({"match"}).status, 2);
  EXPECT_EQ(Cli({"match", "a", "b"}).status, 2);
  EXPECT_EQ(Cli({"match", "--bogus", "a"}).status, 2);
  EXPECT_EQ(Cli({"frobnicate"}).status, 2);
  EXPECT_EQ(Cli({}).status, 2);
  EXPECT_EQ(Cli({"--encoding", "latin1", "match", "a"}).status, 2);
  const Result bad_input = Cli({"match", "a"}, "a\xFF");
  EXPECT_EQ(bad_input.status, 2);
  EXPECT_NE(bad_input.err.find("standard input does not convert"), std::string::npos);
  // A character CP932 does not have (U+00C5) is refused, not dropped.
  EXPECT_EQ(Cli({"match", "\xC3\x85"}).status, 2);
}

TEST(CliMatchTest, HelpTexts) {
  Result r = Cli({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Usage: lorvane-cli"), std::string::npos);
  r = Cli({"match", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Usage: lorvane-cli match"), std::string::npos);
  r = Cli({"query", "--help"});
  EXPECT_NE(r.out.find("Usage: lorvane-cli query"), std::string::npos);
}

TEST(CliQueryTest, PrintsRunsErrorAndMatch) {
  const Result r = Cli({"query", "foo", "bar"}, "bar and foo");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "run blue {\nrun black foo\nrun blue }\nrun blue  * \nrun blue {\nrun black bar\n"
            "run blue }\nerror no\nmatch yes\n");
}

TEST(CliQueryTest, MethodsAndSwitches) {
  EXPECT_EQ(Cli({"query", "--method", "or", "foo", "bar"}, "bar").status, 0);
  EXPECT_EQ(Cli({"query", "foo", "bar"}, "bar").status, 1);
  // Powerful by default: full-width letters match.
  EXPECT_EQ(Cli({"query", "mail"}, "ＭＡＩＬ").status, 0);
  EXPECT_EQ(Cli({"query", "--no-powerful", "mail"}, "ＭＡＩＬ").status, 1);
  EXPECT_EQ(Cli({"query", "--regexp", "--no-powerful", "m.il"}, "mail").status, 0);
  EXPECT_EQ(Cli({"query", "--regexp", "--no-regexp", "--no-powerful", "m.il"}, "mail").status, 1);
  EXPECT_EQ(Cli({"query", "--method", "xor", "a"}).status, 2);
}

TEST(CliQueryTest, PatternErrorExitsThree) {
  const Result r = Cli({"query", "--method", "logic", "{a}", "{b}"}, "ab");
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out,
            "run blue {\nrun black a\nrun blue }\nrun blue {\nrun red b\nrun blue }\n"
            "error yes\nmatch no\n");
}

TEST(CliQueryTest, RunsKeepWholeJapaneseCharacters) {
  const Result r = Cli({"query", "--regexp", "--no-powerful", "[ん-あ]"}, "");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.out.find("run red あ\n"), std::string::npos) << r.out;
}

// ---- the built program -----------------------------------------------------------

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

Result RunProgram(const std::string& args, const std::string& input) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("lorvane-cli-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "in", std::ios::binary) << input;
  const std::string command = std::string(LORVANE_CLI_PATH) + " " + args + " < " +
                              (dir / "in").string() + " > " + (dir / "out").string() + " 2> " +
                              (dir / "err").string();
  const int raw = std::system(command.c_str());
  Result r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(dir / "out"), ReadFile(dir / "err")};
  std::filesystem::remove_all(dir);
  return r;
}

TEST(CliProgramTest, MatchAndQueryEndToEnd) {
  Result r = RunProgram("match 'ソフト'", "メールソフト");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "errorpos 0\nmatch 7 6\n");
  r = RunProgram("match '(a'", "a");
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "errorpos 4\n");
  EXPECT_EQ(r.err, "右括弧 \")\" が必要です(4)\n");
  r = RunProgram("query --method logic -- '{メール}*!{広告}'", "メールです");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("run black メール\n"), std::string::npos);
  EXPECT_NE(r.out.find("match yes\n"), std::string::npos);
}

}  // namespace
}  // namespace lorvane::cli
