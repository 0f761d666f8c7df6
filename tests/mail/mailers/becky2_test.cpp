// Becky!2: detection from the data directory, mailboxes and their nested folders (standard
// folders by name, others by Folder.ini), and the index of byte ranges with its damage.

#include <gtest/gtest.h>

#include "common/language.h"
#include "mail/mail_reader.h"
#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

constexpr const char* kDataDirLine =
    "HKEY_CURRENT_USER\\Software\\RIMArts\\B2\\\\Settings\\DataDir=";

class Becky2Test : public testing::TMailerTest {
 protected:
  void SetDataDir(const std::string& dir) {
    fixture_.SetString(TRegRoot::kCurrentUser, "Software\\RIMArts\\B2\\Settings", "DataDir", dir);
  }
  TFolder& IndexedFolder(TStoresHarness& h) {
    h.stores.Rebuild();
    return *h.stores.Tree().FindByFullCaption("Becky!2\\a\\受信箱");
  }
  // One mailbox "C:\B2\a.mb" with an inbox whose index holds `index_lines` after its
  // header, and a 4 KB mailbox file.
  void WriteIndexedStore(const std::string& index_lines) {
    SetDataDir("C:\\B2");
    fixture_.WriteFile("C:\\B2\\a.mb\\Mailbox.ini", "");
    fixture_.WriteFile("C:\\B2\\a.mb\\!!!!Inbox\\Folder.ini", "");
    fixture_.WriteFile("C:\\B2\\a.mb\\!!!!Inbox\\Folder.idx", "header\r\n" + index_lines);
    fixture_.WriteFile("C:\\B2\\a.mb\\!!!!Inbox\\m.bmf", std::string(4096, 'x'));
  }
  // An index line with `separators` separators, `offset` in field 1 and `size` in 12.
  static std::string Line(const std::string& offset, const std::string& size, int separators = 13) {
    std::string line = "id";
    for (int k = 1; k <= separators; ++k) {
      line += '\x01';
      line += k == 1 ? offset : k == 12 ? size : "f" + std::to_string(k);
    }
    return line + "\r\n";
  }
};

TEST_F(Becky2Test, NoDataDirectory) {
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkBecky2, {kDataDirLine, "no mailbox"},
                 "HKEY_CURRENT_USER\\Software\\RIMArts\\B2\\\\Settings\\DataDir がありません。");
}

TEST_F(Becky2Test, MailboxDirectoriesWithoutMailboxIni) {
  SetDataDir("C:\\B2");
  fixture_.MakeDirectory("C:\\B2\\a.mb");
  fixture_.WriteFile("C:\\B2\\.old.mb\\Mailbox.ini", "");  // names beginning with "." do not count
  fixture_.WriteFile("C:\\B2\\file.mb", "");
  fixture_.MakeDirectory("C:\\B2\\表.mb\\Mailbox.ini");  // a directory, not the file
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkBecky2,
                 {std::string(kDataDirLine) + "C:\\B2", "C:\\B2\\a.mb\\Mailbox.ini がありません",
                  "C:\\B2\\表.mb\\Mailbox.ini がありません", "no mailbox"},
                 "C:\\B2\\ に有効なメールボックスがありません。");
}

TEST_F(Becky2Test, FolderCaptionsAndOrder) {
  SetDataDir("C:\\B2\\");
  const std::string box = "C:\\B2\\4c1a7e2b.mb\\";
  fixture_.WriteFile(box + "Mailbox.ini", "[Account]\r\n");  // no name: the directory's
  fixture_.WriteFile(box + "work\\Folder.ini", "[Settings]\r\nname=  仕事  \r\nName=二番目\r\n");
  fixture_.WriteFile(box + "!TRASH\\Folder.ini", "Name=捨てない\r\n");  // fixed names win
  fixture_.WriteFile(box + "!!!!Inbox\\Folder.ini", "");
  fixture_.WriteFile(box + "!!!!Inbox\\ソフト\\Folder.ini", "");
  fixture_.WriteFile(box + "!!!!Inbox\\ソフト\\!!!Sent\\Folder.ini", "");
  fixture_.MakeDirectory(box + "Attach");  // no Folder.ini
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "Becky!2 [Becky2] \n"
            "  4c1a7e2b [4c1a7e2b.mb] 4c1a7e2b.mb\n"
            "    受信箱 [!!!!Inbox] 4c1a7e2b.mb\\!!!!Inbox *\n"
            "      ソフト [ソフト] 4c1a7e2b.mb\\!!!!Inbox\\ソフト *\n"
            "        送信済み [!!!Sent] 4c1a7e2b.mb\\!!!!Inbox\\ソフト\\!!!Sent *\n"
            "    ごみ箱 [!TRASH] 4c1a7e2b.mb\\!TRASH *\n"
            "    仕事 [work] 4c1a7e2b.mb\\work *\n");
}

TEST_F(Becky2Test, IndexLinesGiveByteRanges) {
  WriteIndexedStore(Line("1A0", "200") + Line("0", "10", 12) +  // exactly 12 separators
                    Line("0", "10", 11) +                       // one too few: no message
                    Line("ffffff", "10") +                      // beyond the mailbox
                    "id\x01"                                    // truncated mid-line
                    "1");
  TStoresHarness h(fixture_);
  TFolder& folder = IndexedFolder(h);
  EXPECT_EQ(h.MailsOf("Becky!2\\a\\受信箱"),
            "C:\\B2\\a.mb\\!!!!Inbox\\m.bmf 416 927\n"
            "C:\\B2\\a.mb\\!!!!Inbox\\m.bmf 0 15\n"
            "C:\\B2\\a.mb\\!!!!Inbox\\m.bmf 16777215 16777230\n");

  // An offset past the end of the mailbox reads as nothing rather than past the file.
  h.stores.EnumerateMails(folder);
  TMailReader reader(h.stores.Fs(), [] { return true; });
  EXPECT_EQ(reader.GetText(*folder.Mail(2)), "");
  EXPECT_EQ(reader.GetText(*folder.Mail(0)), std::string(512, 'x') + "\r\n");
}

TEST_F(Becky2Test, HugeLinesAndMissingMailboxesAreHarmless) {
  WriteIndexedStore(std::string(10 << 20, 'A') + "\r\n" + Line("0", "1"));
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.MailsOf("Becky!2\\a\\受信箱"), "C:\\B2\\a.mb\\!!!!Inbox\\m.bmf 0 0\n");
  // Without a mailbox file the index is not even read.
  fixture_.Remove("C:\\B2\\a.mb\\!!!!Inbox\\m.bmf");
  fixture_.WriteFile("C:\\B2\\a.mb\\!!!!Inbox\\Folder.idx", "header\r\n" + Line("zz", "1"));
  EXPECT_EQ(h.MailsOf("Becky!2\\a\\受信箱"), "");
}

TEST_F(Becky2Test, GarbageFieldsAreReportedAfterTheGoodEntries) {
  struct Case {
    std::string bad_line;
    std::string shown;  // the field as the message quotes it
  };
  const Case cases[] = {
      {Line("12G", "10"), "12G"},
      {Line("0", ""), ""},
      {Line("0", "-1"), "-1"},
      {Line(" 10", "1"), " 10"},
      // Addresses are 32-bit: a range that does not fit is as unusable as garbage.
      {Line("7FFFFFFF", "2"), "2"},
      {Line("100000000", "1"), "100000000"},
      {Line(std::string(100, 'Q'), "1"), std::string(40, 'Q')},
  };
  WriteIndexedStore("");
  TStoresHarness h(fixture_);
  TFolder& folder = IndexedFolder(h);
  const std::string index = "C:\\B2\\a.mb\\!!!!Inbox\\Folder.idx";
  for (const Case& c : cases) {
    fixture_.WriteFile(index, "header\r\n" + Line("10", "20") + c.bad_line + Line("30", "40"));
    for (bool japanese : {true, false}) {
      SetInterfaceLanguage(japanese);
      folder.ClearMails();
      EXPECT_EQ(
          EnumerationError(h, folder),
          japanese
              ? index + " の 3 行目: \"" + c.shown + "\" は16進数の位置または長さとして読めません。"
              : index + ", line 3: \"" + c.shown + "\" is not a hexadecimal offset or size.")
          << c.bad_line;
      ASSERT_EQ(folder.MailCount(), 1);
      EXPECT_EQ(*folder.Mail(0), (TMail{"C:\\B2\\a.mb\\!!!!Inbox\\m.bmf", 16, 47}));
    }
  }
  SetInterfaceLanguage(true);
}

}  // namespace
}  // namespace lorvane
