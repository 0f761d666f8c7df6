// HyperMailer: detection through the open command, .hm folders and directories, and
// mailboxes whose first line and the line after each "." belong to no message.

#include <gtest/gtest.h>

#include "mail/mailers/mailer_support.h"
#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kKey = "HKEY_CLASSES_ROOT\\HMAIL.Document\\shell\\open\\command";

class HyperMailerTest : public testing::TMailerTest {
 protected:
  static void Command(TMailFixture& f, const std::string& command) {
    f.SetString(TRegRoot::kClassesRoot, "HMAIL.Document\\shell\\open\\command", "", command);
  }
};

TEST_F(HyperMailerTest, DetectionTakesTheProgramFromTheCommand) {
  struct Case {
    std::string command;
    bool found;
    std::string message;
  };
  const Case cases[] = {
      {"C:\\HM\\hmail.exe /dde", true, ""},
      {"C:\\HM\\hmail.exe", true, ""},
      {"\"C:\\HM\\hmail.exe\" /dde", true, ""},
      {"C:\\HM\\hmail.exe /DDE", false, "C:\\HM\\hmail.exe /DDE がありません。"},
      {"C:\\HM", false, "C:\\HM がありません。"},  // a directory is no program
      {"", false, kKey + "\\(標準) がありません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    TMailFixture fixture(NewPrefix());
    fixture.WriteFile("C:\\HM\\hmail.exe", "MZ");
    if (!c.command.empty()) Command(fixture, c.command);
    TStoresHarness h(fixture);
    if (!c.found) {
      ExpectNotFound(h, mkHyperMailer, {kKey + "\\(標準)=" + c.command, "not exist"}, c.message);
      continue;
    }
    ExpectFound(h, mkHyperMailer, false, {kKey + "\\(標準)=" + c.command}, "C:\\HM\\");
  }
}

TEST_F(HyperMailerTest, MessagesBetweenTheSkippedLines) {
  Command(fixture_, "C:\\HM\\hmail.exe");
  fixture_.WriteFile("C:\\HM\\hmail.exe", "MZ");
  // Line 0 and the line after each "." are skipped even when they are "." themselves;
  // an empty message is not listed; text after the last "." is no message.
  fixture_.WriteFile(
      "C:\\HM\\a.mb",
      ".\r\nSubject: 1\r\n.\r\n.\r\n.\r\ninfo\r\nSubject: 3\r\n.\r\ninfo\r\nlost\r\n");
  fixture_.WriteFile("C:\\HM\\a.hm", "");
  fixture_.WriteFile("C:\\HM\\empty.mb", "");
  fixture_.WriteFile("C:\\HM\\empty.hm", "");
  fixture_.WriteFile("C:\\HM\\nobox.hm", "");
  fixture_.MakeDirectory("C:\\HM\\.hidden.hm");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "HyperMailer [HyperMailer] \n"
            "  a [a] a *\n"
            "  empty [empty] empty *\n"
            "  nobox [nobox] nobox *\n");
  EXPECT_EQ(h.MailsOf("HyperMailer\\a"), "C:\\HM\\a.mb 1 1\nC:\\HM\\a.mb 6 6\n");
  EXPECT_EQ(h.MailsOf("HyperMailer\\empty"), "");
  EXPECT_EQ(h.MailsOf("HyperMailer\\nobox"), "");
}

TEST_F(HyperMailerTest, DeeplyNestedFoldersStopAtTheDepthLimit) {
#ifdef _WIN32
  GTEST_SKIP() << "so deep a path is longer than the 260 characters the ANSI API reaches";
#endif
  Command(fixture_, "C:\\HM\\hmail.exe");
  fixture_.WriteFile("C:\\HM\\hmail.exe", "MZ");
  std::string dir = "C:\\HM\\";
  for (int i = 0; i < mailers::kMaxFolderDepth + 10; ++i) dir += "d.hm\\";
  fixture_.MakeDirectory(dir);
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(FirstChildDepth(h), mailers::kMaxFolderDepth);
}

}  // namespace
}  // namespace lorvane
