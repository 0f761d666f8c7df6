// EdMax: detection through the document class, the account and folder directories, and
// mailboxes filtered by their flags files.

#include <gtest/gtest.h>

#include "mail/mailers/mailer_support.h"
#include "support/enumerated_subjects.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kHeader = "■EdMax 2026/12/06 09:30:00";
const std::string kDocumentKey = "HKEY_CLASSES_ROOT\\EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID";
const std::string kClsid = "{6E3B1A40-2C57-11D3-8F2A-00A0C9A1E5B7}";
const std::string kServerKey = "HKEY_CLASSES_ROOT\\CLSID\\" + kClsid + "\\LocalServer32";

class EdMaxTest : public ::testing::Test {
 protected:
  void Program(const std::string& exe) {
    fixture_.SetString(TRegRoot::kClassesRoot, "EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID", "", kClsid);
    fixture_.SetString(TRegRoot::kClassesRoot, "CLSID\\" + kClsid + "\\LocalServer32", "", exe);
  }

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(EdMaxTest, FixtureStoreIsDetectedDiscoveredAndEnumerated) {
  testing::BuildEdMaxStore(fixture_);
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkEdMax, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{
                         kHeader, kDocumentKey + "\\(標準)=" + kClsid,
                         kServerKey + "\\(標準)=C:\\Program Files\\EdMax\\EdMax.exe"}));
  EXPECT_EQ(h.stores.Root(mkEdMax), "C:\\Program Files\\EdMax\\Account\\");
  h.stores.Rebuild();
  // Fixed folders come first, present or not; other directories follow.
  EXPECT_EQ(h.TreeDump(),
            "EdMax [EdMax] \n"
            "  Account1 [Account1] Account1\n"
            "    受信 [受信] Account1\\受信 *\n"
            "      仕事 [仕事] Account1\\受信\\仕事 *\n"
            "    送信 [送信] Account1\\送信 *\n"
            "      待ち [待ち] Account1\\送信\\待ち *\n"
            "      草稿 [草稿] Account1\\送信\\草稿 *\n"
            "      送信済み [送信済み] Account1\\送信\\送信済み *\n"
            "    ごみ箱 [ごみ箱] Account1\\ごみ箱 *\n"
            "    ソフト表示 [ソフト表示] Account1\\ソフト表示 *\n"
            "  Account2 [Account2] Account2\n"
            "    受信 [受信] Account2\\受信 *\n"
            "    送信 [送信] Account2\\送信 *\n"
            "      待ち [待ち] Account2\\送信\\待ち *\n"
            "      草稿 [草稿] Account2\\送信\\草稿 *\n"
            "    ごみ箱 [ごみ箱] Account2\\ごみ箱 *\n");

  // Flags 1, 0, 1: the first and the third message, with their own line ranges.
  const std::string inbox = "C:\\Program Files\\EdMax\\Account\\Account1\\受信\\受信.mbx";
  EXPECT_EQ(h.MailsOf("EdMax\\Account1\\受信"), inbox + " 0 8\n" + inbox + " 19 26\n");
  EXPECT_EQ(h.MailsOf("EdMax\\Account1\\送信\\待ち"), "");

  EXPECT_EQ(SubjectsOf(h, "EdMax\\Account1\\受信"), "今月の予定\n表計算ソフトの件\n");
}

TEST_F(EdMaxTest, DetectionFailures) {
  struct Case {
    const char* name;
    std::string exe;  // empty: no LocalServer32 value; "-": no CLSID either
    std::vector<std::string> log;
    std::string message;
  };
  const Case cases[] = {
      {"no document class",
       "-",
       {kDocumentKey + "\\(標準)=", "not exist"},
       kDocumentKey + "\\(標準) がありません。"},
      {"no server",
       "",
       {kDocumentKey + "\\(標準)=" + kClsid, kServerKey + "\\(標準)=", "not exist"},
       kServerKey + "\\(標準) がありません。"},
      {"program missing",
       "C:\\EdMax\\EdMax.exe",
       {kDocumentKey + "\\(標準)=" + kClsid, kServerKey + "\\(標準)=C:\\EdMax\\EdMax.exe",
        "not exist"},
       "C:\\EdMax\\EdMax.exe がありません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir scratch;
    TMailFixture fixture(scratch.Path("prefix"));
    if (c.exe != "-") {
      fixture.SetString(TRegRoot::kClassesRoot, "EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID", "", kClsid);
      if (!c.exe.empty()) {
        fixture.SetString(TRegRoot::kClassesRoot, "CLSID\\" + kClsid + "\\LocalServer32", "",
                          c.exe);
      }
    }
    TStoresHarness h(fixture);
    EXPECT_FALSE(h.stores.DetectMailer(mkEdMax, false));
    std::vector<std::string> log = {kHeader};
    log.insert(log.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(h.Log(), log);
    EXPECT_EQ(h.dialogs.Messages(), std::vector<std::string>{"エラー: " + c.message});
  }
}

TEST_F(EdMaxTest, QuotedProgramPathIsFound) {
  Program("\"C:\\Program Files\\EdMax\\EdMax.exe\"");
  fixture_.WriteFile("C:\\Program Files\\EdMax\\EdMax.exe", "MZ");
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkEdMax, false));
  EXPECT_EQ(h.stores.Root(mkEdMax), "C:\\Program Files\\EdMax\\Account\\");
}

TEST_F(EdMaxTest, FlagsAndSeparators) {
  Program("C:\\E\\EdMax.exe");
  fixture_.WriteFile("C:\\E\\EdMax.exe", "MZ");
  const std::string a = "C:\\E\\Account\\Account1\\";
  // Message 0 is empty (a "." on line 0): not listed, but it takes the first flag, so
  // message 1 is hidden by the second. Message 3 has no flag line and is listed; the text
  // after the last "." is no message.
  fixture_.WriteFile(
      a + "受信\\受信.mbx",
      ".\r\nSubject: 1\r\n\r\none\r\n.\r\nSubject: 2\r\n.\r\nSubject: 3\r\n.\r\nrest\r\n");
  fixture_.WriteFile(a + "受信.ctx", "1\r\n0\r\n10\r\n");
  fixture_.WriteFile(a + "送信\\送信.mbx", "Subject: x\r\n.\r\n");  // no flags file
  fixture_.WriteFile(a + "ごみ箱.ctx", "1\r\n");                    // no mailbox
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.MailsOf("EdMax\\Account1\\受信"),
            a + "受信\\受信.mbx 5 5\n" + a + "受信\\受信.mbx 7 7\n");
  EXPECT_EQ(h.MailsOf("EdMax\\Account1\\送信"), "");
  EXPECT_EQ(h.MailsOf("EdMax\\Account1\\ごみ箱"), "");
}

TEST_F(EdMaxTest, DeeplyNestedFoldersStopAtTheDepthLimit) {
  Program("C:\\E\\EdMax.exe");
  fixture_.WriteFile("C:\\E\\EdMax.exe", "MZ");
  std::string dir = "C:\\E\\Account\\Account1\\受信\\";
  for (int i = 0; i < mailers::kMaxFolderDepth + 10; ++i) dir += "d\\";
  fixture_.MakeDirectory(dir);
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  int depth = 0;
  for (const TFolder* f = h.stores.Tree().Mailer(0); f->ChildCount() > 0; f = f->Child(0)) ++depth;
  EXPECT_EQ(depth, 1 + mailers::kMaxFolderDepth);  // the account, then 受信 and below it
}

}  // namespace
}  // namespace lorvane
