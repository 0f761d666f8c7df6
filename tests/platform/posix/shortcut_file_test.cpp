// Shortcut files built in the documented layout: targets and arguments in the 8-bit and
// Unicode forms, and files that are missing, truncated or garbage, which must give an
// empty result and never a crash.
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

#include "platform/posix/shortcut_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>
#include <vector>

#include "platform/posix/posix_shell.h"
#include "support/lnk_writer.h"
#include "support/scratch_dir.h"

namespace lorvane {
namespace {

class ShortcutFileTest : public ::testing::Test {
 protected:
  TShortcut Read(const std::string& bytes) {
    dir_.WriteFile("s.lnk", bytes);
    return ReadShortcutFile(dir_.Path("s.lnk"));
  }

  ScratchDir dir_;
};

// A shortcut to `target` with `arguments`, in the 8-bit form; tests change the rest.
TLnkFields Fields(const std::string& target, const std::string& arguments) {
  TLnkFields fields;
  fields.local_base_path = target;
  fields.arguments = arguments;
  return fields;
}

TEST_F(ShortcutFileTest, ReadsTargetAndArguments) {
  struct TCase {
    const char* what;
    TLnkFields fields;
    const char* target;
    const char* arguments;
  };
  std::vector<TCase> cases;
  cases.push_back(
      {"8-bit", Fields("C:\\Program Files\\AL-Mail\\AlMail32.exe", "-m C:\\AL-Mail\\メール\\ソ表"),
       "C:\\Program Files\\AL-Mail\\AlMail32.exe", "-m C:\\AL-Mail\\メール\\ソ表"});
  cases.push_back({"Unicode strings", Fields("C:\\メール\\mailer.exe", "\"C:\\受信箱\\ポ\" /x"),
                   "C:\\メール\\mailer.exe", "\"C:\\受信箱\\ポ\" /x"});
  cases.back().fields.unicode_strings = true;
  cases.push_back(
      {"Unicode link info", Fields("C:\\ソフト\\表示.exe", "a"), "C:\\ソフト\\表示.exe", "a"});
  cases.back().fields.unicode_link_info = true;
  cases.back().fields.unicode_strings = true;
  cases.push_back({"path suffix", Fields("C:\\Mail", "b"), "C:\\Mail\\sub\\表.exe", "b"});
  cases.back().fields.common_path_suffix = "sub\\表.exe";
  cases.push_back({"other parts first", Fields("C:\\x.exe", "引数"), "C:\\x.exe", "引数"});
  cases.back().fields.unicode_strings = true;
  cases.back().fields.description = "説明";
  cases.back().fields.working_directory = "C:\\作業";
  cases.back().fields.with_id_list = true;
  cases.push_back({"no arguments", Fields("C:\\x.exe", ""), "C:\\x.exe", ""});
  cases.back().fields.has_arguments = false;
  cases.push_back({"no link info", Fields("", "only"), "", "only"});

  for (const TCase& c : cases) {
    const TShortcut shortcut = Read(BuildLnk(c.fields));
    EXPECT_EQ(shortcut.target, c.target) << c.what;
    EXPECT_EQ(shortcut.arguments, c.arguments) << c.what;
  }
}

TEST_F(ShortcutFileTest, MissingAndNonFilesGiveNothing) {
  for (const std::string& path :
       {dir_.Path("missing.lnk"), dir_.path(), std::string("/dev/null"), std::string()}) {
    const TShortcut shortcut = ReadShortcutFile(path);
    EXPECT_EQ(shortcut.target, "") << path;
    EXPECT_EQ(shortcut.arguments, "") << path;
  }
  ASSERT_EQ(mkfifo(dir_.Path("pipe.lnk").c_str(), 0644), 0);
  EXPECT_EQ(ReadShortcutFile(dir_.Path("pipe.lnk")).target, "");
}

TEST_F(ShortcutFileTest, TruncatedFilesNeverCrash) {
  TLnkFields fields = Fields("C:\\Program Files\\メール.exe", "-m C:\\受信箱");
  fields.unicode_link_info = true;
  fields.unicode_strings = true;
  fields.description = "d";
  fields.with_id_list = true;
  const std::string full = BuildLnk(fields);
  for (size_t size = 0; size < full.size(); ++size) {
    const TShortcut shortcut = Read(full.substr(0, size));
    // Whatever a cut file yields, it is never more than the whole file holds.
    EXPECT_TRUE(shortcut.target.empty() || shortcut.target == "C:\\Program Files\\メール.exe")
        << size;
    EXPECT_TRUE(shortcut.arguments.empty() || shortcut.arguments == "-m C:\\受信箱") << size;
  }
  EXPECT_EQ(Read(full).arguments, "-m C:\\受信箱");
}

TEST_F(ShortcutFileTest, GarbageNeverCrashes) {
  std::mt19937 random(20240601);
  TLnkFields fields = Fields("C:\\a\\b.exe", "x");
  fields.common_path_suffix = "c";
  const std::string valid = BuildLnk(fields);
  for (int round = 0; round < 300; ++round) {
    std::string bytes = valid;
    if (round < 100) {
      // Random bytes behind a valid header signature.
      bytes.resize(random() % 600);
      for (char& b : bytes) b = static_cast<char>(random());
      if (round % 2 == 0 && bytes.size() >= 20) bytes.replace(0, 20, valid.substr(0, 20));
    } else {
      // A valid file with a few bytes changed: offsets and sizes that point anywhere.
      for (int k = 0; k < 1 + round % 6; ++k)
        bytes[random() % bytes.size()] = static_cast<char>(random());
    }
    Read(bytes);
  }
}

TEST_F(ShortcutFileTest, RefusesDeclaredSizesBeyondTheFileAndOversizedFiles) {
  const std::string valid = BuildLnk(Fields("C:\\a.exe", "x"));
  ASSERT_EQ(Read(valid).arguments, "x");
  std::string huge_link_info = valid;
  huge_link_info[0x4C + 3] = '\x7F';  // LinkInfoSize, just after the header: about 2 GB
  EXPECT_EQ(Read(huge_link_info).arguments, "");
  std::string huge_extra_block = valid;
  huge_extra_block.replace(huge_extra_block.size() - 4, 4, "\x10\x00\x00\x80");
  EXPECT_EQ(Read(huge_extra_block).arguments, "");
  EXPECT_EQ(Read(valid + std::string(2 << 20, '\0')).arguments, "");
}

TEST_F(ShortcutFileTest, ShellResolvesAWindowsPath) {
  dir_.WriteFile("Start Menu/AL-Mail.lnk", BuildLnk(Fields("C:\\AL\\AlMail32.exe", "C:\\AL\\Box")));
  PosixShell shell(DriveMap::ForDrives({{'C', dir_.path()}}));
  const TShortcut shortcut = shell.ResolveShortcut("c:\\start menu\\al-mail.LNK");
  EXPECT_EQ(shortcut.target, "C:\\AL\\AlMail32.exe");
  EXPECT_EQ(shortcut.arguments, "C:\\AL\\Box");
  EXPECT_EQ(shell.ResolveShortcut("E:\\x.lnk").target, "");
}

}  // namespace
}  // namespace lorvane
