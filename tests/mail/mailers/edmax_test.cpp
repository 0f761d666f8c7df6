// EdMax: detection through the document class, the account and folder directories, and
// mailboxes filtered by their flags files.

#include <gtest/gtest.h>

#include "mail/mailers/mailer_support.h"
#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kDocumentKey = "HKEY_CLASSES_ROOT\\EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID";
const std::string kClsid = "{6E3B1A40-2C57-11D3-8F2A-00A0C9A1E5B7}";
const std::string kServerKey = "HKEY_CLASSES_ROOT\\CLSID\\" + kClsid + "\\LocalServer32";

class EdMaxTest : public testing::TMailerTest {
 protected:
  // The document class and, unless `exe` is empty, the program it names.
  static void Program(TMailFixture& f, const std::string& exe) {
    f.SetString(TRegRoot::kClassesRoot, "EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID", "", kClsid);
    if (!exe.empty()) {
      f.SetString(TRegRoot::kClassesRoot, "CLSID\\" + kClsid + "\\LocalServer32", "", exe);
    }
  }
};

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
    TMailFixture fixture(NewPrefix());
    if (c.exe != "-") Program(fixture, c.exe);
    TStoresHarness h(fixture);
    ExpectNotFound(h, mkEdMax, c.log, c.message);
  }
}

TEST_F(EdMaxTest, QuotedProgramPathIsFound) {
  Program(fixture_, "\"C:\\Program Files\\EdMax\\EdMax.exe\"");
  fixture_.WriteFile("C:\\Program Files\\EdMax\\EdMax.exe", "MZ");
  TStoresHarness h(fixture_);
  ExpectFound(h, mkEdMax, false,
              {kDocumentKey + "\\(標準)=" + kClsid,
               kServerKey + "\\(標準)=\"C:\\Program Files\\EdMax\\EdMax.exe\""},
              "C:\\Program Files\\EdMax\\Account\\");
}

TEST_F(EdMaxTest, FlagsAndSeparators) {
  Program(fixture_, "C:\\E\\EdMax.exe");
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
  Program(fixture_, "C:\\E\\EdMax.exe");
  fixture_.WriteFile("C:\\E\\EdMax.exe", "MZ");
  std::string dir = "C:\\E\\Account\\Account1\\受信\\";
  for (int i = 0; i < mailers::kMaxFolderDepth + 10; ++i) dir += "d\\";
  fixture_.MakeDirectory(dir);
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(FirstChildDepth(h),
            1 + mailers::kMaxFolderDepth);  // the account, then 受信 and below it
}

}  // namespace
}  // namespace lorvane
