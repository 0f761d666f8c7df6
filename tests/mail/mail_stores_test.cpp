// Detection's common steps (the log, hidden kinds, the node and its settings, the
// interactive message), the rebuild order, and the catalogue.

#include "mail/mail_stores.h"

#include <gtest/gtest.h>

#include "mail/mailer_catalogue.h"
#include "mailers/mailer_test.h"
#include "persist/settings_keys.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

TEST(MailerCatalogueTest, NamesKeysAndIcons) {
  EXPECT_EQ(MailerName(0), "Directory");
  EXPECT_EQ(MailerName(mkAlMail), "AL-Mail");
  EXPECT_EQ(MailerKey(mkAlMail), "AL_Mail");
  EXPECT_EQ(MailerKey(mkAlMail32), "AL_Mail32");
  EXPECT_EQ(MailerName(mkBecky2), "Becky!2");
  EXPECT_EQ(MailerKey(mkBecky2), "Becky2");
  EXPECT_EQ(MailerName(mkDenshin8), "電信八号");
  EXPECT_EQ(MailerKey(mkDenshin8), "電信八号");
  EXPECT_EQ(MailerIcon(mkDenshin8), 19);
  EXPECT_EQ(MailerName(18), "");
  EXPECT_EQ(MailerName(-1), "");
  EXPECT_EQ(MailerKindOfName("Becky!"), mkBecky);
  EXPECT_EQ(MailerKindOfName("becky!"), -1);
  for (int k = 0; k < kMailerKinds; ++k) {
    EXPECT_EQ(MailerEntry(k)->kind, k);
    EXPECT_EQ(HeaderNamesWithoutBlank(k), k == mkBecky || k == mkBecky2) << k;
  }
  EXPECT_FALSE(HeaderNamesWithoutBlank(-1));
}

using MailStoresTest = testing::TMailerTest;

TEST_F(MailStoresTest, AutomaticRunLogsEveryKindInOrderAndCutsTheLog) {
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  std::vector<std::string> log = h.Log();
  ASSERT_GE(log.size(), 19u);
  EXPECT_EQ(log[0], "");
  EXPECT_EQ(log[1], Header(mkAkira32Gold));
  std::vector<std::string> headers;
  for (const auto& line : log) {
    if (line.rfind("■", 0) == 0) headers.push_back(line.substr(2, line.find(' ') - 2));
  }
  ASSERT_EQ(headers.size(), 18u);
  EXPECT_EQ(headers.front(), "akira32Gold");
  EXPECT_EQ(headers[16], "電信八号");
  EXPECT_EQ(headers.back(), "Directory");
  for (int run = 0; run < 10; ++run) h.stores.Rebuild();
  EXPECT_EQ(h.Log().size(), 100u);
  EXPECT_EQ(h.Log().back(), Header(mkDirectory));
}

TEST_F(MailStoresTest, DirectoryKindIsFoundByItsCount) {
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkDirectory, true));
  EXPECT_EQ(h.stores.Tree().MailerCount(), 0);
  h.ini.WriteInteger(keys::kDirectory, keys::kNumber, 1);
  EXPECT_TRUE(h.stores.DetectMailer(mkDirectory, true));
  ASSERT_EQ(h.stores.Tree().MailerCount(), 1);
  const TFolder* node = h.stores.Tree().Mailer(0);
  EXPECT_EQ(node->Caption(), "Directory");
  EXPECT_EQ(node->Key(), "Directory");
  EXPECT_EQ(node->ImageIndex(), 2);
  EXPECT_EQ(node->NodeType(), ntMailer);
  // Kind 0 writes neither "Installed" nor "Hidden".
  EXPECT_FALSE(h.ini.ValueExists("Mailers\\Directory", keys::kInstalled));
}

TEST_F(MailStoresTest, HiddenKindsGetOnlyTheirHeader) {
  TStoresHarness h(fixture_);
  h.ini.WriteBool("Mailers\\Becky2", keys::kHidden, true);
  fixture_.SetString(TRegRoot::kCurrentUser, "Software\\RimArts\\B2\\Settings", "DataDir", "");
  EXPECT_FALSE(h.stores.DetectMailer(mkBecky2, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{Header(mkBecky2)}));
  EXPECT_TRUE(h.dialogs.Messages().empty());
}

TEST_F(MailStoresTest, InteractiveFailureShowsTheMessage) {
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkDirectory, false));
  ASSERT_EQ(h.dialogs.Messages().size(), 1u);
  EXPECT_EQ(h.dialogs.Messages()[0].substr(0, 6), "エラー");
}

TEST_F(MailStoresTest, UnwritableLogIsIgnored) {
  TStoresHarness h(fixture_);
  // The program's directory goes, so the log cannot be saved.
  fixture_.Remove("C:\\Lorvane");
  h.ini.WriteInteger(keys::kDirectory, keys::kNumber, 1);
  EXPECT_TRUE(h.stores.DetectMailer(mkDirectory, true));
}

}  // namespace
}  // namespace lorvane
