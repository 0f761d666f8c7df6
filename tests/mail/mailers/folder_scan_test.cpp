// The folder scan's bounds: a store whose folders never end still ends the scan.

#include "mail/mailers/folder_scan.h"

#include <gtest/gtest.h>

#include "mail/mailers/mailer_support.h"
#include "persist/ini_file.h"

namespace lorvane::mailers {
namespace {

TEST(ScanFoldersTest, StopsAtTheDepthLimitAndTheFolderBudget) {
  TIniFile ini;
  TFolder top(ini, 4, 1, 6, "", "top", "", "top", "", false);
  // A chain that never ends: every folder has one sub-folder.
  int expanded = 0;
  ScanFolders({&top, ""}, [&](const TFolderScan& s) {
    ++expanded;
    return std::vector<TFolderScan>{{s.node->AddChild(2, 1, "x", "x", "", true), ""}};
  });
  EXPECT_EQ(expanded, kMaxFolderDepth);

  // Every folder has two sub-folders: the depth limit alone would allow 2^64.
  expanded = 0;
  TFolder wide(ini, 4, 1, 6, "", "wide", "", "wide", "", false);
  ScanFolders({&wide, ""}, [&](const TFolderScan& s) {
    ++expanded;
    return std::vector<TFolderScan>{{s.node, ""}, {s.node, ""}};
  });
  EXPECT_EQ(expanded, kMaxScannedFolders);
}

}  // namespace
}  // namespace lorvane::mailers
