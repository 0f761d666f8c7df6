// Datula: the two registry keys, accounts and their folder files (sub-folders by dotted
// names), and the .idx mail files with their index lines.

#include <gtest/gtest.h>

#include "common/language.h"
#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

const std::string kKey = "Software\\OnSystems\\Datula\\Properties";
const std::string kOldKey = "Software\\AONO\\InternetServant\\Properties";
const std::string kLogKey = "HKEY_CURRENT_USER\\" + kKey;
const std::string kLogOldKey = "HKEY_CURRENT_USER\\" + kOldKey;

class DatulaTest : public testing::TMailerTest {
 protected:
  void Account(const std::string& key, int i, const std::string& caption, int kind = 0) {
    fixture_.SetString(TRegRoot::kCurrentUser, key + "\\Account" + std::to_string(i), "caption",
                       caption);
    fixture_.SetDword(TRegRoot::kCurrentUser, key + "\\Account" + std::to_string(i), "KindOfFolder",
                      static_cast<uint32_t>(kind));
  }
  void Root(const std::string& key, const std::string& root, uint32_t accounts) {
    fixture_.SetString(TRegRoot::kCurrentUser, key, "rootPath", root);
    fixture_.SetDword(TRegRoot::kCurrentUser, key, "numProperties", accounts);
  }
};

TEST_F(DatulaTest, DetectionFailures) {
  {
    TStoresHarness h(fixture_);
    ExpectNotFound(h, mkDatula, {kLogKey + "\\rootPath=", kLogOldKey + "\\rootPath="},
                   kLogKey + "\\rootPath がありません。");
  }
  // The older key is used when Datula's own has no root; accounts without a caption are
  // passed over, those without INBOX.ini each add a block to the message.
  Root(kOldKey, "C:\\IS", 3);
  Account(kOldKey, 0, "");
  Account(kOldKey, 1, "表示");
  Account(kOldKey, 2, "two");
  {
    TStoresHarness h(fixture_);
    auto block = [](const std::string& i, const std::string& caption) {
      return kLogOldKey + "\\rootPath=C:\\IS\\\r\n" + kLogOldKey + "\\Account" + i +
             "\\caption=" + caption + "\r\n と書かれていますが、C:\\IS\\Account" + i +
             "\\INBOX.ini はありません。\r\n";
    };
    ExpectNotFound(h, mkDatula,
                   {kLogKey + "\\rootPath=", kLogOldKey + "\\rootPath=C:\\IS",
                    kLogOldKey + "\\Account1\\caption=表示", kLogOldKey + "\\Account2\\caption=two",
                    "no folders"},
                   block("1", "表示") + block("2", "two"));
  }
  Account(kOldKey, 1, "");
  Account(kOldKey, 2, "");
  {
    TStoresHarness h(fixture_);
    ExpectNotFound(h, mkDatula,
                   {kLogKey + "\\rootPath=", kLogOldKey + "\\rootPath=C:\\IS", "no folders"},
                   kLogOldKey + " に有効なエントリがありません。");
  }
  // A damaged account count costs a bounded number of reads.
  Root(kOldKey, "C:\\IS", 0x7FFFFFFF);
  Account(kOldKey, 5, "five");
  fixture_.WriteFile("C:\\IS\\Account5\\INBOX.ini", "");
  TStoresHarness h(fixture_);
  ExpectFound(h, mkDatula, true,
              {kLogKey + "\\rootPath=", kLogOldKey + "\\rootPath=C:\\IS",
               kLogOldKey + "\\Account5\\caption=five"},
              "C:\\IS\\");
}

TEST_F(DatulaTest, FoldersFromDottedFileNames) {
  Root(kKey, "C:\\D\\", 2);
  Account(kKey, 0, "a0");
  Account(kKey, 1, "a1", 1);
  const std::string a = "C:\\D\\Account0\\";
  for (const char* name : {"INBOX.ini", "a.idx", "a.ini", "a.b.ini", "a.b.idx", "a.b.c.ini",
                           "a..ini", "a.x.idx", "ab.ini", "Trashbox.idx", "A.iNi", "z.ixx"}) {
    fixture_.WriteFile(a + name, "");
  }
  fixture_.WriteFile("C:\\D\\Account1\\INBOX.idx", "");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  // b is below a (a.b.c.ini names c below b); ab stands beside a; the standard folders
  // are shown only for an account of KindOfFolder 1.
  EXPECT_EQ(h.TreeDump(),
            "Datula [Datula] \n"
            "  a0 [Account0] Account0\n"
            "    a [a] Account0\\a.idx *\n"
            "      b [b] Account0\\a.b.idx *\n"
            "        c [c] Account0\\a.b.c.idx *\n"
            "    ab [ab] Account0\\ab.idx *\n"
            "  a1 [Account1] Account1\n"
            "    受信箱 [INBOX] Account1\\INBOX.idx *\n"
            "    送信控え [outbox] Account1\\outbox.idx *\n"
            "    草稿 [draftbox] Account1\\draftbox.idx *\n"
            "    ごみ箱 [trashbox] Account1\\trashbox.idx *\n");
}

TEST_F(DatulaTest, IndexLinesAndDamagedOnes) {
  Root(kKey, "C:\\D", 1);
  Account(kKey, 0, "a0");
  fixture_.WriteFile("C:\\D\\Account0\\INBOX.ini", "");
  fixture_.WriteFile("C:\\D\\Account0\\f.ini", "");
  // Index lines before their messages, a blank line, a message whose range overlaps the
  // next index line (that line is message text), ranges beyond the file, and then a
  // damaged line.
  fixture_.WriteFile("C:\\D\\Account0\\f.idx",
                     "0001 2\t3\tx\r\n"
                     "\r\n"
                     "Subject: one\r\n"
                     "body\r\n"
                     "0002 5\t7\t\r\n"
                     "Subject: two\r\n"
                     "0003 this line is inside two\r\n"
                     "end of two\r\n"
                     "0004 +9\t2000000000\t\r\n"
                     "0005 -1\t-5\t\r\n");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  const std::string f = "C:\\D\\Account0\\f.idx";
  EXPECT_EQ(h.MailsOf("Datula\\a0\\f"), f + " 2 3\n" + f + " 5 7\n" + f + " 9 2000000000\n");

  struct Case {
    std::string line;
    std::string field;
  };
  SetInterfaceLanguage(true);
  for (const Case& c :
       std::vector<Case>{{"0001 12x\t3\t", "12x"},
                         {"0001 3\t4", "4"},
                         {"00013\t4\t", ""},
                         {"abc", ""},
                         {"0001 99999999999\t1\t", "99999999999"},
                         {"0001 " + std::string(10 << 20, '7'), std::string(40, '7') + "..."}}) {
    fixture_.WriteFile(f, "0001 0\t0\t\r\n" + c.line + "\r\n");
    TFolder* folder = h.stores.Tree().FindByFullCaption("Datula\\a0\\f");
    EXPECT_EQ(EnumerationError(h, *folder),
              f + " の 2 行目: \"" + c.field + "\" は10進数の数値ではありません。")
        << c.line.substr(0, 40);
    EXPECT_EQ(folder->MailCount(), 1);  // the entry before the damaged line stays
    folder->ClearMails();
  }
}

}  // namespace
}  // namespace lorvane
