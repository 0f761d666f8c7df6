// The count tool over an in-memory platform: which application opens Count.txt, with
// which parameters, when nothing is written, and the report's bytes.

#include "search/count_tool.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_platform.h"

namespace lorvane {
namespace {

constexpr TRegRoot kCR = TRegRoot::kClassesRoot;
const std::string kReport = "C:\\Lorvane\\Count.txt";
const std::string kEditor = "C:\\Program Files\\Ed\\ed.exe";
const std::string kNotepad = "C:\\Windows\\notepad.exe";

// A platform with two programs on C: and one hit in the result list.
struct TCountPlatform {
  TCountPlatform() {
    p.fs.AddFile(kEditor, "MZ");
    p.fs.AddFile(kNotepad, "MZ");
    results.Append({"Becky!", "Inbox", "2026-12-07", "10:00:00", "taro", "s", "f", "0", "-1"});
  }
  void Associate(const std::string& extension, const std::string& command) {
    const std::string file_class = extension.substr(1) + "file";
    p.registry.SetString(kCR, extension, "", file_class);
    p.registry.SetString(kCR, file_class + "\\shell\\open\\command", "", command);
  }
  TOpenPlan Plan() { return PlanCountReport(p.platform, results, "{x}"); }

  testing::TMemoryPlatform p;
  TResultList results;
};

TEST(CountToolTest, ApplicationAndParameters) {
  const struct {
    std::string ini_command;  // "" for no association
    std::string txt_command;
    std::string program;
    std::string parameters;
  } kCases[] = {
      // ".ini" first; the parameters are always the ".txt" command's.
      {"\"" + kEditor + "\" /i \"%1\"", kNotepad + " %1", kEditor, kReport},
      {"", "\"" + kEditor + "\" -r \"%1\"", kEditor, "-r \"" + kReport + "\""},
      {kNotepad + " %1", "", kNotepad, "\"" + kReport + "\""},  // else the program gets no file
      {kNotepad + " %1", kEditor, kNotepad, "\"" + kReport + "\""},
  };
  for (const auto& c : kCases) {
    TCountPlatform t;
    if (!c.ini_command.empty()) t.Associate(".ini", c.ini_command);
    if (!c.txt_command.empty()) t.Associate(".txt", c.txt_command);
    const TOpenPlan plan = t.Plan();
    EXPECT_TRUE(plan.start) << plan.message;
    EXPECT_EQ(plan.program, c.program) << c.ini_command << " | " << c.txt_command;
    EXPECT_EQ(plan.parameters, c.parameters) << c.ini_command << " | " << c.txt_command;
  }
}

TEST(CountToolTest, ReportFileHoldsTheLinesWithCrLf) {
  TCountPlatform t;
  t.Associate(".txt", kNotepad + " %1");
  for (int i = 0; i < 6; ++i) {
    t.results.Append({"AL-Mail", "受信", "2006-12-05", "", "Taro", "", "", "", ""});
  }
  t.p.fs.AddFile(kReport, "old");
  ASSERT_TRUE(t.Plan().start);
  EXPECT_EQ(*t.p.fs.Contents(kReport),
            "キーワード：{x}\r\n\r\nフォルダー別\r\n\r\n"
            "    6 AL-Mail\\受信\r\n    1 Becky!\\Inbox\r\n\r\n"
            "発信日別\r\n\r\n    6 2006-12-05\r\n    1 2026-12-07\r\n\r\n"
            "発信者別\r\n\r\n    1 taro\r\n    6 Taro\r\n");
}

TEST(CountToolTest, NoApplicationWritesNothing) {
  TCountPlatform t;
  // Neither extension is associated, and the desktop has nothing either.
  TOpenPlan plan = t.Plan();
  EXPECT_FALSE(plan.start);
  EXPECT_EQ(plan.message, "拡張子 .ini にも .txt にもアプリケーションが関連付けられていません。");
  // The desktop is asked about the report itself, which has to exist for that; the
  // registry's failures below come before anything is written.
  t.p.fs.RemoveFile(kReport);

  t.Associate(".ini", "C:\\Gone\\ed.exe %1");
  plan = t.Plan();
  EXPECT_FALSE(plan.start);
  EXPECT_EQ(plan.message, "C:\\Gone\\ed.exe が、見つかりません。");
  EXPECT_FALSE(t.p.fs.Exists(kReport));

  // A report that cannot be written is said, not started.
  t.Associate(".ini", kEditor + " %1");
  t.p.fs.FailReplace(true);
  plan = t.Plan();
  EXPECT_FALSE(plan.start);
  EXPECT_FALSE(plan.message.empty());
}

TEST(CountToolTest, DesktopApplicationWhenTheRegistryHasNone) {
  TCountPlatform t;
  t.p.shell.desktop_application = TDesktopApplication{"/usr/bin/mousepad", "\"/tmp/Count.txt\""};
  const TOpenPlan plan = t.Plan();
  EXPECT_TRUE(plan.start);
  EXPECT_EQ(plan.program, "/usr/bin/mousepad");
  EXPECT_EQ(plan.parameters, "\"/tmp/Count.txt\"");
  EXPECT_EQ(t.p.shell.calls, std::vector<std::string>{"desktop " + kReport});
  EXPECT_TRUE(t.p.fs.Exists(kReport));
}

}  // namespace
}  // namespace lorvane
