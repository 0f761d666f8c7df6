// AL-Mail32: mailboxes from the registry and Start-menu shortcuts, accounts and nested
// boxes, box indexes and the trash that names messages by path.

#include "mail/mailers/al_mail32.h"

#include <gtest/gtest.h>

#include "mail/mailers/mailer_support.h"
#include "mailer_test.h"
#include "support/lnk_writer.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

const std::string kStart = "C:\\Start\\";

class AlMail32Test : public testing::TMailerTest {
 protected:
  void MailboxPath(const std::string& path) {
    fixture_.SetString(TRegRoot::kCurrentUser, "Software\\CREAR\\AL-Mail", "MailboxPath", path);
  }
  void Shortcut(const std::string& name, const std::string& arguments) {
    fixture_.SetString(TRegRoot::kLocalMachine, "SOFTWARE\\CREAR\\AL-Mail\\Setup", "StartFolder",
                       "C:\\Start");
    fixture_.WriteFile(kStart + name, BuildLnk({.local_base_path = "C:\\AL\\AlMail32.exe",
                                                .arguments = arguments}));
  }
};

TEST_F(AlMail32Test, NoMailboxFails) {
  MailboxPath("C:\\AL");
  fixture_.WriteFile("C:\\AL\\Mailbox\\Account1", "a file, not an account directory");
  Shortcut("AL-Mail32.lnk", "");
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkAlMail32,
                 {"HKEY_CURRENT_USER\\Software\\CREAR\\AL-Mail\\MailboxPath=C:\\AL",
                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\CREAR\\AL-Mail\\Setup\\StartFolder=C:\\Start"},
                 "メールボックスが見つかりません。");
}

TEST_F(AlMail32Test, MailboxesFromShortcuts) {
  MailboxPath("C:\\AL\\");
  fixture_.MakeDirectory("C:\\AL\\Mailbox\\Account1");
  Shortcut("b 表.lnk", "\"C:\\Program Files\\AL\\ソフト\" /x");  // quoted, with blanks
  Shortcut("c.lnk", "C:\\AL\\ソフト -switch");                   // cut at the blank
  Shortcut("d.lnk", "C:\\al");                                   // renames the first
  Shortcut("e.lnk", "C:\\" + std::string(1500, 'x'));            // cut to 1023 characters
  fixture_.MakeDirectory(kStart + "f.lnk");                      // a directory: no shortcut
  TStoresHarness h(fixture_);
  EXPECT_EQ(
      FindAlMailMailboxes(h.stores),
      (std::vector<std::string>{"C:\\AL\\\td", "C:\\Program Files\\AL\\ソフト\\\tb 表",
                                "C:\\AL\\ソフト\\\tc", "C:\\" + std::string(1020, 'x') + "\\\te"}));
  const TShortcut shortcut = ResolveShortcut(h.stores, kStart + "c.lnk");
  EXPECT_EQ(shortcut.target, "C:\\AL\\AlMail32.exe");
  EXPECT_EQ(shortcut.arguments, "C:\\AL\\ソフト");
}

TEST_F(AlMail32Test, AccountsAndBoxes) {
  MailboxPath("C:\\AL");
  const std::string m = "C:\\AL\\Mailbox\\";
  fixture_.WriteFile(m + "Account1\\Account.ini", "Title=\"表示\r\nTitle=second\r\n");
  fixture_.WriteFile(m + "Account2\\Account.ini", "Title=\r\n");  // no title: no account
  fixture_.MakeDirectory(m + "Account3");                         // no Account.ini
  fixture_.WriteFile(m + "Acc\\Account.ini", "TITLE=acc\r\n");
  // A box without Entry.ini, and one whose title is empty, are left out with their boxes.
  fixture_.WriteFile(m + "Acc\\x.box\\y.box\\Entry.ini", "Title=y\r\n");
  fixture_.WriteFile(m + "Acc\\z.box\\Entry.ini", "Title=\"\"\r\n");
  fixture_.WriteFile(m + "Acc\\INBOX.box\\Entry.lst",
                     "00000001=a\r\n0000002=short\r\n..\\..\\..=up\r\n00000003\r\n");
  fixture_.WriteFile(m + "Acc\\INBOX.box\\00000001.alm", "Subject: a\r\n\r\nbody\r\n");
  fixture_.WriteFile(m + "Acc\\INBOX.box\\0000002=.alm", "never named");
  fixture_.MakeDirectory(m + "Acc\\INBOX.box\\00000003.alm");  // a directory, not a file
  fixture_.WriteFile(m + "Acc\\Trash.box", "C:\\AL\\*=wildcards name nothing\r\nno equals\r\n");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "AL-Mail32 [AL_Mail32] \n"
            "  C:\\AL\\ [C:\\AL\\Mailbox] C:\\AL\\Mailbox\n"
            "    acc [Acc] C:\\AL\\Mailbox\\Acc\\Account.ini\n"
            "      郵便受け [INBOX] C:\\AL\\Mailbox\\Acc\\INBOX.box\\ *\n"
            "      ごみ箱 [Trash.box] C:\\AL\\Mailbox\\Acc\\Trash.box *\n"
            "    表示 [Account1] C:\\AL\\Mailbox\\Account1\\Account.ini\n"
            "      ごみ箱 [Trash.box] C:\\AL\\Mailbox\\Account1\\Trash.box *\n");
  EXPECT_EQ(h.MailsOf("AL-Mail32\\C:\\AL\\\\acc\\郵便受け"),
            m + "Acc\\INBOX.box\\00000001.alm 0 -1\n");
  EXPECT_EQ(h.MailsOf("AL-Mail32\\C:\\AL\\\\acc\\ごみ箱"), "");
}

TEST_F(AlMail32Test, DeeplyNestedBoxesStopAtTheDepthLimit) {
#ifdef _WIN32
  GTEST_SKIP() << "so deep a path is longer than the 260 characters the ANSI API reaches";
#endif
  MailboxPath("C:\\AL");
  std::string dir = "C:\\AL\\Mailbox\\Account1\\";
  fixture_.WriteFile(dir + "Account.ini", "Title=t\r\n");
  for (int i = 0; i < mailers::kMaxFolderDepth + 10; ++i) {
    dir += "a.box\\";
    fixture_.WriteFile(dir + "Entry.ini", "Title=a\r\n");
  }
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(FirstChildDepth(h),
            2 + mailers::kMaxFolderDepth);  // the mailbox, the account, the boxes
}

}  // namespace
}  // namespace lorvane
