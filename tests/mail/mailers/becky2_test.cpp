// Becky!2: detection from the data directory, mailboxes and their nested folders (standard
// folders by name, others by Folder.ini), and the index of byte ranges with its damage.

#include <gtest/gtest.h>


#include "common/exception.h"
#include "common/language.h"
#include "mail/mail_reader.h"
#include "support/enumerated_subjects.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

constexpr const char* kHeader = "■Becky!2 2026/12/06 09:30:00";
constexpr const char* kDataDirLine =
    "HKEY_CURRENT_USER\\Software\\RIMArts\\B2\\\\Settings\\DataDir=";

class Becky2Test : public ::testing::Test {
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

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(Becky2Test, FixtureStoreIsFoundListedAndRead) {
  testing::BuildBecky2Store(fixture_);
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkBecky2, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{
                         kHeader, std::string(kDataDirLine) + "C:\\Program Files\\RimArts\\B2\\"}));
  EXPECT_EQ(h.stores.Root(mkBecky2), "C:\\Program Files\\RimArts\\B2\\");

  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "Becky!2 [Becky2] \n"
            "  会社（山田） [4c1a7e2b.mb] 4c1a7e2b.mb\n"
            "    受信箱 [!!!!Inbox] 4c1a7e2b.mb\\!!!!Inbox *\n"
            "      お得意様 [お得意様] 4c1a7e2b.mb\\!!!!Inbox\\お得意様 *\n"
            "    送信箱 [!!!!Outbox] 4c1a7e2b.mb\\!!!!Outbox *\n"
            "    草稿 [!!!Draft] 4c1a7e2b.mb\\!!!Draft *\n"
            "    送信済み [!!!Sent] 4c1a7e2b.mb\\!!!Sent *\n"
            "    リマインダ [!!!xReminder] 4c1a7e2b.mb\\!!!xReminder *\n"
            "    ごみ箱 [!Trash] 4c1a7e2b.mb\\!Trash *\n"
            "    プロジェクト [proj] 4c1a7e2b.mb\\proj *\n"
            "  個人 [5d2b8f3c.mb] 5d2b8f3c.mb\n"
            "    受信箱 [!!!!Inbox] 5d2b8f3c.mb\\!!!!Inbox *\n");
  const std::string bmf = "C:\\Program Files\\RimArts\\B2\\4c1a7e2b.mb\\!!!!Inbox\\1aa2c3d4.bmf";
  EXPECT_EQ(h.MailsOf("Becky!2\\会社（山田）\\受信箱"),
            bmf + " 0 229\n" + bmf + " 230 533\n" + bmf + " 534 1883\n");
  EXPECT_EQ(h.MailsOf("Becky!2\\会社（山田）\\送信箱"), "");

  EXPECT_EQ(SubjectsOf(h, "Becky!2\\会社（山田）\\受信箱"),
            "請求書の件\nソフト表示の件（続報）\nBackup report\n");
  // The byte range ends where the message does.
  TFolder* inbox = h.stores.Tree().FindByFullCaption("Becky!2\\会社（山田）\\受信箱");
  h.stores.EnumerateMails(*inbox);
  const std::string second =
      TMailReader(h.stores.Fs(), [] { return true; }).GetText(*inbox->Mail(1));
  EXPECT_EQ(second.substr(second.size() - 28), "修正版で表示が直りました。\r\n");
}

TEST_F(Becky2Test, NoDataDirectory) {
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkBecky2, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{kHeader, kDataDirLine, "no mailbox"}));
  EXPECT_TRUE(h.dialogs.Messages().empty());
  EXPECT_FALSE(h.stores.DetectMailer(mkBecky2, false));
  EXPECT_EQ(
      h.dialogs.Messages(),
      (std::vector<std::string>{
          "エラー: HKEY_CURRENT_USER\\Software\\RIMArts\\B2\\\\Settings\\DataDir がありません。"}));
}

TEST_F(Becky2Test, MailboxDirectoriesWithoutMailboxIni) {
  SetDataDir("C:\\B2");
  fixture_.MakeDirectory("C:\\B2\\a.mb");
  fixture_.WriteFile("C:\\B2\\.old.mb\\Mailbox.ini", "");  // names beginning with "." do not count
  fixture_.WriteFile("C:\\B2\\file.mb", "");
  fixture_.MakeDirectory("C:\\B2\\表.mb\\Mailbox.ini");  // a directory, not the file
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkBecky2, false));
  EXPECT_EQ(h.Log(),
            (std::vector<std::string>{kHeader, std::string(kDataDirLine) + "C:\\B2",
                                      "C:\\B2\\a.mb\\Mailbox.ini がありません",
                                      "C:\\B2\\表.mb\\Mailbox.ini がありません", "no mailbox"}));
  EXPECT_EQ(h.dialogs.Messages(),
            (std::vector<std::string>{"エラー: C:\\B2\\ に有効なメールボックスがありません。"}));
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
      try {
        h.stores.EnumerateMails(folder);
        ADD_FAILURE() << "no error for " << c.bad_line;
      } catch (const Exception& e) {
        EXPECT_EQ(e.what(), japanese ? index + " の 3 行目: \"" + c.shown +
                                           "\" は16進数の位置または長さとして読めません。"
                                     : index + ", line 3: \"" + c.shown +
                                           "\" is not a hexadecimal offset or size.");
      }
      ASSERT_EQ(folder.MailCount(), 1);
      EXPECT_EQ(*folder.Mail(0), (TMail{"C:\\B2\\a.mb\\!!!!Inbox\\m.bmf", 16, 47}));
    }
  }
  SetInterfaceLanguage(true);
}

}  // namespace
}  // namespace lorvane
