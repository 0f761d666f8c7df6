// Open of a hit over an in-memory platform: each message it can end in, the ".txt" and
// desktop fallbacks, and the editor jump.

#include "mail/open_hit.h"

#include <gtest/gtest.h>

#include "support/memory_platform.h"

namespace lorvane {
namespace {

constexpr TRegRoot kCR = TRegRoot::kClassesRoot;
const std::string kMail = "C:\\Mail\\In Box.mbx";

class OpenHitTest : public ::testing::Test {
 protected:
  OpenHitTest() {
    std::string mailbox;
    for (int i = 0; i < 500; ++i) mailbox += "x\r\n";
    for (int i = 0; i < 12; ++i) mailbox += "H: v\r\n";
    mailbox += "\r\nbody\r\n";
    p_.fs.AddFile(kMail, mailbox);
    editors_.LoadFromText("VIM\t+$L $F\r\nNOTE.EXE\r\n");
  }
  void Associate(const std::string& extension, const std::string& command) {
    const std::string file_class = extension.substr(1) + "file";
    p_.registry.SetString(kCR, extension, "", file_class);
    p_.registry.SetString(kCR, file_class + "\\shell\\open\\command", "", command);
  }
  TOpenPlan Open(const std::string& file = kMail, const std::string& first = "500",
                 const std::string& last = "530") {
    return PlanOpen(p_.platform, editors_, file, first, last);
  }
  static TOpenPlan Start(const std::string& program, const std::string& parameters) {
    return {true, program, parameters, ""};
  }
  static TOpenPlan Show(const std::string& message) { return {false, "", "", message}; }

  testing::TMemoryPlatform p_;
  TEditorTable editors_;
};

TEST_F(OpenHitTest, MessagesInsteadOfAStart) {
  p_.fs.AddFile("C:\\Datula\\inbox.idx", "x");
  EXPECT_EQ(Open("C:\\Datula\\inbox.IDX"),
            Show("Datula のメールファイルは特殊な形式なので通常のエディタなどのアプリケーションで"
                 "開くことはできません。内蔵ビューアをお使い下さい。"));
  EXPECT_EQ(Open("C:\\Datula\\inbox.idx").message, Open("C:\\Datula\\inbox.IDX").message);
  EXPECT_EQ(Open("C:\\Mail\\gone.mbx"), Show("C:\\Mail\\gone.mbx が見つかりません。"));
  EXPECT_EQ(Open("C:\\Mail\\*.mbx"), Show("C:\\Mail\\*.mbx が見つかりません。"));
  EXPECT_EQ(Open(), Show("メールのファイルにもテキストファイルにもアプリケーションが関連付けられて"
                         "いません。"));
  EXPECT_EQ(p_.shell.calls, std::vector<std::string>{"desktop " + kMail});
  // A bare program name found nowhere counts as no association...
  Associate(".mbx", "mailer.exe %1");
  EXPECT_FALSE(Open().start);
  // ... so the ".txt" application opens the mail file instead.
  p_.fs.AddFile("C:\\Tools\\view.exe", "MZ");
  Associate(".txt", "C:\\Tools\\view.exe %1");
  EXPECT_EQ(Open(), Start("C:\\Tools\\view.exe", kMail));
  // ... and a program with a directory that is missing is named, with the extension
  // that led to it (".txt" when the mail file's own gave nothing).
  Associate(".txt", "C:\\Gone\\ed.exe %1");
  EXPECT_EQ(Open(),
            Show("拡張子 .txt に関連付けされている C:\\Gone\\ed.exe を探しましたが、見つかりません。"));
  Associate(".mbx", "C:\\Gone\\mailer.exe %1");
  EXPECT_EQ(Open(), Show("拡張子 .mbx に関連付けされている C:\\Gone\\mailer.exe を探しましたが、"
                         "見つかりません。"));
}

TEST_F(OpenHitTest, TheAssociatedApplicationGetsThePathAsItIs) {
  p_.fs.AddFile("C:\\Windows\\notepad.exe", "MZ");
  p_.environment.variables["Path"] = "C:\\Windows";
  Associate(".txt", "notepad.exe %1");
  EXPECT_EQ(Open(), Start("C:\\Windows\\notepad.exe", kMail));  // no quotes round the blank
  p_.fs.AddFile("C:\\Mail\\Mailer\\mailer.exe", "MZ");
  Associate(".mbx", "\"C:\\Mail\\Mailer\\mailer.exe\" /open \"%1\"");
  EXPECT_EQ(Open(), Start("C:\\Mail\\Mailer\\mailer.exe", kMail));
  // The registry decides before the desktop is asked.
  EXPECT_TRUE(p_.shell.calls.empty());
}

TEST_F(OpenHitTest, AnEditorOfTheTableOpensAtTheBodyLine) {
  p_.fs.AddFile("C:\\Tools\\Hidemaru.exe", "MZ");
  Associate(".txt", "\"C:\\Tools\\Hidemaru.exe\" %1");
  EXPECT_EQ(Open(), Start("C:\\Tools\\Hidemaru.exe", "/j514 " + kMail));
  EXPECT_EQ(Open(kMail, "0", "-1"), Start("C:\\Tools\\Hidemaru.exe", "/j514 " + kMail));
  // A damaged address opens the file from its start.
  EXPECT_EQ(Open(kMail, "five", "x"), Start("C:\\Tools\\Hidemaru.exe", "/j514 " + kMail));
  EXPECT_EQ(Open(kMail, "520", "530"), Start("C:\\Tools\\Hidemaru.exe", "/j521 " + kMail));
  // An editor listed without a template gets the file, not an empty parameter text.
  p_.fs.AddFile("C:\\Tools\\note.exe", "MZ");
  Associate(".txt", "C:\\Tools\\note.exe %1");
  EXPECT_EQ(Open(), Start("C:\\Tools\\note.exe", kMail));
}

TEST_F(OpenHitTest, TheDesktopApplicationWhenTheRegistryHasNone) {
  p_.shell.desktop_application = TDesktopApplication{"/usr/bin/gedit", "/home/u/mail/x.mbx"};
  EXPECT_EQ(Open(), Start("/usr/bin/gedit", "/home/u/mail/x.mbx"));
  p_.shell.desktop_application = TDesktopApplication{"vim", "/home/u/mail/x.mbx"};
  EXPECT_EQ(Open(), Start("vim", "+514 " + kMail));  // an editor of the table
}

TEST(OpenFolderTest, DirectoryWithItsSeparator) {
  EXPECT_EQ(FolderOfHit("C:\\Mail\\ソ\\a.txt"), "C:\\Mail\\ソ\\");
  EXPECT_EQ(FolderOfHit("C:\\a.txt"), "C:\\");
}

}  // namespace
}  // namespace lorvane
