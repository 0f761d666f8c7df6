// AL-Mail: the MAILDIR= line, the user directories remembered in the settings, the box
// indexes, and the error for an index that cannot be read.

#include <gtest/gtest.h>


#include "common/language.h"
#include "support/enumerated_subjects.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kHeader = "■AL-Mail 2026/12/06 09:30:00";
const std::string kIni = "C:\\windows\\almail.ini";

class AlMailTest : public ::testing::Test {
 protected:
  void User(const std::string& dir, const std::string& full_name) {
    fixture_.WriteFile(dir + "Almail.prf", "[User]\r\nFullName= " + full_name + " \r\n");
    fixture_.WriteFile(dir + "Default.box", "[Box]\r\n[Mails]\r\n");
  }
  void MailDir(const std::string& dir) { fixture_.WriteFile(kIni, "MailDir=" + dir + "\r\n"); }

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(AlMailTest, FixtureStoreIsDetectedDiscoveredAndEnumerated) {
  testing::BuildAlMailStore(fixture_);
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.stores.Root(mkAlMail), "C:\\ALMAIL\\TARO\\");
  const std::vector<std::string> log = h.Log();
  const auto header = std::find(log.begin(), log.end(), kHeader);
  ASSERT_NE(header, log.end());
  EXPECT_EQ(header[1], kIni);
  EXPECT_EQ(header[2].substr(0, 2), "■");
  EXPECT_EQ(h.TreeDump(),
            "AL-Mail [AL_Mail] \n"
            "  山田 太郎 [User1\\Folders] C:\\ALMAIL\\TARO\\\n"
            "    郵便受け [Default] C:\\ALMAIL\\TARO\\Default.box *\n"
            "    送信箱 [sendbox] C:\\ALMAIL\\TARO\\sendbox.box *\n"
            "    ごみ箱 [Trash] C:\\ALMAIL\\TARO\\Trash.box *\n"
            "    友人 [FRIENDS] C:\\ALMAIL\\TARO\\FRIENDS.BOX *\n"
            "    仕事 [WORK] C:\\ALMAIL\\TARO\\WORK.BOX *\n");
  EXPECT_EQ(h.ini.ReadString("Mailers\\AL_Mail\\User1", "Directory", ""), "C:\\ALMAIL\\TARO\\");
  EXPECT_EQ(h.ini.ReadString("Mailers\\AL_Mail\\User1", "Full Name", ""), "山田 太郎");
  // The user's folders keep their states below the user's own section.
  EXPECT_EQ(h.stores.Tree().FindByFullCaption("AL-Mail\\山田 太郎\\仕事")->Section(),
            "Mailers\\AL_Mail\\User1\\Folders\\WORK");

  EXPECT_EQ(h.MailsOf("AL-Mail\\山田 太郎\\郵便受け"),
            "C:\\ALMAIL\\TARO\\00000001.wml 0 -1\nC:\\ALMAIL\\TARO\\00000002.wml 0 -1\n");
  EXPECT_EQ(h.MailsOf("AL-Mail\\山田 太郎\\送信箱"), "");

  EXPECT_EQ(SubjectsOf(h, "AL-Mail\\山田 太郎\\郵便受け"), "今月の予定\n表計算ソフトの件\n");
  EXPECT_EQ(SubjectsOf(h, "AL-Mail\\山田 太郎\\仕事"), "設計書を送ります\n");
}

TEST_F(AlMailTest, DetectionReadsTheFirstMailDirLineInAnyCase) {
  fixture_.WriteFile(kIni,
                     "[AL-Mail]\r\nMailPath=C:\\no\r\nmaildir=C:\\Mail\\太郎\r\nMAILDIR=C:\\x\r\n");
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkAlMail, true));
  EXPECT_EQ(h.stores.Root(mkAlMail), "C:\\Mail\\太郎\\");
  EXPECT_EQ(h.Log(), (std::vector<std::string>{kHeader, kIni}));
}

TEST_F(AlMailTest, DetectionFailures) {
  {
    TStoresHarness h(fixture_);
    EXPECT_FALSE(h.stores.DetectMailer(mkAlMail, false));
    EXPECT_EQ(h.Log(), (std::vector<std::string>{kHeader, kIni, "not exist"}));
    EXPECT_EQ(h.dialogs.Messages(),
              std::vector<std::string>{"エラー: " + kIni + " がありません。"});
  }
  fixture_.WriteFile(kIni, "[AL-Mail]\r\nMAIL_DIR=C:\\Mail\r\n");
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkAlMail, false));
  const std::vector<std::string> log = h.Log();
  EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
            (std::vector<std::string>{kHeader, kIni, "no MailDir"}));
  EXPECT_EQ(h.dialogs.Messages(),
            std::vector<std::string>{"エラー: " + kIni + " に MailPath= 行がありません。"});
}

TEST_F(AlMailTest, UserDirectoriesAreRememberedAcrossDetections) {
  User("C:\\AL\\taro\\", "山田 太郎");
  User("C:\\AL\\taro2\\", "山田 太郎");
  User("C:\\AL\\hanako\\", "鈴木 花子");
  TStoresHarness h(fixture_);
  MailDir("C:\\AL\\taro");
  h.stores.Rebuild();
  MailDir("c:\\al\\HANAKO");
  h.stores.Rebuild();
  MailDir("C:\\AL\\TARO");  // the same directory again, in another case: User1 again
  h.stores.Rebuild();
  EXPECT_EQ(h.ini.ReadSections("Mailers\\AL_Mail"), (std::vector<std::string>{"User1", "User2"}));
  EXPECT_EQ(h.ini.ReadString("Mailers\\AL_Mail\\User1", "Directory", ""), "C:\\AL\\TARO\\");
  MailDir("C:\\AL\\taro2");
  h.stores.Rebuild();
  // Two users of one name are told apart by their directories.
  EXPECT_EQ(h.TreeDump(),
            "AL-Mail [AL_Mail] \n"
            "  山田 太郎(C:\\AL\\TARO\\) [User1\\Folders] C:\\AL\\TARO\\\n"
            "    郵便受け [Default] C:\\AL\\TARO\\Default.box *\n"
            "  鈴木 花子 [User2\\Folders] c:\\al\\HANAKO\\\n"
            "    郵便受け [Default] c:\\al\\HANAKO\\Default.box *\n"
            "  山田 太郎(C:\\AL\\taro2\\) [User3\\Folders] C:\\AL\\taro2\\\n"
            "    郵便受け [Default] C:\\AL\\taro2\\Default.box *\n");

  // A user whose profile is gone is no longer shown, but stays remembered.
  fixture_.Remove("C:\\AL\\hanako\\Almail.prf");
  h.stores.Rebuild();
  EXPECT_EQ(h.stores.Tree().Mailer(0)->ChildCount(), 2);
  EXPECT_EQ(h.ini.ReadSections("Mailers\\AL_Mail").size(), 3u);
}

TEST_F(AlMailTest, BoxesAndTheirIndexes) {
  MailDir("C:\\AL");
  User("C:\\AL\\", "太郎");
  // A box without a TITLE= line is no folder; the title is taken from character 7 on.
  fixture_.WriteFile("C:\\AL\\notitle.box", "[Box]\r\nName=x\r\n[Mails]\r\n00000001=\r\n");
  fixture_.WriteFile("C:\\AL\\ソフト.box",
                     "title=ソフト表示\r\n"
                     "00000001=before the section\r\n"
                     "[mails]\r\n"
                     "00000002=1\r\n"
                     "0000003=short\r\n"
                     "00000004 no equals sign\r\n"
                     "..\\..\\..=outside\r\n"
                     "[Other]\r\n"
                     "00000005=later sections count too\r\n");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "AL-Mail [AL_Mail] \n"
            "  太郎 [User1\\Folders] C:\\AL\\\n"
            "    郵便受け [Default] C:\\AL\\Default.box *\n"
            "    ソフト表示 [ソフト] C:\\AL\\ソフト.box *\n");
  EXPECT_EQ(h.MailsOf("AL-Mail\\太郎\\ソフト表示"),
            "C:\\AL\\00000002.wml 0 -1\nC:\\AL\\00000005.wml 0 -1\n");

  // An index that went away since the tree was built is reported.
  fixture_.Remove("C:\\AL\\ソフト.box");
  SetInterfaceLanguage(true);
  TFolder* box = h.stores.Tree().FindByFullCaption("AL-Mail\\太郎\\ソフト表示");
  try {
    h.stores.EnumerateMails(*box);
    ADD_FAILURE() << "no error for a missing index";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind("C:\\AL\\ソフト.box を開けません。", 0), 0u);
  }
  SetInterfaceLanguage(false);
  EXPECT_THROW(h.stores.EnumerateMails(*box), Exception);
  SetInterfaceLanguage(true);
}

}  // namespace
}  // namespace lorvane
