// lorvane-cli tree and mails over a fixture prefix with user directories.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

#include <gtest/gtest.h>

#include <string>

#include "user_directories_cli.h"

namespace lorvane::cli {
namespace {

class TreeCommandTest : public UserDirectoriesCliTest {};

TEST_F(TreeCommandTest, TreeInDisplayOrder) {
  const Result r = Run({"tree"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "[ ] Directory\n"
            "  [x] C:\\Users\\taro\\Documents\\Mail    C:\\Users\\taro\\Documents\\Mail\\\n"
            "    [x] 2025    C:\\Users\\taro\\Documents\\Mail\\2025\\\n"
            "    [x] 仕事    C:\\Users\\taro\\Documents\\Mail\\仕事\\\n"
            "  [x] C:\\Users\\taro\\Desktop\\メモ    C:\\Users\\taro\\Desktop\\メモ\\\n");
  // The detection log lies beside the settings file.
  EXPECT_TRUE(scratch_.Exists("lorvane.log"));
}

TEST_F(TreeCommandTest, TsvShowsStoredAndShownStates) {
  Run({"config", "set", "Mailers\\Directory\\Dir1", "Status", "Integer", "3"});
  const Result r = Run({"tree", "--tsv"});
  EXPECT_EQ(r.out,
            "0\t1\t1\tE\t0\t2\t0\tDirectory\tDirectory\t\n"
            "1\t3\t3\tE\t1\t1\t0\tDirectory\\C:\\Users\\taro\\Documents\\Mail\tDirectory\\Dir1\t"
            "C:\\Users\\taro\\Documents\\Mail\\\n"
            "2\t5\t2\tE\t1\t1\t0\tDirectory\\C:\\Users\\taro\\Documents\\Mail\\2025\t"
            "Directory\\Dir1\\2025\tC:\\Users\\taro\\Documents\\Mail\\2025\\\n"
            "2\t5\t2\tE\t1\t1\t0\tDirectory\\C:\\Users\\taro\\Documents\\Mail\\仕事\t"
            "Directory\\Dir1\\仕事\tC:\\Users\\taro\\Documents\\Mail\\仕事\\\n"
            "1\t2\t2\tE\t1\t1\t0\tDirectory\\C:\\Users\\taro\\Desktop\\メモ\tDirectory\\Dir2\t"
            "C:\\Users\\taro\\Desktop\\メモ\\\n");
}

TEST_F(TreeCommandTest, MailsOfAFolder) {
  Result r = Run({"mails", "Directory\\C:\\Users\\taro\\Documents\\Mail"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "C:\\Users\\taro\\Documents\\Mail\\README\t0\t-1\n"
            "C:\\Users\\taro\\Documents\\Mail\\release.txt\t0\t-1\n"
            "C:\\Users\\taro\\Documents\\Mail\\見積り.eml\t0\t-1\n");
  r = Run({"mails", "Directory\\Nowhere"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Nowhere"), std::string::npos);
  EXPECT_EQ(Run({"mails"}).status, 2);
}

}  // namespace
}  // namespace lorvane::cli
