// EUDORA: the mail directory from the command line, description maps with nested folders,
// and mailboxes of messages that begin after "From ???@??? " lines.

#include <gtest/gtest.h>

#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TMailFixture;
using testing::TStoresHarness;

constexpr const char* kCurrentLine =
    "HKEY_CURRENT_USER\\Software\\Qualcomm\\Eudora\\CommandLine\\Current=";

class EudoraTest : public testing::TMailerTest {
 protected:
  static void SetCurrent(TMailFixture& f, const std::string& value) {
    f.SetString(TRegRoot::kCurrentUser, "Software\\Qualcomm\\Eudora\\CommandLine", "Current",
                value);
  }
};

TEST_F(EudoraTest, DetectionFailures) {
  struct Case {
    const char* name;
    std::string current;  // "" for no value
    std::vector<std::string> log;
    std::string message;
  };
  const Case cases[] = {
      {"no value",
       "",
       {kCurrentLine, "not exist"},
       "HKEY_CURRENT_USER\\Software\\Qualcomm\\Eudora\\CommandLine\\Current がありません。"},
      // Without a second blank the directory word is empty: the root is "\".
      {"one blank only",
       "C:\\Eudora\\Eudora.exe C:\\Eudora\\Mail",
       {std::string(kCurrentLine) + "C:\\Eudora\\Eudora.exe C:\\Eudora\\Mail", "\\", "not exist"},
       "\\descmap.pce がありません。"},
      {"no description map",
       "C:\\Eudora\\Eudora.exe C:\\Eudora\\Empty x.ini",
       {std::string(kCurrentLine) + "C:\\Eudora\\Eudora.exe C:\\Eudora\\Empty x.ini",
        "C:\\Eudora\\Empty\\", "not exist"},
       "C:\\Eudora\\Empty\\descmap.pce がありません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMailFixture fixture(NewPrefix());
    if (!c.current.empty()) SetCurrent(fixture, c.current);
    fixture.MakeDirectory("C:\\Eudora\\Empty");
    TStoresHarness h(fixture);
    ExpectNotFound(h, mkEudora, c.log, c.message);
  }
}

TEST_F(EudoraTest, DescriptionMapLines) {
  SetCurrent(fixture_, "C:\\E\\Eudora.exe C:\\E\\Mail C:\\E\\Mail\\Eudora.ini");
  fixture_.WriteFile("C:\\E\\Mail\\descmap.pce",
                     "In,In.mbx,S,N\r\n"
                     "   \r\n"
                     "Work,WORK.FOL,F,N\r\n"
                     "no fields at all\r\n"
                     "Nameless,,M,N\r\n"
                     "ソ表,ソ表.mbx,M,N\r\n");
  fixture_.WriteFile("C:\\E\\Mail\\WORK.FOL\\descmap.pce", "Deep,DEEP.FOL,F,N\r\nA,A.mbx,M,N\r\n");
  fixture_.WriteFile("C:\\E\\Mail\\WORK.FOL\\DEEP.FOL\\descmap.pce", "B,B.mbx,M,Y\r\n");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "EUDORA [EUDORA] \n"
            "  In [In.mbx] In.mbx *\n"
            "  Work [WORK.FOL] WORK.FOL\n"
            "    Deep [DEEP.FOL] WORK.FOL\\DEEP.FOL\n"
            "      B [B.mbx] WORK.FOL\\DEEP.FOL\\B.mbx *\n"
            "    A [A.mbx] WORK.FOL\\A.mbx *\n"
            "  ソ表 [ソ表.mbx] ソ表.mbx *\n");
}

TEST_F(EudoraTest, MailboxWithThreeSeparators) {
  SetCurrent(fixture_, "C:\\E\\Eudora.exe C:\\E\\Mail C:\\E\\Mail\\Eudora.ini");
  fixture_.WriteFile("C:\\E\\Mail\\descmap.pce", "In,In.mbx,S,N\r\n");
  fixture_.WriteFile("C:\\E\\Mail\\In.mbx",
                     "From ???@??? Mon Dec 07 10:15:30 2026\r\nSubject: 1\r\n\r\none\r\n"
                     "From ???@??? Mon Dec 07 10:16:30 2026\r\nSubject: 2\r\n\r\ntwo\r\n"
                     "From someone else\r\n"
                     "From ???@??? Mon Dec 07 10:17:30 2026\r\nSubject: 3\r\n\r\nthree");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.MailsOf("EUDORA\\In"),
            "C:\\E\\Mail\\In.mbx 1 3\nC:\\E\\Mail\\In.mbx 5 8\nC:\\E\\Mail\\In.mbx 10 12\n");
}

}  // namespace
}  // namespace lorvane
