// akira32Gold: detection through the registry and mail.ini, the box list with its levels,
// and index entries as message files or records of message.txt.

#include <gtest/gtest.h>

#include <functional>

#include "common/language.h"
#include "mail/mail_reader.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kKey = "Software\\AyanoAkira\\akira32Gold";
const std::string kLogKey = "HKEY_CURRENT_USER\\" + kKey;
const std::string kHeader = "■akira32Gold 2026/12/06 09:30:00";
const std::string kMail = "C:\\akira32Gold\\taro\\mail\\";

// A prefix for one test's store.
struct TStore {
  // A user whose mail.ini holds `mail_ini` and whose mail directory is C:\A\<user>\mail\.
  void User(const std::string& user, const std::string& mail_ini) {
    fixture_.SetString(TRegRoot::kCurrentUser, kKey + "\\user\\" + user, "path", "C:\\A\\" + user);
    fixture_.WriteFile("C:\\A\\" + user + "\\home\\mail.ini", mail_ini);
  }
  void Version(uint32_t version) {
    fixture_.SetDword(TRegRoot::kCurrentUser, kKey, "version", version);
  }

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

class Akira32GoldTest : public ::testing::Test, public TStore {};

TEST_F(Akira32GoldTest, FixtureStoreIsDetectedDiscoveredAndEnumerated) {
  testing::BuildAkira32GoldStore(fixture_);
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  const std::vector<std::string> log = h.Log();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 4),
            (std::vector<std::string>{"", kHeader, kLogKey + "\\version=3812",
                                      kLogKey + "\\user\\User_taro=C:\\akira32Gold\\taro"}));
  EXPECT_EQ(h.stores.Root(mkAkira32Gold), "");
  EXPECT_EQ(h.TreeDump(),
            "akira32Gold [akira32Gold] \n"
            "  System [ROOT] " +
                kMail +
                "\n"
                "    送信待 [(OUT)] " +
                kMail +
                " *\n"
                "    草稿 [(DRAFT)] " +
                kMail +
                " *\n"
                "    送信済 [(SENT)] " +
                kMail +
                " *\n"
                "    ｾｰﾌﾃｨﾎﾞｯｸｽ [(SAFETY)] " +
                kMail +
                " *\n"
                "    ごみ箱 [(TRASH)] " +
                kMail +
                " *\n"
                "  受信箱 [0000001] " +
                kMail +
                " *\n"
                "  仕事 [0000010] " +
                kMail +
                "\n"
                "    プロジェクト [0000011] " +
                kMail +
                " *\n"
                "    ソフト表示 [0000012] " +
                kMail +
                " *\n"
                "  友人 [0000020] " +
                kMail + " *\n");

  // message.txt present: record addresses (the .DEL line is no entry).
  const std::string records = kMail + "articles\\0000001.mes\\message.txt";
  EXPECT_EQ(h.MailsOf("akira32Gold\\受信箱"),
            records + " 0 -2\n" + records + " 252 -2\n" + records + " 563 -2\n");
  EXPECT_EQ(h.MailsOf("akira32Gold\\仕事\\プロジェクト"),
            kMail + "articles\\0000011.mes\\00000001.MAI 0 -1\n" + kMail +
                "articles\\0000011.mes\\00000002.MAI 0 -1\n");
  EXPECT_EQ(h.MailsOf("akira32Gold\\System\\送信済"),
            kMail + "articles\\(SENT).mes\\00000001.MAI 0 -1\n");
  EXPECT_EQ(h.MailsOf("akira32Gold\\System\\ごみ箱"), "");

  // The second record, read as the reader reads it: its subject was a JIS encoded word.
  TFolder* inbox = h.stores.Tree().FindByFullCaption("akira32Gold\\受信箱");
  h.stores.EnumerateMails(*inbox);
  TMailReader reader(h.stores.Fs(), [] { return true; });
  const std::string text = reader.GetText(*inbox->Mail(1));
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "From: \"鈴木 花子\" <hanako@example.jp>");
  EXPECT_NE(text.find("Subject: 表計算ソフトの件\r\n"), std::string::npos);
  EXPECT_NE(text.find("表の集計が終わりました。"), std::string::npos);
  EXPECT_EQ(text.find("Weekly"), std::string::npos);
}

TEST_F(Akira32GoldTest, DetectionFailuresLogAndTellWhy) {
  struct Case {
    const char* name;
    std::function<void(TStore&)> setup;
    std::vector<std::string> log;  // after the header
    std::string message;
  };
  const Case cases[] = {
      {"no key",
       [](TStore&) {},
       {kLogKey + "\\version=0", "old version"},
       "akira32Gold のバージョンが古すぎます。"},
      {"version 3770",
       [](TStore& t) { t.Version(3770); },
       {kLogKey + "\\version=3770", "old version"},
       "akira32Gold のバージョンが古すぎます。"},
      {"version 3771, no user key",
       [](TStore& t) { t.Version(3771); },
       {kLogKey + "\\version=3771", "registry mismatch"},
       "レジストリ情報が変です。"},
      {"user key without users",
       [](TStore& t) {
         t.Version(3771);
         t.fixture_.SetString(TRegRoot::kCurrentUser, kKey + "\\user", "count", "0");
       },
       {kLogKey + "\\version=3771", "not user"},
       "ユーザー数が０です。"},
      {"only the first MAILPATH= counts, and only in upper case",
       [](TStore& t) {
         t.Version(4000);
         t.User("User_taro",
                "mailpath=C:\\A\\good\r\nMAILPATH=C:\\A\\none\r\nMAILPATH=C:\\A\\good\r\n");
         t.fixture_.WriteFile("C:\\A\\good\\a_box.###", "B 0000001 受信箱\r\n");
       },
       {kLogKey + "\\version=4000", kLogKey + "\\user\\User_taro=C:\\A\\User_taro", "no mailbox"},
       "C:\\A\\none\\有効なメールボックスがありません。"},
      {"user without a path",
       [](TStore& t) {
         t.Version(4000);
         t.fixture_.SetString(TRegRoot::kCurrentUser, kKey + "\\user\\User_x", "name", "x");
       },
       {kLogKey + "\\version=4000", kLogKey + "\\user\\User_x=", "no mailbox"},
       "有効なメールボックスがありません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TStore t;
    c.setup(t);
    TStoresHarness h(t.fixture_);
    EXPECT_FALSE(h.stores.DetectMailer(mkAkira32Gold, false));
    std::vector<std::string> log = {kHeader};
    log.insert(log.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(h.Log(), log);
    EXPECT_EQ(h.dialogs.Messages(), std::vector<std::string>{"エラー: " + c.message});
  }
}

TEST_F(Akira32GoldTest, SecondUserIsTriedAndEachUserGetsANode) {
  Version(3771);
  User("User_hanako", "MAILPATH=C:\\A\\hanako\\mail\r\n");  // no a_box.###
  User("User_taro", "MAILPATH=C:\\A\\taro\\mail\r\n");
  fixture_.WriteFile("C:\\A\\taro\\mail\\a_box.###", "B 0000001 受信箱\r\n");
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkAkira32Gold, true));
  EXPECT_EQ(h.Log().back(), kLogKey + "\\user\\User_taro=C:\\A\\User_taro");
  // Two users: a node each, with the System folder below the user.
  fixture_.WriteFile("C:\\A\\hanako\\mail\\a_box.###", "B 0000002 受信箱\r\n");
  TStoresHarness h2(fixture_);
  h2.stores.Rebuild();
  const std::string m = "C:\\A\\hanako\\mail\\";
  const std::string t = "C:\\A\\taro\\mail\\";
  EXPECT_EQ(h2.TreeDump(),
            "akira32Gold [akira32Gold] \n"
            "  hanako [] \n"
            "    System [ROOT] " +
                m +
                "\n"
                "      送信待 [(OUT)] " +
                m + " *\n      草稿 [(DRAFT)] " + m +
                " *\n"
                "      送信済 [(SENT)] " +
                m + " *\n      ｾｰﾌﾃｨﾎﾞｯｸｽ [(SAFETY)] " + m +
                " *\n"
                "      ごみ箱 [(TRASH)] " +
                m +
                " *\n"
                "    受信箱 [0000002] " +
                m +
                " *\n"
                "  taro [] \n"
                "    System [ROOT] " +
                t +
                "\n"
                "      送信待 [(OUT)] " +
                t + " *\n      草稿 [(DRAFT)] " + t +
                " *\n"
                "      送信済 [(SENT)] " +
                t + " *\n      ｾｰﾌﾃｨﾎﾞｯｸｽ [(SAFETY)] " + t +
                " *\n"
                "      ごみ箱 [(TRASH)] " +
                t +
                " *\n"
                "    受信箱 [0000001] " +
                t + " *\n");
  // Both user nodes have the empty key, so they share one section.
  EXPECT_EQ(h2.stores.Tree().Mailer(0)->Child(0)->Section(),
            h2.stores.Tree().Mailer(0)->Child(1)->Section());
}

// The box list's levels, as a dump of the boxes below the mail-program node (System and
// its boxes left out).
std::string BoxTree(const std::string& box_list) {
  ScratchDir scratch;
  TMailFixture fixture(scratch.Path("prefix"));
  fixture.SetDword(TRegRoot::kCurrentUser, kKey, "version", 3771);
  fixture.SetString(TRegRoot::kCurrentUser, kKey + "\\user\\User_t", "path", "C:\\A");
  fixture.WriteFile("C:\\A\\home\\mail.ini", "MAILPATH=C:\\M\r\n");
  fixture.WriteFile("C:\\M\\a_box.###", box_list);
  TStoresHarness h(fixture);
  h.stores.Rebuild();
  std::string out;
  h.stores.Tree().ForEachNode([&out](TFolder& node) {
    if (node.NodeType() == ntMailer || node.Key() == "ROOT" || node.Parent()->Key() == "ROOT") {
      return;
    }
    int depth = 0;
    for (const TFolder* p = node.Parent(); p->NodeType() != ntMailer; p = p->Parent()) ++depth;
    out += std::string(static_cast<size_t>(depth) * 2, ' ') + node.Caption() + " [" + node.Key() +
           "]" + (node.HasMail() ? " *" : "") + "\n";
  });
  return out;
}

TEST(Akira32GoldBoxListTest, LinesOpenAndCloseLevels) {
  // A line of another type closes the "D" level: Old stands beside Work.
  EXPECT_EQ(BoxTree("D 0000010 Work\r\nB 0000011 Inbox\r\nX\r\nB 0000012 Old\r\n"),
            "Work [0000010]\n  Inbox [0000011] *\nOld [0000012] *\n");
  // "I" is a box like "B", "M" a container like "D"; at the top, another type ends the list.
  EXPECT_EQ(BoxTree("I 0000001 受信箱\r\nM 0000002 表示\r\nM 0000003 ソフト\r\n"
                    "B 0000004 ポ|\r\n\r\n\r\n\r\nB 0000005 消えた\r\n"),
            "受信箱 [0000001] *\n表示 [0000002]\n  ソフト [0000003]\n    ポ| [0000004] *\n");
  // A caption may be missing; the key is characters 3 to 9 even when they hold Japanese.
  EXPECT_EQ(BoxTree("B 0000001\r\nB 表示ソフト表示 長い名前\r\n"),
            " [0000001] *\n長い名前 [表示ソフト表示] *\n");
}

TEST(Akira32GoldBoxListTest, DeepNestingIsCutNotFollowed) {
  std::string list;
  for (int i = 0; i < 5000; ++i) list += "D 0000001 d\r\n";
  list += "B 0000002 deep\r\n";
  for (int i = 0; i < 5000; ++i) list += "E\r\n";
  list += "B 0000003 top\r\n";
  const std::string tree = BoxTree(list);
  EXPECT_EQ(tree.find("deep"), std::string::npos);
  EXPECT_NE(tree.find("\ntop [0000003] *\n"), std::string::npos);  // the levels still close
  EXPECT_LT(tree.size(), 64u * 64u * 4u);
}

TEST_F(Akira32GoldTest, IndexEntriesAndDamagedIndexes) {
  Version(3771);
  User("User_t", "MAILPATH=C:\\M\r\n");
  fixture_.WriteFile("C:\\M\\a_box.###", "B 0000001 files\r\nB 0000002 records\r\n");
  // Names are bytes 1 to 12 when bytes 9 to 12 are ".MAI" in any case; names that would
  // leave the box's directory are no entries.
  fixture_.WriteFile("C:\\M\\indexbox\\0000001.box",
                     "0000000A.mai\r\nshort.MAI\r\n0000000B.MAIL and more\r\n"
                     "..\\..\\x.MAI\r\n0000000C.TXT\r\n");
  fixture_.WriteFile("C:\\M\\articles\\0000002.mes\\message.txt", "#00000003\r\nabc");
  fixture_.WriteFile("C:\\M\\indexbox\\0000002.box",
                     "0000001a.MAI\r\n00000000.MAI\r\n0000 x00.MAI\r\n0000000F.MAI\r\n");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.MailsOf("akira32Gold\\files"),
            "C:\\M\\articles\\0000001.mes\\0000000A.mai 0 -1\n"
            "C:\\M\\articles\\0000001.mes\\0000000B.MAI 0 -1\n");

  SetInterfaceLanguage(true);
  TFolder* records = h.stores.Tree().FindByFullCaption("akira32Gold\\records");
  try {
    h.stores.EnumerateMails(*records);
    ADD_FAILURE() << "no error for a damaged offset";
  } catch (const Exception& e) {
    EXPECT_EQ(
        std::string(e.what()),
        "C:\\M\\indexbox\\0000002.box の 3 行目: \"0000 x00\" は16進数の数値ではありません。");
  }
  // What was listed before the damaged line stays.
  ASSERT_EQ(records->MailCount(), 2);
  EXPECT_EQ(records->Mail(0)->First, 26);
  EXPECT_EQ(records->Mail(1)->First, 0);
}

}  // namespace
}  // namespace lorvane
