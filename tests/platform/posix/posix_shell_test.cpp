// Starting programs: the argument vector and environment built for Windows and host
// programs (with a recording launcher), and real detached starts that must leave no
// zombie behind.
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

#include "platform/posix/posix_shell.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "platform/posix/spawn.h"
#include "support/fake_wine_prefix.h"

namespace lorvane {
namespace {

using Strings = std::vector<std::string>;

struct TStart {
  Strings argv;
  Strings environment;
};

class PosixShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wine_.WriteOnC("Program Files/Editor/edit.exe", "MZ");
    wine_.WriteOnC("Mail/受信箱.txt", "x");
  }

  PosixShell Shell(const DriveMap& drives) {
    return PosixShell(drives, [this](const Strings& argv, const Strings& environment) {
      starts_.push_back({argv, environment});
      return true;
    });
  }

  FakeWinePrefix wine_;
  std::vector<TStart> starts_;
};

TEST_F(PosixShellTest, RunsWindowsProgramsThroughWineWithTheirPrefix) {
  PosixShell shell = Shell(wine_.Drives());
  ASSERT_TRUE(
      shell.StartProgram("C:\\Program Files\\Editor\\EDIT.EXE", "/n \"C:\\Mail\\受信箱.txt\" +12"));
  ASSERT_EQ(starts_.size(), 1u);
  EXPECT_EQ(starts_[0].argv, (Strings{"wine", "C:\\Program Files\\Editor\\EDIT.EXE", "/n",
                                      Cp932ToUtf8("C:\\Mail\\受信箱.txt"), "+12"}));
  EXPECT_EQ(starts_[0].environment, Strings{"WINEPREFIX=" + wine_.prefix()});

  // A bare name is left to Wine's own search path.
  ASSERT_TRUE(shell.StartProgram("notepad.exe", ""));
  EXPECT_EQ(starts_[1].argv, (Strings{"wine", "notepad.exe"}));
}

TEST_F(PosixShellTest, RefusesAMissingWindowsProgram) {
  PosixShell shell = Shell(wine_.Drives());
  EXPECT_FALSE(shell.StartProgram("C:\\Program Files\\Editor\\gone.exe", ""));
  EXPECT_FALSE(shell.StartProgram("E:\\edit.exe", ""));
  EXPECT_FALSE(shell.StartProgram("", "x"));
  EXPECT_TRUE(starts_.empty());
}

TEST_F(PosixShellTest, RunsHostProgramsDirectlyWithHostPathsForDriveArguments) {
  PosixShell shell = Shell(wine_.Drives());
  ASSERT_TRUE(shell.StartProgram("Z:\\usr\\bin\\gedit", "+3 \"c:\\mail\\受信箱.TXT\" C:x"));
  EXPECT_EQ(starts_[0].argv,
            (Strings{"/usr/bin/gedit", "+3", wine_.OnC("Mail/受信箱.txt"), "C:x"}));
  EXPECT_TRUE(starts_[0].environment.empty());

  ASSERT_TRUE(shell.StartProgram("gedit", "\"a b\""));
  EXPECT_EQ(starts_[1].argv, (Strings{"gedit", "a b"}));
  ASSERT_TRUE(shell.StartProgram("/usr/bin/gedit", ""));
  EXPECT_EQ(starts_[2].argv, (Strings{"/usr/bin/gedit"}));
}

TEST_F(PosixShellTest, WithoutAPrefixAnExecutableIsNotGivenToWine) {
  PosixShell shell = Shell(DriveMap::ForDrives({{'C', wine_.OnC()}}));
  ASSERT_TRUE(shell.StartProgram("C:\\Program Files\\Editor\\edit.exe", "x"));
  EXPECT_EQ(starts_[0].argv, (Strings{wine_.OnC("Program Files/Editor/edit.exe"), "x"}));
}

TEST_F(PosixShellTest, RefusesTextsThatAreNotCp932) {
  PosixShell shell = Shell(wine_.Drives());
  EXPECT_FALSE(shell.StartProgram("gedit", "ok \x83"));
  EXPECT_FALSE(shell.StartProgram("C:\\Program Files\\Editor\\edit.exe", "\x83"));
  EXPECT_TRUE(starts_.empty());
}

TEST_F(PosixShellTest, OpensExistingDocumentsWithXdgOpen) {
  PosixShell shell = Shell(wine_.Drives());
  ASSERT_TRUE(shell.OpenDocument("C:\\MAIL\\受信箱.txt"));
  EXPECT_EQ(starts_[0].argv, (Strings{"xdg-open", wine_.OnC("Mail/受信箱.txt")}));
  ASSERT_TRUE(shell.OpenDocument("C:\\Mail"));
  EXPECT_FALSE(shell.OpenDocument("C:\\Mail\\gone.txt"));
  EXPECT_FALSE(shell.OpenDocument("\\\\server\\x.txt"));
  EXPECT_EQ(starts_.size(), 2u);
}

// Waits for `done` to hold, polling; gives up only after a bound no healthy machine
// comes near (30 s), so that a broken start fails instead of hanging. (<chrono> cannot be
// compiled to CP932, hence nanosleep.)
template <typename Done>
bool Eventually(Done done) {
  for (int i = 0; i < 3000; ++i) {
    if (done()) return true;
    const timespec pause{0, 10 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
  return done();
}

TEST_F(PosixShellTest, StartsARealProgram) {
  PosixShell shell(wine_.Drives());
  ASSERT_TRUE(shell.StartProgram("Z:\\usr\\bin\\touch", "\"C:\\Mail\\新しい ファイル\""));
  const std::string created = wine_.OnC("Mail/新しい ファイル");
  EXPECT_TRUE(Eventually([&] {
    struct stat st;
    return stat(created.c_str(), &st) == 0;
  }));
  EXPECT_FALSE(shell.StartProgram("Z:\\nonexistent\\program", ""));
}

TEST(StartDetachedTest, ReapsTheChildAndReportsFailures) {
  std::string error;
  const pid_t pid = StartDetached({"true"}, {"LORVANE_TEST=1"}, &error);
  ASSERT_GT(pid, 0) << error;
  // A zombie still answers kill(pid, 0); only a reaped child is gone.
  EXPECT_TRUE(Eventually([pid] { return kill(pid, 0) != 0 && errno == ESRCH; }));

  EXPECT_EQ(StartDetached({"/nonexistent/program"}, {}, &error), -1);
  EXPECT_NE(error.find("/nonexistent/program"), std::string::npos);
  EXPECT_EQ(StartDetached({}, {}, &error), -1);
}

}  // namespace
}  // namespace lorvane
