// AL-Mail: the MAILDIR= line, the user directories remembered in the settings, the box
// indexes, and the error for an index that cannot be read.

#include <gtest/gtest.h>

#include "common/language.h"
#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

const std::string kIni = "C:\\windows\\almail.ini";

class AlMailTest : public testing::TMailerTest {
 protected:
  void User(const std::string& dir, const std::string& full_name) {
    fixture_.WriteFile(dir + "Almail.prf", "[User]\r\nFullName= " + full_name + " \r\n");
    fixture_.WriteFile(dir + "Default.box", "[Box]\r\n[Mails]\r\n");
  }
  void MailDir(const std::string& dir) { fixture_.WriteFile(kIni, "MailDir=" + dir + "\r\n"); }
};

TEST_F(AlMailTest, DetectionReadsTheFirstMailDirLineInAnyCase) {
  fixture_.WriteFile(kIni,
                     "[AL-Mail]\r\nMailPath=C:\\no\r\nmaildir=C:\\Mail\\太郎\r\nMAILDIR=C:\\x\r\n");
  TStoresHarness h(fixture_);
  ExpectFound(h, mkAlMail, true, {kIni}, "C:\\Mail\\太郎\\");
}

TEST_F(AlMailTest, DetectionFailures) {
  {
    TStoresHarness h(fixture_);
    ExpectNotFound(h, mkAlMail, {kIni, "not exist"}, kIni + " がありません。");
  }
  fixture_.WriteFile(kIni, "[AL-Mail]\r\nMAIL_DIR=C:\\Mail\r\n");
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkAlMail, {kIni, "no MailDir"}, kIni + " に MailPath= 行がありません。");
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
  EXPECT_EQ(h.ini.ReadString("Mailers\\AL_Mail\\User1", "Full Name", ""), "山田 太郎");
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
  // The user's folders keep their states below the user's own section.
  EXPECT_EQ(h.stores.Tree().FindByFullCaption("AL-Mail\\鈴木 花子\\郵便受け")->Section(),
            "Mailers\\AL_Mail\\User2\\Folders\\Default");

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
  EXPECT_EQ(EnumerationError(h, *box).rfind("C:\\AL\\ソフト.box を開けません。", 0), 0u);
  SetInterfaceLanguage(false);
  EXPECT_THROW(h.stores.EnumerateMails(*box), Exception);
  SetInterfaceLanguage(true);
}

}  // namespace
}  // namespace lorvane
