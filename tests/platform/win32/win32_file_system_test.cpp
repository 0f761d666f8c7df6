// The Win32 file system on real files (under Wine in CI): wildcards and sorted listings,
// reads at offsets, views (mapped or copied), atomic replacement, CP932 names whose trail
// byte is "\".
// Windows only: the POSIX backend has its own tests in tests/platform/posix/.

#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include "common/mbstring.h"
#include "platform/win32/windows_api.h"
#include "support/scratch_dir.h"

namespace lorvane {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  std::string At(const std::string& name) const { return scratch_.Path(name); }
  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    for (const TDirEntry& e : fs_.List(At(pattern))) names.push_back(e.name);
    return names;
  }

  ScratchDir scratch_;
  Win32FileSystem fs_{"C:\\Lorvane\\lorvane.exe"};
};

TEST_F(Win32FileSystemTest, ListingsMatchWildcardsAndSortByUpperCasedName) {
  scratch_.WriteFile("b.mbx", "bb");
  scratch_.WriteFile("A.mbx", "a");
  scratch_.WriteFile("ソフト.mbx", "");  // ソ is 0x83 0x5C
  scratch_.WriteFile("c.idx", "");
  scratch_.MakeDirectory("表");  // 表 is 0x95 0x5C
  EXPECT_EQ(Names("*.mbx"), (std::vector<std::string>{"A.mbx", "b.mbx", "ソフト.mbx"}));
  EXPECT_EQ(Names("*"), (std::vector<std::string>{"A.mbx", "b.mbx", "c.idx", "ソフト.mbx", "表"}));
  // "?" is one character, 表 too; ".*" also matches no extension at all.
  EXPECT_EQ(Names("?.*"), (std::vector<std::string>{"A.mbx", "b.mbx", "c.idx", "表"}));
  EXPECT_TRUE(Names("missing\\*").empty());

  const std::vector<TDirEntry> entries = fs_.List(At("*"));
  EXPECT_EQ(entries[1].size, 2u);
  EXPECT_TRUE(entries[4].attributes & faDirectory);
  EXPECT_EQ(entries[4].size, 0u);
  EXPECT_GT(entries[1].write_time, 1'600'000'000);

  EXPECT_TRUE(fs_.Exists(At("*.idx")));
  EXPECT_FALSE(fs_.Exists(At("*.zip")));
  EXPECT_TRUE(fs_.IsDirectory(At("表")));
  EXPECT_FALSE(fs_.IsDirectory(At("ソフト.mbx")));
}

TEST_F(Win32FileSystemTest, ReadsWholeFilesAndRanges) {
  scratch_.WriteFile("表\\m.txt", "0123456789");
  const std::string path = At("表\\m.txt");
  std::string out;
  EXPECT_EQ(fs_.ReadFile(path, &out), TReadStatus::kOk);
  EXPECT_EQ(out, "0123456789");
  EXPECT_EQ(fs_.ReadAt(path, 3, 4, &out), TReadStatus::kOk);
  EXPECT_EQ(out, "3456");
  EXPECT_EQ(fs_.ReadAt(path, 8, 5, &out), TReadStatus::kShort);
  EXPECT_EQ(out, "89");
  EXPECT_EQ(fs_.ReadAt(path, 20, 5, &out), TReadStatus::kShort);
  EXPECT_EQ(out, "");
  EXPECT_EQ(fs_.FileSize(path), 10u);

  std::string error;
  EXPECT_EQ(fs_.ReadFile(At("none.txt"), &out, &error), TReadStatus::kNotFound);
  EXPECT_NE(error.find("none.txt"), std::string::npos);
  EXPECT_EQ(fs_.ReadFile(At("表"), &out), TReadStatus::kError);
  EXPECT_EQ(fs_.FileSize(At("表")), std::nullopt);
}

TEST_F(Win32FileSystemTest, ViewsMapLargeFilesCopySmallOnesAndFailAsReadsDo) {
  constexpr size_t kMapFrom = 64 * 1024;
  for (const size_t size : {size_t{0}, kMapFrom - 1, kMapFrom, size_t{3 << 20}}) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i * 7 % 26);
    scratch_.WriteFile("表\\v.mbx", bytes);
    TFileView view(std::string("stale"));
    ASSERT_EQ(fs_.ViewFile(At("表\\v.mbx"), &view), TReadStatus::kOk) << size;
    EXPECT_EQ(view.IsMapping(), size >= kMapFrom) << size;
    EXPECT_TRUE(view.Bytes() == bytes) << size;
    if (!view.IsMapping()) continue;
    // What makes a guard needless here: the file cannot shrink under the view. It may go.
    HANDLE h = CreateFileA(At("表\\v.mbx").c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SetEndOfFile(h));
    CloseHandle(h);
    fs_.DeleteFile(At("表\\v.mbx"));
    EXPECT_TRUE(view.Bytes() == bytes) << size;
  }
  for (const char* name : {"none.mbx", "表"}) {
    std::string contents;
    std::string read_error;
    const TReadStatus read_status = fs_.ReadFile(At(name), &contents, &read_error);
    TFileView view(std::string("stale"));
    std::string view_error;
    EXPECT_EQ(fs_.ViewFile(At(name), &view, &view_error), read_status) << name;
    EXPECT_NE(read_status, TReadStatus::kOk) << name;
    EXPECT_EQ(view_error, read_error) << name;
    EXPECT_EQ(view.Bytes(), "") << name;
  }
}

TEST_F(Win32FileSystemTest, ReplacementIsWholeAndLeavesNoTemporaryFile) {
  const std::string path = At("ソフト.ini");
  ASSERT_TRUE(fs_.ReplaceFile(path, "old"));
  ASSERT_TRUE(fs_.ReplaceFile(path, "new contents"));
  EXPECT_EQ(scratch_.ReadFile("ソフト.ini"), "new contents");
  EXPECT_EQ(scratch_.Names(), (std::vector<std::string>{"ソフト.ini"}));

  std::string error;
  EXPECT_FALSE(fs_.ReplaceFile(At("missing\\x.ini"), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(fs_.DeleteFile(path));
  EXPECT_FALSE(fs_.Exists(path));
}

TEST_F(Win32FileSystemTest, ProgramAndWindowsDirectory) {
  EXPECT_EQ(fs_.ProgramPath(), "C:\\Lorvane\\lorvane.exe");
  const std::string windows = fs_.WindowsDirectory();
  EXPECT_EQ(UpperAscii(windows), "C:\\WINDOWS");
  EXPECT_FALSE(Win32ExecutablePath().empty());
  EXPECT_EQ(fs_.ToHostPath("C:\\表\\a"), "C:\\表\\a");
}

}  // namespace
}  // namespace lorvane
