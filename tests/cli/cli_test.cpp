// lorvane-cli's match and query commands: in-process through RunCli, and end to end
// through the built program. This file is plain UTF-8, like a terminal.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

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

TEST(CliTest, MatchAndQueryInProcess) {
  const struct {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;  // "*" and a text: the output contains the text
    std::string err = "";
  } cases[] = {
      // Positions are in CP932 bytes: 全文 is four bytes (six in UTF-8).
      {{"match", "ab"}, "xab", 0, "errorpos 0\nmatch 2 2\n"},
      {{"match", "検索"}, "全文検索", 0, "errorpos 0\nmatch 5 4\n"},
      {{"match", "zz"}, "abc", 1, "errorpos 0\nmatch 0 0\n"},
      {{"match", ""}, "", 0, "errorpos 0\nmatch 1 0\n"},
      {{"match", "a)"}, "a)", 3, "errorpos 4\n", "正規表現の末尾が変です(4)\n"},
      {{"match", "--fuzzy", "[abc"}, "zzz", 0, "errorpos 6\nmatch 1 0\n"},
      {{"match", "--fuzzy", "サーバ"}, "新しいｻｰﾊﾞ", 0, "errorpos 0\nmatch 7 4\n"},
      {{"match", "--plain", "a.b"}, "axb a.b", 0, "errorpos 0\nmatch 5 3\n"},
      {{"match", "--", "-a"}, "b-a", 0, "errorpos 0\nmatch 2 2\n"},
      // 検 in CP932, passed through as bytes.
      {{"--encoding", "cp932", "match", "\x8C\x9F"}, "a\x8C\x9F", 0, "errorpos 0\nmatch 2 2\n"},
      {{"--help"}, "", 0, "*Usage: lorvane-cli"},
      {{"match", "--help"}, "", 0, "*Usage: lorvane-cli match"},
      {{"query", "--help"}, "", 0, "*Usage: lorvane-cli query"},
      {{"query", "foo", "bar"},
       "bar and foo",
       0,
       "run blue {\nrun black foo\nrun blue }\nrun blue  * \nrun blue {\nrun black bar\n"
       "run blue }\nerror no\nmatch yes\n"},
      {{"query", "--method", "logic", "{a}", "{b}"},
       "ab",
       3,
       "run blue {\nrun black a\nrun blue }\nrun blue {\nrun red b\nrun blue }\n"
       "error yes\nmatch no\n"},
      // Runs keep whole Japanese characters.
      {{"query", "--regexp", "--no-powerful", "[ん-あ]"}, "", 3, "*run red あ\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    const Result r = Cli(c.args, c.input);
    EXPECT_EQ(r.status, c.status);
    if (c.out.substr(0, 1) == "*") {
      EXPECT_NE(r.out.find(c.out.substr(1)), std::string::npos) << r.out;
    } else {
      EXPECT_EQ(r.out, c.out);
    }
    EXPECT_EQ(r.err, c.err);
  }
}

TEST(CliTest, QueryMethodsAndSwitches) {
  EXPECT_EQ(Cli({"query", "--method", "or", "foo", "bar"}, "bar").status, 0);
  EXPECT_EQ(Cli({"query", "foo", "bar"}, "bar").status, 1);
  // Powerful by default: full-width letters match.
  EXPECT_EQ(Cli({"query", "mail"}, "ＭＡＩＬ").status, 0);
  EXPECT_EQ(Cli({"query", "--no-powerful", "mail"}, "ＭＡＩＬ").status, 1);
  EXPECT_EQ(Cli({"query", "--regexp", "--no-powerful", "m.il"}, "mail").status, 0);
  EXPECT_EQ(Cli({"query", "--regexp", "--no-regexp", "--no-powerful", "m.il"}, "mail").status, 1);
}

TEST(CliTest, UsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"match"},
           {"match", "a", "b"},
           {"match", "--bogus", "a"},
           {"frobnicate"},
           {},
           {"--encoding", "latin1", "match", "a"},
           {"query", "--method", "xor", "a"},
           // A character CP932 does not have (U+00C5) is refused, not dropped.
           {"match", "\xC3\x85"}}) {
    EXPECT_EQ(Cli(args).status, 2) << (args.empty() ? "" : args.back());
  }
  const Result bad_input = Cli({"match", "a"}, "a\xFF");
  EXPECT_EQ(bad_input.status, 2);
  EXPECT_NE(bad_input.err.find("standard input does not convert"), std::string::npos);
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
