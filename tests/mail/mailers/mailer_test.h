#pragma once
// What the tests of every mail program share: a scratch prefix for the test's own store, the
// log's header, the checks of a detection that succeeds or fails, the error an enumeration
// raises, and counts over the folder tree.
//
//   class BeckyTest : public testing::TMailerTest {};
//   TEST_F(BeckyTest, NoHome) {
//     TStoresHarness h(fixture_);
//     ExpectNotFound(h, mkBecky, {"HKEY_...\\HomeDir="}, "HKEY_...\\HomeDir がありません。");
//   }

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/exception.h"
#include "mail/mailer_catalogue.h"
#include "support/enumerated_subjects.h"
#include "support/interactive_stores.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane::testing {

class TMailerTest : public ::testing::Test {
 protected:
  // The log line that opens a detection of `kind` at the harness's fixed time.
  static std::string Header(int kind) { return "■" + MailerName(kind) + " 2026/12/06 09:30:00"; }

  // `kind` is not found. Automatic detection logs the header and `log` and shows nothing;
  // asked for by name, it logs the same and shows `message` as its one error.
  static void ExpectNotFound(TStoresHarness& h, int kind, const std::vector<std::string>& log,
                             const std::string& message) {
    std::vector<std::string> expected = {Header(kind)};
    expected.insert(expected.end(), log.begin(), log.end());
    EXPECT_FALSE(h.stores.DetectMailer(kind, true));
    EXPECT_EQ(LastDetection(h.Log()), expected);
    EXPECT_TRUE(h.dialogs.Messages().empty());
    EXPECT_FALSE(h.stores.DetectMailer(kind, false));
    EXPECT_EQ(LastDetection(h.Log()), expected);
    EXPECT_EQ(h.dialogs.Messages(), std::vector<std::string>{"エラー: " + message});
  }

  // `kind` is found (automatically or asked for by name) at `root`, logging the header and
  // `log`, and nothing is shown.
  static void ExpectFound(TStoresHarness& h, int kind, bool automatic,
                          const std::vector<std::string>& log, const std::string& root) {
    std::vector<std::string> expected = {Header(kind)};
    expected.insert(expected.end(), log.begin(), log.end());
    EXPECT_TRUE(h.stores.DetectMailer(kind, automatic));
    EXPECT_EQ(LastDetection(h.Log()), expected);
    EXPECT_EQ(h.stores.Root(kind), root);
    EXPECT_TRUE(h.dialogs.Messages().empty());
  }

  // The text of the error enumerating `folder` raises; "" when it raises none.
  static std::string EnumerationError(TStoresHarness& h, TFolder& folder) {
    try {
      h.stores.EnumerateMails(folder);
    } catch (const Exception& e) {
      return e.what();
    }
    return "";
  }

  // A further empty prefix in the test's scratch directory, for one case of a table.
  std::string NewPrefix() { return scratch_.Path("case" + std::to_string(++cases_)); }

  // How many levels the chain of first children goes below the first mail-program node.
  static int FirstChildDepth(TStoresHarness& h) {
    int depth = 0;
    for (const TFolder* f = h.stores.Tree().Mailer(0); f->ChildCount() > 0; f = f->Child(0)) {
      ++depth;
    }
    return depth;
  }
  // The nodes of the tree, mail-program nodes included.
  static int NodeCount(TStoresHarness& h) {
    int nodes = 0;
    h.stores.Tree().ForEachNode([&nodes](TFolder&) { ++nodes; });
    return nodes;
  }

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};

 private:
  int cases_ = 0;
};

// `text` with every `mark` replaced by `path`, so that a tree dump names a long directory once.
inline std::string Expand(std::string text, char mark, const std::string& path) {
  for (size_t i; (i = text.find(mark)) != std::string::npos;) text.replace(i, 1, path);
  return text;
}

}  // namespace lorvane::testing
