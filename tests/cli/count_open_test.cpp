// lorvane-cli count --open: Count.txt beside the settings file and the application that
// would open it, over a fixture prefix's registry.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

#include <gtest/gtest.h>

#include <string>

#include "common/codepage.h"
#include "user_directories_cli.h"

namespace lorvane::cli {
namespace {

class CountOpenTest : public UserDirectoriesCliTest {
 protected:
  CountOpenTest() { EXPECT_EQ(Run({"search", "--save", Saved(), "の"}).status, 0); }
};

TEST_F(CountOpenTest, WritesTheReportAndPrintsTheApplication) {
  // Only ".txt" is associated: its program, its parameters with the report's path.
  Associate(".txt", "\"C:\\Program Files\\Hidemaru\\Hidemaru.exe\" /r \"%1\"");
  fixture_.WriteFile("C:\\Program Files\\Hidemaru\\Hidemaru.exe", "MZ");
  Result r = Run({"count", Saved(), "--open", "--dry-run"});
  ASSERT_EQ(r.status, 0) << r.err;
  const size_t tab = r.out.find('\t');
  ASSERT_NE(tab, std::string::npos);
  EXPECT_EQ(r.out.substr(0, tab), "C:\\Program Files\\Hidemaru\\Hidemaru.exe");
  EXPECT_EQ(r.out.substr(tab + 1, 4), "/r \"");
  EXPECT_EQ(r.out.substr(r.out.size() - 12), "\\Count.txt\"\n");
  const std::string report = scratch_.ReadFile("Count.txt");
  EXPECT_NE(report.find(Utf8ToCp932Lossy("\r\n発信日別\r\n\r\n    1 2006-12-05\r\n    2 2026-12-07\r\n")),
            std::string::npos);
  EXPECT_EQ(Run({"count", Saved(), "--dry-run"}).status, 2);  // only with --open
}

}  // namespace
}  // namespace lorvane::cli
