// EUDORA: the mail directory from the command line, description maps with nested folders,
// and mailboxes of messages that begin after "From ???@??? " lines.

#include <gtest/gtest.h>

#include "support/enumerated_subjects.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

constexpr const char* kHeader = "■EUDORA 2026/12/06 09:30:00";
constexpr const char* kCurrentLine =
    "HKEY_CURRENT_USER\\Software\\Qualcomm\\Eudora\\CommandLine\\Current=";

class EudoraTest : public ::testing::Test {
 protected:
  void SetCurrent(const std::string& value) {
    fixture_.SetString(TRegRoot::kCurrentUser, "Software\\Qualcomm\\Eudora\\CommandLine", "Current",
                       value);
  }

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(EudoraTest, FixtureStoreIsFoundListedAndRead) {
  testing::BuildEudoraStore(fixture_);
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkEudora, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{kHeader,
                                               std::string(kCurrentLine) +
                                                   "C:\\Eudora\\Eudora.exe C:\\Eudora\\Mail "
                                                   "C:\\Eudora\\Mail\\Eudora.ini",
                                               "C:\\Eudora\\Mail\\"}));
  EXPECT_EQ(h.stores.Root(mkEudora), "C:\\Eudora\\Mail\\");

  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "EUDORA [EUDORA] \n"
            "  In [In.mbx] In.mbx *\n"
            "  Out [Out.mbx] Out.mbx *\n"
            "  Trash [Trash.mbx] Trash.mbx *\n"
            "  家族 [家族.mbx] 家族.mbx *\n"
            "  仕事 [仕事.fol] 仕事.fol\n"
            "    顧客 [顧客.mbx] 仕事.fol\\顧客.mbx *\n"
            "    ソフト表 [ソフト表.mbx] 仕事.fol\\ソフト表.mbx *\n");
  EXPECT_EQ(h.MailsOf("EUDORA\\In"),
            "C:\\Eudora\\Mail\\In.mbx 1 8\n"
            "C:\\Eudora\\Mail\\In.mbx 10 31\n"
            "C:\\Eudora\\Mail\\In.mbx 33 40\n");
  EXPECT_EQ(h.MailsOf("EUDORA\\Out"), "");
  EXPECT_EQ(h.MailsOf("EUDORA\\仕事\\ソフト表"), "C:\\Eudora\\Mail\\仕事.fol\\ソフト表.mbx 1 8\n");

  EXPECT_EQ(SubjectsOf(h, "EUDORA\\In"), "Conference schedule\n写真を送ります\n年末のご挨拶\n");
}

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
       {kHeader, kCurrentLine, "not exist"},
       "HKEY_CURRENT_USER\\Software\\Qualcomm\\Eudora\\CommandLine\\Current がありません。"},
      // Without a second blank the directory word is empty: the root is "\".
      {"one blank only",
       "C:\\Eudora\\Eudora.exe C:\\Eudora\\Mail",
       {kHeader, std::string(kCurrentLine) + "C:\\Eudora\\Eudora.exe C:\\Eudora\\Mail", "\\",
        "not exist"},
       "\\descmap.pce がありません。"},
      {"no description map",
       "C:\\Eudora\\Eudora.exe C:\\Eudora\\Empty x.ini",
       {kHeader, std::string(kCurrentLine) + "C:\\Eudora\\Eudora.exe C:\\Eudora\\Empty x.ini",
        "C:\\Eudora\\Empty\\", "not exist"},
       "C:\\Eudora\\Empty\\descmap.pce がありません。"},
  };
  for (const Case& c : cases) {
    ScratchDir scratch;
    TMailFixture fixture(scratch.Path("prefix"));
    if (!c.current.empty()) {
      fixture.SetString(TRegRoot::kCurrentUser, "Software\\Qualcomm\\Eudora\\CommandLine",
                        "Current", c.current);
    }
    fixture.MakeDirectory("C:\\Eudora\\Empty");
    TStoresHarness h(fixture);
    EXPECT_FALSE(h.stores.DetectMailer(mkEudora, true)) << c.name;
    EXPECT_EQ(h.Log(), c.log) << c.name;
    EXPECT_TRUE(h.dialogs.Messages().empty()) << c.name;
    EXPECT_FALSE(h.stores.DetectMailer(mkEudora, false)) << c.name;
    EXPECT_EQ(h.dialogs.Messages(), (std::vector<std::string>{"エラー: " + c.message})) << c.name;
  }
}

TEST_F(EudoraTest, DescriptionMapLines) {
  SetCurrent("C:\\E\\Eudora.exe C:\\E\\Mail C:\\E\\Mail\\Eudora.ini");
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
  SetCurrent("C:\\E\\Eudora.exe C:\\E\\Mail C:\\E\\Mail\\Eudora.ini");
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
