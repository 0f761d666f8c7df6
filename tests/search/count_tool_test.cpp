// The count tool over an in-memory platform: which application opens Count.txt with which
// parameters, and when nothing is written.

#include "search/count_tool.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_platform.h"

namespace lorvane {
namespace {

const std::string kReport = "C:\\Lorvane\\Count.txt";
const std::string kEditor = "C:\\Program Files\\Ed\\ed.exe";
const std::string kNotepad = "C:\\Windows\\notepad.exe";

// Two programs on C:, one hit, and the associations given ("" for none).
struct TCountPlatform {
  TCountPlatform(const std::string& ini_command, const std::string& txt_command) {
    p.fs.AddFile(kEditor, "MZ");
    p.fs.AddFile(kNotepad, "MZ");
    results.Append({"Becky!", "Inbox", "2026-12-07", "10:00:00", "taro", "s", "f", "0", "-1"});
    for (const auto& [extension, command] : {std::pair{"ini", ini_command}, {"txt", txt_command}}) {
      if (command.empty()) continue;
      p.registry.SetString(TRegRoot::kClassesRoot, std::string(".") + extension, "", extension);
      p.registry.SetString(TRegRoot::kClassesRoot, std::string(extension) + "\\shell\\open\\command",
                           "", command);
    }
  }
  TOpenPlan Plan() { return PlanCountReport(p.platform, results, "{x}"); }

  testing::TMemoryPlatform p;
  TResultList results;
};

TEST(CountToolTest, ApplicationAndParameters) {
  const struct {
    std::string ini_command;
    std::string txt_command;
    std::string program;
    std::string parameters;
  } kCases[] = {
      // ".ini" first; the parameters are the ".txt" command's.
      {"\"" + kEditor + "\" /i \"%1\"", kNotepad + " %1", kEditor, kReport},
      {"", "\"" + kEditor + "\" -r \"%1\"", kEditor, "-r \"" + kReport + "\""},
      // Without a ".txt" command that takes the path, the program would get no file.
      {kNotepad + " %1", "", kNotepad, "\"" + kReport + "\""},
  };
  for (const auto& c : kCases) {
    TCountPlatform t(c.ini_command, c.txt_command);
    const TOpenPlan plan = t.Plan();
    EXPECT_EQ(plan, (TOpenPlan{true, c.program, c.parameters, ""})) << c.ini_command;
    EXPECT_EQ(t.p.fs.Contents(kReport)->substr(0, 17), "キーワード：{x}\r\n");
  }
}

TEST(CountToolTest, FailuresWriteNothing) {
  const struct {
    std::string ini_command;
    std::string message;
  } kCases[] = {
      {"", "拡張子 .ini にも .txt にもアプリケーションが関連付けられていません。"},
      {"C:\\Gone\\ed.exe %1", "C:\\Gone\\ed.exe が、見つかりません。"},
  };
  for (const auto& c : kCases) {
    TCountPlatform t(c.ini_command, "");
    EXPECT_EQ(t.Plan(), (TOpenPlan{false, "", "", c.message}));
    // The desktop (none here) is asked about the report itself, so only that case writes.
    EXPECT_EQ(t.p.fs.Exists(kReport), c.ini_command.empty());
  }
  TCountPlatform t(kEditor, "");
  t.p.fs.FailReplace(true);
  EXPECT_FALSE(t.Plan().start);
}

TEST(CountToolTest, DesktopApplicationWhenTheRegistryHasNone) {
  TCountPlatform t("", "");
  t.p.shell.desktop_application = TDesktopApplication{"/usr/bin/mousepad", "/tmp/Count.txt"};
  EXPECT_EQ(t.Plan(), (TOpenPlan{true, "/usr/bin/mousepad", "/tmp/Count.txt", ""}));
  EXPECT_EQ(t.p.shell.calls, std::vector<std::string>{"desktop " + kReport});
}

}  // namespace
}  // namespace lorvane
