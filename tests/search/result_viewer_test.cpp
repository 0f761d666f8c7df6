// Hits handed to a viewer and the row a viewer's message selects, with damaged addresses
// and several messages of one file.

#include "search/result_viewer.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

TResultList Hits() {
  TResultList list;
  for (const auto& [file, first, last] : {std::tuple{"C:\\Mail\\ソ.mbx", "0", "9"},
                                           std::tuple{"C:\\Mail\\ソ.mbx", "10", "-1"},
                                           std::tuple{"C:\\Mail\\a,b.txt", "x", ""},
                                           std::tuple{"C:\\Mail\\ソ.mbx", "10", "20"}}) {
    list.Append({"Soft", "Folder", "2026-12-07", "10:00:00", "s", "t", file, first, last});
  }
  return list;
}

TEST(ResultViewerTest, EveryHitInListOrder) {
  TViewerMessages viewer;
  AddResultToViewer(Hits(), &viewer);
  ASSERT_EQ(viewer.Count(), 4);
  EXPECT_EQ(viewer.Entry(0), "0,9,C:\\Mail\\ソ.mbx");
  EXPECT_EQ(viewer.Entry(2), "0,-1,C:\\Mail\\a,b.txt");  // damaged numbers: the whole file
  EXPECT_EQ(viewer.MailAt(1), (TMail{"C:\\Mail\\ソ.mbx", 10, -1}));
}

TEST(ResultViewerTest, TheFirstRowWithTheFileAndFirstLine) {
  const TResultList hits = Hits();
  const struct {
    const char* file;
    int32_t first;
    int row;
  } kCases[] = {
      {"C:\\Mail\\ソ.mbx", 0, 0},
      {"C:\\Mail\\ソ.mbx", 10, 1},  // not the later row with the same start
      {"C:\\Mail\\a,b.txt", 0, 2},  // as the viewer got the damaged First
      {"C:\\MAIL\\ソ.mbx", 0, -1},  // names compare exactly
      {"C:\\Mail\\ソ.mbx", 9, -1},
      {"", 0, -1},
  };
  for (const auto& c : kCases) EXPECT_EQ(RowOfViewedMail(hits, c.file, c.first), c.row) << c.file;
  EXPECT_EQ(RowOfViewedMail(TResultList(), "C:\\Mail\\ソ.mbx", 0), -1);
}

}  // namespace
}  // namespace lorvane
