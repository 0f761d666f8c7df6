// The desktop's default application: desktop files found by id in the data directories,
// their Exec value, and the argument vector it makes for a file; and the shell asking
// xdg-mime for it (with a scripted runner).
// POSIX only: this is the POSIX backend; Windows has the registry's associations.

#include "platform/posix/desktop_entry.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <string>
#include <vector>

#include "platform/posix/posix_shell.h"
#include "support/fake_wine_prefix.h"
#include "support/scratch_dir.h"

namespace lorvane {
namespace {

using Strings = std::vector<std::string>;

TEST(DesktopEntryTest, ExecArgumentsForAFile) {
  const std::string f = "/home/u/a b.txt";
  const struct {
    const char* exec;
    Strings args;
  } kCases[] = {
      {"gedit %U", {"gedit", f}},
      {"gedit", {"gedit", f}},                      // no file code: the file is appended
      {"  vim  -p   %f ", {"vim", "-p", f}},
      {"ed --icon %i %c %k %F", {"ed", "--icon", f}},  // dropped codes are no arguments
      {"ed \"\" %f", {"ed", "", f}},                    // a quoted empty word stays
      {"\"/opt/My Ed/ed\" \"--x=\\\"q\\\"\" %f", {"/opt/My Ed/ed", "--x=\"q\"", f}},
      {"ed 100%% --line=%f", {"ed", "100%", "--line=" + f}},
      {"ed \"unclosed %f", {}},
      {"", {}},
      {"\"\" %f", {}},  // no program
  };
  for (const auto& c : kCases) EXPECT_EQ(ExecArguments(c.exec, f), c.args) << c.exec;
}

TEST(DesktopEntryTest, ExecValueOfTheDesktopEntryGroupOnly) {
  EXPECT_EQ(DesktopExecValue("[Desktop Action new]\nExec=wrong\n"
                             "[Desktop Entry]\r\nName=Ed\r\nTryExec=ed\r\n Exec = ed\\s-n %f\r\n"
                             "Exec=second\n"),
            "ed -n %f");
  EXPECT_EQ(DesktopExecValue("[Desktop Entry]\nExec=\"a\\\\b\" %f"), "\"a\\b\" %f");
  EXPECT_EQ(DesktopExecValue("Exec=outside any group\n"), "");
  EXPECT_EQ(DesktopExecValue(std::string("[Desktop Entry]\nName=x\0Exec=y", 27)), "");
  EXPECT_EQ(DesktopExecValue(""), "");
}

TEST(DesktopEntryTest, FindsDesktopFilesByIdInOrder) {
  ScratchDir dirs;
  dirs.WriteFile("home/applications/ed.desktop", "[Desktop Entry]\n");
  dirs.WriteFile("system/applications/ed.desktop", "[Desktop Entry]\n");
  dirs.WriteFile("system/applications/kde/kate.desktop", "[Desktop Entry]\n");
  dirs.MakeDirectory("system/applications/dir.desktop");
  const Strings data = {dirs.Path("none"), dirs.Path("home"), dirs.Path("system")};
  EXPECT_EQ(FindDesktopFile("ed.desktop", data), dirs.Path("home/applications/ed.desktop"));
  EXPECT_EQ(FindDesktopFile("kde-kate.desktop", data),
            dirs.Path("system/applications/kde/kate.desktop"));
  for (const char* id : {"", "dir.desktop", "gone.desktop", "../applications/ed.desktop",
                         "kde/kate.desktop", "..desktop"}) {
    EXPECT_EQ(FindDesktopFile(id, data), "") << id;
  }
}

// Sets an environment variable for one test and puts the old value back.
class TEnvironmentGuard {
 public:
  TEnvironmentGuard(const char* name, const std::string& value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~TEnvironmentGuard() {
    if (old_.empty()) {
      unsetenv(name_);
    } else {
      setenv(name_, old_.c_str(), 1);
    }
  }

 private:
  const char* name_;
  std::string old_;
};

TEST(DesktopEntryTest, TheShellAsksXdgMimeAndReadsTheDesktopFile) {
  FakeWinePrefix wine;
  wine.WriteOnC("Mail/a b.txt", "x");
  ScratchDir data;
  data.WriteFile("applications/ed.desktop", "[Desktop Entry]\nExec=/usr/bin/ed --new %f\n");
  data.WriteFile("applications/broken.desktop", "[Desktop Entry]\nExec=ed \"open\n");
  TEnvironmentGuard home("XDG_DATA_HOME", data.path());
  TEnvironmentGuard dirs("XDG_DATA_DIRS", data.Path("none"));

  std::map<std::string, std::string> answers = {
      {"filetype", "text/plain; charset=us-ascii\n"}, {"default", "ed.desktop\n"}};
  Strings asked;
  PosixShell shell(
      wine.Drives(), [](const Strings&, const Strings&) { return true; },
      [&](const Strings& argv, std::string* output) {
        asked.push_back(argv[2] + " " + argv[3]);
        const auto it = answers.find(argv[2]);
        if (it == answers.end()) return false;
        *output = it->second;
        return true;
      });
  const std::optional<TDesktopApplication> app = shell.DesktopApplication("C:\\Mail\\a b.txt");
  ASSERT_TRUE(app);
  EXPECT_EQ(app->program, "/usr/bin/ed");
  EXPECT_EQ(app->parameters, "--new \"" + wine.OnC("Mail/a b.txt") + "\"");
  EXPECT_EQ(asked, (Strings{"filetype " + wine.OnC("Mail/a b.txt"), "default text/plain"}));

  EXPECT_FALSE(shell.DesktopApplication("C:\\Mail\\gone.txt"));
  answers["default"] = "broken.desktop";
  EXPECT_FALSE(shell.DesktopApplication("C:\\Mail\\a b.txt"));
  answers["default"] = "\n";
  EXPECT_FALSE(shell.DesktopApplication("C:\\Mail\\a b.txt"));
  answers.erase("filetype");  // xdg-mime missing or failing
  EXPECT_FALSE(shell.DesktopApplication("C:\\Mail\\a b.txt"));
}

}  // namespace
}  // namespace lorvane
