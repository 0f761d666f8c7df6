// akira32Gold: detection through the registry and mail.ini, the box list with its levels,
// and index entries as message files or records of message.txt.

#include <gtest/gtest.h>

#include <functional>

#include "common/language.h"
#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kKey = "Software\\AyanoAkira\\akira32Gold";
const std::string kLogKey = "HKEY_CURRENT_USER\\" + kKey;

void Version(TMailFixture& f, uint32_t version) {
  f.SetDword(TRegRoot::kCurrentUser, kKey, "version", version);
}
// A user whose mail.ini holds `mail_ini` and whose home is C:\A\<user>.
void User(TMailFixture& f, const std::string& user, const std::string& mail_ini) {
  f.SetString(TRegRoot::kCurrentUser, kKey + "\\user\\" + user, "path", "C:\\A\\" + user);
  f.WriteFile("C:\\A\\" + user + "\\home\\mail.ini", mail_ini);
}

// The System folder and its fixed boxes as the tree dump shows them, `indent` deep.
std::string SystemBoxes(const std::string& indent, const std::string& mail) {
  std::string out = indent + "System [ROOT] " + mail + "\n";
  for (const char* box : {"送信待 [(OUT)]", "草稿 [(DRAFT)]", "送信済 [(SENT)]",
                          "ｾｰﾌﾃｨﾎﾞｯｸｽ [(SAFETY)]", "ごみ箱 [(TRASH)]"}) {
    out += indent + "  " + box + " " + mail + " *\n";
  }
  return out;
}

class Akira32GoldTest : public testing::TMailerTest {
 protected:
  // The box list's levels, as a dump of the boxes below the mail-program node (System and
  // its boxes left out).
  std::string BoxTree(const std::string& box_list) {
    TMailFixture f(NewPrefix());
    Version(f, 3771);
    User(f, "User_t", "MAILPATH=C:\\M\r\n");
    f.WriteFile("C:\\M\\a_box.###", box_list);
    TStoresHarness h(f);
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
};

TEST_F(Akira32GoldTest, DetectionFailuresLogAndTellWhy) {
  struct Case {
    const char* name;
    uint32_t version;  // 0: no key at all
    std::function<void(TMailFixture&)> setup;
    std::vector<std::string> log;  // after the header and the version line
    std::string message;
  };
  const std::string old = "akira32Gold のバージョンが古すぎます。";
  const Case cases[] = {
      {"no key", 0, [](TMailFixture&) {}, {"old version"}, old},
      {"version 3770", 3770, [](TMailFixture&) {}, {"old version"}, old},
      {"no user key",
       3771,
       [](TMailFixture&) {},
       {"registry mismatch"},
       "レジストリ情報が変です。"},
      {"user key without users",
       3771,
       [](TMailFixture& f) { f.SetString(TRegRoot::kCurrentUser, kKey + "\\user", "count", "0"); },
       {"not user"},
       "ユーザー数が０です。"},
      {"only the first MAILPATH= counts, and only in upper case",
       4000,
       [](TMailFixture& f) {
         User(f, "User_taro",
              "mailpath=C:\\A\\good\r\nMAILPATH=C:\\A\\none\r\nMAILPATH=C:\\A\\good\r\n");
         f.WriteFile("C:\\A\\good\\a_box.###", "B 0000001 受信箱\r\n");
       },
       {kLogKey + "\\user\\User_taro=C:\\A\\User_taro", "no mailbox"},
       "C:\\A\\none\\有効なメールボックスがありません。"},
      {"user without a path",
       4000,
       [](TMailFixture& f) {
         f.SetString(TRegRoot::kCurrentUser, kKey + "\\user\\User_x", "name", "x");
       },
       {kLogKey + "\\user\\User_x=", "no mailbox"},
       "有効なメールボックスがありません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMailFixture f(NewPrefix());
    if (c.version != 0) Version(f, c.version);
    c.setup(f);
    TStoresHarness h(f);
    std::vector<std::string> log = {kLogKey + "\\version=" + std::to_string(c.version)};
    log.insert(log.end(), c.log.begin(), c.log.end());
    ExpectNotFound(h, mkAkira32Gold, log, c.message);
  }
}

TEST_F(Akira32GoldTest, SecondUserIsTriedAndEachUserGetsANode) {
  Version(fixture_, 3771);
  User(fixture_, "User_hanako", "MAILPATH=C:\\A\\hanako\\mail\r\n");  // no a_box.###
  User(fixture_, "User_taro", "MAILPATH=C:\\A\\taro\\mail\r\n");
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
  EXPECT_EQ(h2.TreeDump(), "akira32Gold [akira32Gold] \n  hanako [] \n" + SystemBoxes("    ", m) +
                               "    受信箱 [0000002] " + m + " *\n  taro [] \n" +
                               SystemBoxes("    ", t) + "    受信箱 [0000001] " + t + " *\n");
  // Both user nodes have the empty key, so they share one section.
  EXPECT_EQ(h2.stores.Tree().Mailer(0)->Child(0)->Section(),
            h2.stores.Tree().Mailer(0)->Child(1)->Section());
}

TEST_F(Akira32GoldTest, BoxListLinesOpenAndCloseLevels) {
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

TEST_F(Akira32GoldTest, DeepBoxListNestingIsCutNotFollowed) {
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
  Version(fixture_, 3771);
  User(fixture_, "User_t", "MAILPATH=C:\\M\r\n");
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
  EXPECT_EQ(EnumerationError(h, *records),
            "C:\\M\\indexbox\\0000002.box の 3 行目: \"0000 x00\" は16進数の数値ではありません。");
  // What was listed before the damaged line stays.
  ASSERT_EQ(records->MailCount(), 2);
  EXPECT_EQ(records->Mail(0)->First, 26);
  EXPECT_EQ(records->Mail(1)->First, 0);
}

}  // namespace
}  // namespace lorvane
