// The file system on real files in a fake Wine prefix: wildcard existence tests,
// listings with attributes and order, whole and partial reads, views (mapped or copied,
// and files shrinking under them), atomic replacement and its failures, and the program's
// own paths.
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "platform/posix/mapped_file.h"
#include "support/fake_wine_prefix.h"

namespace lorvane {
namespace {

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wine_.WriteOnC("Mail/InBox.mbx", "0123456789");
    wine_.WriteOnC("Mail/README", "read me");
    wine_.WriteOnC("Mail/.hidden", "");
    wine_.WriteOnC("Mail/受信箱.txt", "受信");
    wine_.WriteOnC("Mail/ソ表.dat", "");
    wine_.MakeDirectoryOnC("Mail/Account1");
    wine_.MakeDirectoryOnC("Empty");
  }

  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    for (const TDirEntry& e : fs_.List(pattern)) names.push_back(e.name);
    return names;
  }

  FakeWinePrefix wine_;
  PosixFileSystem fs_{wine_.Drives(), wine_.OnC("Program Files/Lorvane/Lorvane.exe")};
};

TEST_F(PosixFileSystemTest, ExistsWithAndWithoutWildcardsAndIsDirectory) {
  wine_.WriteOnC("NoDot/README", "");
  // Directories count; "*.*" takes names without a dot; "?" is a whole character.
  for (const char* pattern : {"C:\\Mail\\InBox.mbx", "c:\\MAIL\\inbox.MBX", "C:\\Mail\\Account1",
                              "C:\\Mail\\*.mbx", "C:\\mail\\*.MBX", "C:\\Mail\\Account*.*",
                              "C:\\Mail\\受信?.txt", "C:\\Mail\\ソ?.dat", "C:\\NoDot\\*.*"}) {
    EXPECT_TRUE(fs_.Exists(pattern)) << pattern;
  }
  // "." and ".." are not entries; wildcards work only in the last component.
  for (const char* pattern :
       {"C:\\Mail\\Outbox.mbx", "C:\\Mail\\*.xyz", "C:\\Mail\\?.dat", "C:\\Empty\\*",
        "C:\\Empty\\*.*", "C:\\Nowhere\\*.*", "C:\\Ma*\\InBox.mbx", "E:\\*.*"}) {
    EXPECT_FALSE(fs_.Exists(pattern)) << pattern;
  }
  for (const char* dir : {"C:\\Mail", "c:\\mail\\account1", "C:\\"}) {
    EXPECT_TRUE(fs_.IsDirectory(dir)) << dir;
  }
  EXPECT_FALSE(fs_.IsDirectory("C:\\Mail\\InBox.mbx"));
  EXPECT_FALSE(fs_.IsDirectory("C:\\Nowhere"));
}

TEST_F(PosixFileSystemTest, NamesWithoutACp932FormAreNotSeen) {
  wine_.scratch().WriteFile("prefix/drive_c/Odd/\xC3\x85.txt", "");  // Å
  wine_.scratch().WriteFile("prefix/drive_c/Odd/a:b", "");
  EXPECT_FALSE(fs_.Exists("C:\\Odd\\*.*"));
  EXPECT_TRUE(Names("C:\\Odd\\*").empty());
}

TEST_F(PosixFileSystemTest, ListsMatchingEntriesSortedByUpperCasedName) {
  wine_.WriteOnC("Sort/b.txt", "");
  wine_.WriteOnC("Sort/A.txt", "");
  wine_.WriteOnC("Sort/_x", "");
  wine_.WriteOnC("Sort/c", "");
  // Upper-cased, "_" (0x5F) sorts after the letters; by the names as written it would not.
  EXPECT_EQ(Names("C:\\Sort\\*"), (std::vector<std::string>{"A.txt", "b.txt", "c", "_x"}));
  EXPECT_EQ(Names("C:\\Sort\\*.TXT"), (std::vector<std::string>{"A.txt", "b.txt"}));
  EXPECT_EQ(Names("C:\\Mail\\*.*"), (std::vector<std::string>{".hidden", "Account1", "InBox.mbx",
                                                              "README", "ソ表.dat", "受信箱.txt"}));
  EXPECT_TRUE(Names("C:\\Nowhere\\*").empty());
  EXPECT_TRUE(Names("C:\\Mail\\").empty());
}

TEST_F(PosixFileSystemTest, ListsAttributesSizesAndTimes) {
  wine_.WriteOnC("Attr/plain.txt", "12345");
  wine_.WriteOnC("Attr/locked.txt", "1");
  wine_.WriteOnC("Attr/.dot", "");
  wine_.MakeDirectoryOnC("Attr/sub");
  ASSERT_EQ(chmod(wine_.OnC("Attr/locked.txt").c_str(), 0444), 0);
  const timespec times[2] = {{1000000000, 0}, {1234567890, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, wine_.OnC("Attr/plain.txt").c_str(), times, 0), 0);

  const std::vector<TDirEntry> entries = fs_.List("C:\\Attr\\*");
  ASSERT_EQ(entries.size(), 4u);
  const std::pair<const char*, uint32_t> expected[] = {{".dot", faArchive | faHidden},
                                                       {"locked.txt", faArchive | faReadOnly},
                                                       {"plain.txt", faArchive},
                                                       {"sub", faDirectory}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(entries[i].name, expected[i].first);
    EXPECT_EQ(entries[i].attributes, expected[i].second) << entries[i].name;
  }
  EXPECT_EQ(entries[2].size, 5u);
  EXPECT_EQ(entries[2].write_time, 1234567890);
  EXPECT_EQ(entries[3].size, 0u);
}

TEST_F(PosixFileSystemTest, ReadsWholeFilesAndTellsMissingFromBroken) {
  std::string contents = "stale";
  std::string error;
  EXPECT_EQ(fs_.ReadFile("C:\\MAIL\\受信箱.TXT", &contents, &error), TReadStatus::kOk);
  EXPECT_EQ(contents, "受信");

  for (const char* path : {"C:\\Mail\\Outbox.mbx", "C:\\Nowhere\\x", "C:\\Mail\\InBox.mbx\\x",
                           "E:\\x", "C:\\Mail\\Account1"}) {
    contents = "stale";
    error.clear();
    EXPECT_EQ(fs_.ReadFile(path, &contents, &error), std::string(path) == "C:\\Mail\\Account1"
                                                         ? TReadStatus::kError
                                                         : TReadStatus::kNotFound)
        << path;
    EXPECT_EQ(contents, "") << path;
    EXPECT_NE(error, "") << path;
    EXPECT_EQ(fs_.FileSize(path), std::nullopt) << path;  // sizes of files only
  }
  EXPECT_EQ(fs_.FileSize("c:\\mail\\inbox.mbx"), 10u);
  EXPECT_EQ(fs_.FileSize("C:\\Mail\\.hidden"), 0u);
}

TEST_F(PosixFileSystemTest, RefusesToReadAFifoInsteadOfWaitingForAWriter) {
  ASSERT_EQ(mkfifo(wine_.OnC("Mail/pipe.mbx").c_str(), 0644), 0);
  std::string contents;
  EXPECT_EQ(fs_.ReadFile("C:\\Mail\\pipe.mbx", &contents), TReadStatus::kError);
  EXPECT_EQ(fs_.ReadAt("C:\\Mail\\pipe.mbx", 0, 10, &contents), TReadStatus::kError);
  EXPECT_EQ(fs_.FileSize("C:\\Mail\\pipe.mbx"), std::nullopt);
}

TEST_F(PosixFileSystemTest, ReadsALargeFileWhole) {
  std::string big((9 << 20) + 7, '\0');  // past the size that asks for huge pages
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 % 251);
  wine_.WriteOnC("big.mbx", big);
  std::string contents;
  ASSERT_EQ(fs_.ReadFile("C:\\big.mbx", &contents), TReadStatus::kOk);
  EXPECT_TRUE(contents == big);
}

// Bytes without a NUL, so that NULs read back can only come from the guard.
std::string Letters(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i * 7 % 26);
  return bytes;
}

constexpr size_t kMapFrom = 64 * 1024;

TEST_F(PosixFileSystemTest, ViewsLargeFilesAsMappingsAndSmallOnesAsCopies) {
  const struct {
    size_t size;
    bool mapped;
  } cases[] = {{0, false}, {10, false}, {kMapFrom - 1, false}, {kMapFrom, true},
               {(3 << 20) + 5, true}};
  for (const auto& c : cases) {
    const std::string bytes = Letters(c.size);
    wine_.WriteOnC("View/file.mbx", bytes);
    TFileView view(std::string("stale"));
    std::string error;
    ASSERT_EQ(fs_.ViewFile("c:\\view\\FILE.mbx", &view, &error), TReadStatus::kOk) << error;
    EXPECT_EQ(view.IsMapping(), c.mapped) << c.size;
    EXPECT_TRUE(view.Bytes() == bytes) << c.size;
  }
}

TEST_F(PosixFileSystemTest, ViewFailsAsReadFileDoes) {
  ASSERT_EQ(mkfifo(wine_.OnC("Mail/pipe.mbx").c_str(), 0644), 0);
  for (const char* path : {"C:\\Mail\\Outbox.mbx", "C:\\Mail\\InBox.mbx\\x", "E:\\x",
                           "C:\\Mail\\Account1", "C:\\Mail\\pipe.mbx"}) {
    std::string contents;
    std::string read_error;
    const TReadStatus read_status = fs_.ReadFile(path, &contents, &read_error);
    TFileView view(std::string("stale"));
    std::string view_error;
    EXPECT_EQ(fs_.ViewFile(path, &view, &view_error), read_status) << path;
    EXPECT_NE(read_status, TReadStatus::kOk) << path;
    EXPECT_EQ(view_error, read_error) << path;
    EXPECT_EQ(view.Bytes(), "") << path;
  }
}

TEST_F(PosixFileSystemTest, ViewOutlivesTheFileAndTheFileSystem) {
  const std::string bytes = Letters(kMapFrom * 2);
  wine_.WriteOnC("Mail/big.mbx", bytes);
  wine_.WriteOnC("Mail/other.mbx", bytes);
  TFileView deleted;
  TFileView renamed;
  {
    PosixFileSystem fs(wine_.Drives(), wine_.OnC("Lorvane.exe"));
    ASSERT_EQ(fs.ViewFile("C:\\Mail\\big.mbx", &deleted), TReadStatus::kOk);
    ASSERT_EQ(fs.ViewFile("C:\\Mail\\other.mbx", &renamed), TReadStatus::kOk);
    ASSERT_TRUE(deleted.IsMapping() && renamed.IsMapping());
  }
  ASSERT_TRUE(fs_.DeleteFile("C:\\Mail\\big.mbx"));
  ASSERT_EQ(rename(wine_.OnC("Mail/other.mbx").c_str(), wine_.OnC("Mail/moved.mbx").c_str()), 0);
  wine_.WriteOnC("Mail/other.mbx", "new");
  const TFileView moved = std::move(deleted);
  EXPECT_TRUE(moved.Bytes() == bytes);
  EXPECT_TRUE(renamed.Bytes() == bytes);
}

// The regression this guards against is the process dying of SIGBUS.
TEST_F(PosixFileSystemTest, FileShrunkUnderAViewReadsNulsPastItsNewEnd) {
  const size_t size = kMapFrom * 4 + 123;
  for (const size_t new_size : {size_t{100'000}, size_t{0}}) {
    const std::string bytes = Letters(size);
    wine_.WriteOnC("Mail/shrinks.mbx", bytes);
    TFileView view;
    ASSERT_EQ(fs_.ViewFile("C:\\Mail\\shrinks.mbx", &view), TReadStatus::kOk);
    ASSERT_TRUE(view.IsMapping());
    ASSERT_EQ(truncate(wine_.OnC("Mail/shrinks.mbx").c_str(), static_cast<off_t>(new_size)), 0);
    const std::string_view seen = view.Bytes();
    ASSERT_EQ(seen.size(), size);
    EXPECT_TRUE(seen.substr(0, new_size) == std::string_view(bytes).substr(0, new_size));
    EXPECT_EQ(seen.find_first_not_of('\0', new_size), std::string_view::npos) << new_size;
  }
}

TEST_F(PosixFileSystemTest, SigbusOutsideAViewStillEndsTheProcess) {
  wine_.WriteOnC("Mail/big.mbx", Letters(kMapFrom * 4));
  TFileView view;  // puts the guard's handler in place
  ASSERT_EQ(fs_.ViewFile("C:\\Mail\\big.mbx", &view), TReadStatus::kOk);
  ASSERT_TRUE(view.IsMapping());
  wine_.WriteOnC("Mail/own.mbx", Letters(kMapFrom * 4));
  const std::string path = wine_.OnC("Mail/own.mbx");
  // A mapping of our own, not a view: the same fault must not be swallowed.
  EXPECT_DEATH(
      {
        const int fd = open(path.c_str(), O_RDONLY);
        auto* bytes = static_cast<const volatile char*>(
            mmap(nullptr, kMapFrom * 4, PROT_READ, MAP_PRIVATE, fd, 0));
        if (ftruncate(open(path.c_str(), O_WRONLY), 0) == 0) (void)bytes[kMapFrom * 2];
        _exit(0);
      },
      "");
  EXPECT_DEATH(raise(SIGBUS), "");
}

TEST_F(PosixFileSystemTest, ViewsBeyondTheGuardTableAreCopiesAndSlotsComeBack) {
  const std::string bytes = Letters(kMapFrom);
  wine_.WriteOnC("Mail/big.mbx", bytes);
  std::vector<TFileView> views(kMaxGuardedMappings + 3);
  size_t mapped = 0;
  for (TFileView& view : views) {
    ASSERT_EQ(fs_.ViewFile("C:\\Mail\\big.mbx", &view), TReadStatus::kOk);
    mapped += view.IsMapping();
    EXPECT_TRUE(view.Bytes() == bytes);
  }
  EXPECT_EQ(mapped, kMaxGuardedMappings);
  views.clear();
  TFileView again;
  ASSERT_EQ(fs_.ViewFile("C:\\Mail\\big.mbx", &again), TReadStatus::kOk);
  EXPECT_TRUE(again.IsMapping());
}

TEST_F(PosixFileSystemTest, ReadsAtOffsetsAndReportsShortReads) {
  constexpr uint64_t kHuge = std::numeric_limits<uint64_t>::max();
  constexpr size_t kAll = std::numeric_limits<size_t>::max();
  const struct {
    uint64_t offset;
    size_t count;
    TReadStatus status;
    const char* bytes;
  } cases[] = {
      {0, 4, TReadStatus::kOk, "0123"},       {6, 4, TReadStatus::kOk, "6789"},
      {8, 5, TReadStatus::kShort, "89"},      {0, kAll, TReadStatus::kShort, "0123456789"},
      {10, 1, TReadStatus::kShort, ""},       {uint64_t{1} << 40, 1, TReadStatus::kShort, ""},
      {kHuge, kAll, TReadStatus::kShort, ""}, {3, 0, TReadStatus::kOk, ""},
  };
  for (const auto& c : cases) {
    std::string out = "stale";
    EXPECT_EQ(fs_.ReadAt("C:\\Mail\\InBox.mbx", c.offset, c.count, &out), c.status)
        << c.offset << "+" << c.count;
    EXPECT_EQ(out, c.bytes) << c.offset << "+" << c.count;
  }
  std::string out;
  EXPECT_EQ(fs_.ReadAt("C:\\Mail\\Outbox.mbx", 0, 1, &out), TReadStatus::kNotFound);
  EXPECT_EQ(fs_.ReadAt("C:\\Mail", 0, 1, &out), TReadStatus::kError);
}

TEST_F(PosixFileSystemTest, ReplacesFilesWholeAndLeavesNoTemporary) {
  wine_.MakeDirectoryOnC("設定");
  std::string error;
  ASSERT_TRUE(fs_.ReplaceFile("C:\\設定\\Lorvane.ini", "first", &error)) << error;
  EXPECT_EQ(wine_.scratch().ReadFile(Cp932ToUtf8("prefix/drive_c/設定/Lorvane.ini")), "first");

  ASSERT_EQ(chmod(wine_.OnC("設定/Lorvane.ini").c_str(), 0640), 0);
  // Another letter case names the same file; it must not make a second one.
  ASSERT_TRUE(fs_.ReplaceFile("C:\\設定\\LORVANE.INI", "second", &error)) << error;
  EXPECT_EQ(wine_.scratch().Names(Cp932ToUtf8("prefix/drive_c/設定")),
            std::vector<std::string>{"Lorvane.ini"});
  EXPECT_EQ(wine_.scratch().ReadFile(Cp932ToUtf8("prefix/drive_c/設定/Lorvane.ini")), "second");
  struct stat st;
  ASSERT_EQ(stat(wine_.OnC("設定/Lorvane.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  ASSERT_TRUE(fs_.ReplaceFile("C:\\設定\\Lorvane.ini", "", &error)) << error;
  EXPECT_EQ(wine_.scratch().ReadFile(Cp932ToUtf8("prefix/drive_c/設定/Lorvane.ini")), "");
}

TEST_F(PosixFileSystemTest, ReplaceRefusesDirectoriesAndUnmappedPaths) {
  std::string error;
  EXPECT_FALSE(fs_.ReplaceFile("C:\\Mail", "x", &error));
  EXPECT_NE(error, "");
  EXPECT_TRUE(fs_.IsDirectory("C:\\Mail"));
  EXPECT_FALSE(fs_.ReplaceFile("E:\\x.ini", "x", &error));
  EXPECT_FALSE(fs_.ReplaceFile("C:\\Nowhere\\x.ini", "x", &error));
  EXPECT_NE(error.find("temporary"), std::string::npos) << error;
}

// Runs `body` in a child process, so that what it changes about the process stays
// there, and returns its exit status. `unprivileged`: as an ordinary user, since root may
// write anywhere.
template <typename Body>
int RunInChild(bool unprivileged, Body body) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
    _exit(body());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

TEST_F(PosixFileSystemTest, ReplaceInAReadOnlyDirectoryKeepsTheOldFile) {
  wine_.WriteOnC("RO/Lorvane.ini", "old");
  // The unprivileged user must reach the directory, but not write in it.
  for (std::string dir = wine_.OnC("RO");; dir = dir.substr(0, dir.rfind('/'))) {
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    if (dir == wine_.scratch().path()) break;
  }
  ASSERT_EQ(chmod(wine_.OnC("RO/Lorvane.ini").c_str(), 0666), 0);
  ASSERT_EQ(chmod(wine_.OnC("RO").c_str(), 0555), 0);

  const int status = RunInChild(true, [this] {
    std::string error;
    if (fs_.ReplaceFile("C:\\RO\\Lorvane.ini", "new", &error)) return 1;
    return error.find("temporary") != std::string::npos ? 0 : 2;
  });
  ASSERT_EQ(chmod(wine_.OnC("RO").c_str(), 0755), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(wine_.scratch().ReadFile("prefix/drive_c/RO/Lorvane.ini"), "old");
  EXPECT_EQ(wine_.scratch().Names("prefix/drive_c/RO"), std::vector<std::string>{"Lorvane.ini"});
}

TEST_F(PosixFileSystemTest, ReplaceThatCannotWriteKeepsTheOldFileAndRemovesTheTemporary) {
  wine_.WriteOnC("Full/Lorvane.ini", "old");
  // A file size limit makes the write fail the way a full disk does.
  const int status = RunInChild(false, [this] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    std::string error;
    if (fs_.ReplaceFile("C:\\Full\\Lorvane.ini", std::string(1000, 'x'), &error)) return 1;
    return error.find("write") != std::string::npos ? 0 : 2;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(wine_.scratch().ReadFile("prefix/drive_c/Full/Lorvane.ini"), "old");
  EXPECT_EQ(wine_.scratch().Names("prefix/drive_c/Full"), std::vector<std::string>{"Lorvane.ini"});
}

TEST_F(PosixFileSystemTest, DeletesFilesOnly) {
  EXPECT_TRUE(fs_.DeleteFile("C:\\mail\\readme"));
  EXPECT_FALSE(fs_.Exists("C:\\Mail\\README"));
  EXPECT_FALSE(fs_.DeleteFile("C:\\Mail\\README"));
  EXPECT_FALSE(fs_.DeleteFile("C:\\Mail\\Account1"));
  EXPECT_TRUE(fs_.IsDirectory("C:\\Mail\\Account1"));
}

TEST_F(PosixFileSystemTest, ProgramPathAndWindowsDirectory) {
  EXPECT_EQ(fs_.ProgramPath(), "C:\\Program Files\\Lorvane\\Lorvane.exe");
  EXPECT_EQ(fs_.WindowsDirectory(), "C:\\windows");
  wine_.MakeDirectoryOnC("Windows");
  EXPECT_EQ(fs_.WindowsDirectory(), "C:\\Windows");

  FakeWinePrefix no_z(false);
  PosixFileSystem outside(no_z.Drives(), "/opt/lorvane/lorvane");
  EXPECT_EQ(outside.ProgramPath(), "");
  EXPECT_EQ(outside.WindowsDirectory(), "C:\\windows");
}

}  // namespace
}  // namespace lorvane
