// The sender and subject texts for the clipboard: raw, from the first header block only,
// cut at 255 bytes without halving a character, and found past the first read.

#include "mail/header_clip.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace lorvane {
namespace {

using testing::MemoryFileSystem;
using namespace std::string_literals;

const std::string kFile = "C:\\Mail\\a.mbx";

TEST(HeaderClipTest, RawLinesOfTheFirstHeaderBlock) {
  MemoryFileSystem fs;
  fs.AddFile(kFile,
             "from:  =?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <t@x.jp> \t\r\n"
             "SUBJECT:\tソフト表示\r\n"
             "Subject: second\r\n"
             "\r\n"
             "From: body\r\n");
  EXPECT_EQ(SenderClipText(fs, kFile), "=?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <t@x.jp>");
  EXPECT_EQ(SubjectClipText(fs, kFile), "ソフト表示");
  fs.AddFile(kFile, "Subject: s\r\n\r\nFrom: in the body\r\n");
  EXPECT_EQ(SenderClipText(fs, kFile), "");
  fs.AddFile(kFile, "Subject: s\r\n\0From: after a NUL\r\n"s);
  EXPECT_EQ(SenderClipText(fs, kFile), "");
  EXPECT_EQ(SenderClipText(fs, "C:\\Mail\\gone.mbx"), "");
  EXPECT_EQ(SubjectClipText(fs, "C:\\Mail"), "");
}

TEST(HeaderClipTest, At255BytesNeverHalfACharacter) {
  MemoryFileSystem fs;
  fs.AddFile(kFile, "Subject:" + std::string(300, 'a') + "\r\n");
  EXPECT_EQ(SubjectClipText(fs, kFile), std::string(255, 'a'));
  // 254 bytes, then "表": the character would end at byte 256 and stays out.
  fs.AddFile(kFile, "Subject:" + std::string(254, 'a') + "表x\r\n");
  EXPECT_EQ(SubjectClipText(fs, kFile), std::string(254, 'a'));
  fs.AddFile(kFile, "Subject:" + std::string(253, 'a') + "表x\r\n");
  EXPECT_EQ(SubjectClipText(fs, kFile), std::string(253, 'a') + "表");
}

TEST(HeaderClipTest, HeaderLinesPastTheFirstRead) {
  MemoryFileSystem fs;
  // The Subject line straddles the first 64 KB; the From line lies far beyond it.
  std::string header;
  while (header.size() < 65000) header += "X-Pad: 0123456789\r\n";
  header += "X-Fill: " + std::string(65530 - header.size() - 10, 'a') + "\r\n";
  header += "Subject: straddling the edge\r\n";  // bytes 65530 to 65559
  for (int i = 0; i < 20000; ++i) header += "X-More: 0123456789\r\n";
  header += "From: late\r\n\r\nbody\r\n";
  fs.AddFile(kFile, header);
  EXPECT_EQ(SubjectClipText(fs, kFile), "straddling the edge");
  EXPECT_EQ(SenderClipText(fs, kFile), "late");
}

}  // namespace
}  // namespace lorvane
