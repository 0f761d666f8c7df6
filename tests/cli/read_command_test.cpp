// lorvane-cli read: a message's text as the search reads it.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli_runner.h"

namespace lorvane::cli {
namespace {

class ReadCommandTest : public FakePrefixCliTest {
 protected:
  std::string Host(const std::string& relative) { return prefix_.scratch().Path(relative); }
};

TEST_F(ReadCommandTest, NativePathsKeepTheirLayout) {
  const std::string body = "Subject: rec\r\n\r\nhello\r\n";
  char length[16];
  std::snprintf(length, sizeof length, "%08X", static_cast<unsigned>(body.size()));
  prefix_.scratch().WriteFile("x/Inbox.MES/MESSAGE.TXT",
                              std::string("\x01") + length + "\r\n" + body);
  EXPECT_EQ(Run({"read", Host("x/Inbox.MES/MESSAGE.TXT"), "0", "0"}).out, body);
  // The same file as a C: path.
  prefix_.WriteOnC("Mail/Inbox.MES/MESSAGE.TXT", std::string("\x01") + length + "\r\n" + body);
  EXPECT_EQ(Run({"read", "C:\\Mail\\Inbox.MES\\MESSAGE.TXT", "0", "0"}).out, body);
  EXPECT_EQ(Run({"read", "C:/Mail/Inbox.MES/MESSAGE.TXT", "0", "0"}).out, body);
}

TEST_F(ReadCommandTest, JapaneseMailDecoded) {
  prefix_.scratch().WriteFile("j.eml",
                              "Subject: =?ISO-2022-JP?B?GyRCJDUkLyRpGyhC?=\r\n\r\n"
                              "\x1B$B$3$s$K$A$O\x1B(B\r\n");
  EXPECT_EQ(Run({"read", Host("j.eml"), "0", "-1"}).out, "Subject: さくら\r\n\r\nこんにちは\r\n");
  EXPECT_EQ(Run({"read", "--header", Host("j.eml"), "0", "-1"}).out, "Subject: さくら\r\n");
  EXPECT_EQ(Run({"--encoding", "cp932", "read", Host("j.eml"), "2", "2"}).out,
            "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\r\n");
}

TEST_F(ReadCommandTest, FailuresAndMissingFiles) {
  prefix_.scratch().WriteFile("m.txt", "a\r\nb\r\n");
  const Result outside = Run({"read", Host("m.txt"), "1", "5"});
  EXPECT_EQ(outside.status, 1);
  EXPECT_EQ(outside.out, "");
  EXPECT_NE(outside.err.find("m.txt"), std::string::npos) << outside.err;
  prefix_.scratch().WriteFile("y.mes/message.txt", "\x01ZZZZZZZZ\r\nxx");
  EXPECT_EQ(Run({"read", Host("y.mes/message.txt"), "0", "0"}).status, 1);
  const Result missing = Run({"read", Host("nothing.txt"), "0", "-1"});
  EXPECT_EQ(missing.status, 0);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(Run({"read", Host("m.txt"), "zero", "-1"}).status, 2);
  EXPECT_EQ(Run({"read", Host("m.txt"), "0", "4294967296"}).status, 2);
  EXPECT_EQ(Run({"read", Host("m.txt"), "0"}).status, 2);
}

TEST_F(ReadCommandTest, LengthLimitFromTheSettingsOrTheOption) {
  const std::string mail =
      "S\r\n" + std::string(10000, 'x') + "\r\nContent-Type: text/plain\r\nT\r\n";
  prefix_.scratch().WriteFile("l.eml", mail);
  EXPECT_EQ(Run({"read", Host("l.eml"), "0", "-1"}).out.find("Content-Type"), std::string::npos);
  EXPECT_NE(Run({"read", "--length-limit", "off", Host("l.eml"), "0", "-1"}).out.find("T\r\n"),
            std::string::npos);
  Run({"config", "set", "Option", "Length Limit", "Boolean", "False"});
  EXPECT_EQ(Run({"read", Host("l.eml"), "0", "-1"}).out, mail);
  EXPECT_EQ(Run({"read", "--length-limit", "on", Host("l.eml"), "0", "-1"}).out.size(), 10005u);
  EXPECT_EQ(Run({"read", "--length-limit", "maybe", Host("l.eml"), "0", "-1"}).status, 2);
}

}  // namespace
}  // namespace lorvane::cli
