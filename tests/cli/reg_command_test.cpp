// lorvane-cli reg: registry values of a Wine prefix and of .reg exports.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "cli_runner.h"

namespace lorvane::cli {
namespace {

std::string DataFile(const std::string& name) {
  std::ifstream f(std::string(LORVANE_TEST_DATA_DIR) + "/wine/" + name, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

class RegCommandTest : public FakePrefixCliTest {
 protected:
  RegCommandTest() {
    prefix_.scratch().WriteFile("prefix/user.reg", DataFile("user.reg"));
    prefix_.scratch().WriteFile("prefix/system.reg", DataFile("system.reg"));
  }
};

const std::string kB2 = "\\HKEY_CURRENT_USER\\Software\\RimArts\\B2\\Settings";

TEST_F(RegCommandTest, ReadsValuesWrittenByWine) {
  EXPECT_EQ(Run({"reg", "get", kB2, "DataDir"}).out, "C:\\Becky!\\\n");
  EXPECT_EQ(Run({"reg", "get", kB2, "表示名"}).out, "ソフト表示ポ\n");
  EXPECT_EQ(Run({"reg", "get", kB2}).out, "B2既定\n");  // the default value
  EXPECT_EQ(Run({"reg", "get", kB2, "width", "--integer"}).out, "640\n");
  EXPECT_EQ(Run({"reg", "get", kB2, "Bin", "--bytes"}).out, "01 00 00 00\n");
  EXPECT_EQ(
      Run({"reg", "get", "\\hkey_current_user\\software\\rimarts\\b2\\settings", "Empty"}).status,
      0);
}

TEST_F(RegCommandTest, ListsKeysAndReportsWhatIsMissing) {
  EXPECT_EQ(Run({"reg", "keys", "\\HKEY_CURRENT_USER\\Software\\RimArts"}).out, "B2\nRebecca\n");
  EXPECT_EQ(Run({"reg", "keys", "\\HKEY_CURRENT_USER\\Software\\Nobody"}).status, 1);
  EXPECT_EQ(Run({"reg", "get", kB2, "Nothing"}).status, 1);
  EXPECT_EQ(Run({"reg", "get", "Relative\\Key", "X"}).status, 1);
  EXPECT_EQ(Run({"reg", "get", "\\HKEY_NOWHERE\\X", "Y"}).status, 2);
  EXPECT_EQ(Run({"reg", "list", kB2}).status, 2);
}

TEST_F(RegCommandTest, ExportsOverlayThePrefixInOrder) {
  const std::string first = prefix_.scratch().Path("first.reg");
  const std::string second = prefix_.scratch().Path("second.reg");
  std::ofstream(first) << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\RimArts\\B2\\Settings]\r\n"
                          "\"DataDir\"=\"D:\\\\Mail\\\\\"\r\n";
  std::ofstream(second)
      << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\RimArts\\B2\\Settings]\r\n"
         "\"DataDir\"=-\r\n";
  EXPECT_EQ(Run({"--registry", first, "reg", "get", kB2, "DataDir"}).out, "D:\\Mail\\\n");
  EXPECT_EQ(Run({"--registry", first, "--registry", second, "reg", "get", kB2, "DataDir"}).status,
            1);
  const Result missing =
      Run({"--registry", prefix_.scratch().Path("none.reg"), "reg", "keys", kB2});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("none.reg"), std::string::npos);
}

TEST(RegCommandNoPrefixTest, ExportsAloneWork) {
  ScratchDir dir;
  dir.WriteFile("a.reg",
                "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\CREAR\\AL-Mail\\Setup]\r\n"
                "\"StartFolder\"=\"C:\\\\Menu\"\r\n");
  const Result r = Cli({"--wine-prefix", "", "--settings", dir.Path("lorvane.ini"), "--registry",
                        dir.Path("a.reg"), "reg", "get",
                        "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\CREAR\\AL-Mail\\Setup", "StartFolder"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "C:\\Menu\n");
}

}  // namespace
}  // namespace lorvane::cli
