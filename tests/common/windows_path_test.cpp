// Windows path parts, with trail bytes that look like separators.

#include "common/windows_path.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

TEST(WindowsPathTest, PartsOfAPath) {
  EXPECT_EQ(ExtractFilePath("C:\\Mail\\In.mbx"), "C:\\Mail\\");
  EXPECT_EQ(ExtractFileName("C:\\Mail\\In.mbx"), "In.mbx");
  EXPECT_EQ(ExtractFileExt("C:\\Mail\\In.mbx"), ".mbx");
  EXPECT_EQ(ExtractFilePath("In.mbx"), "");
  EXPECT_EQ(ExtractFileName("C:In.mbx"), "In.mbx");
  EXPECT_EQ(ExtractFileExt("C:\\a.d\\README"), "");
  EXPECT_EQ(ExtractFileExt("C:\\a\\b.tar.gz"), ".gz");
}

TEST(WindowsPathTest, TrailBytesAreNotSeparators) {
  // "ソ" and "表" end in 0x5C.
  EXPECT_EQ(ExtractFilePath("C:\\ソフト\\表.txt"), "C:\\ソフト\\");
  EXPECT_EQ(ExtractFileName("C:\\ソフト\\表.txt"), "表.txt");
  EXPECT_EQ(ExtractFileName("C:\\表"), "表");
}

TEST(WindowsPathTest, ChangeOrAddTheExtension) {
  EXPECT_EQ(ChangeFileExt("C:\\Lorvane\\lorvane.exe", ".log"), "C:\\Lorvane\\lorvane.log");
  EXPECT_EQ(ChangeFileExt("C:\\Lorvane\\lorvane", ".log"), "C:\\Lorvane\\lorvane.log");
  EXPECT_EQ(ChangeFileExt("C:\\v1.2\\prog", ".ini"), "C:\\v1.2\\prog.ini");
}

}  // namespace
}  // namespace lorvane
