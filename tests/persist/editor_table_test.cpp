// "Jump.dat": its two line forms, the built-in editors and when the file is rewritten,
// and the template expansion.

#include "persist/editor_table.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace lorvane {
namespace {

const std::string kJump = "C:\\Lorvane\\Jump.dat";
const std::string kBuiltIns =
    "AK32.EXE\t/L$L $F\r\nDANA.EXE\t$F+$L\r\nHIDEMARU.EXE\t/j$L $F\r\nWZEDIT32.EXE\t--J$L $F\r\n";

TEST(EditorTableTest, LineForms) {
  TEditorTable table;
  table.LoadFromText(
      "ak32.exe\t/L\t\r\n"  // older form: switch, line, text after it, file
      "Mi.exe\t-l\t:x\n"    // lone LF ends a line too
      "Notepad.exe\r\n"     // no TAB: the name alone, as written
      "\r\n"                // empty lines are no entries
      "em.exe\t+$L $F\t\r"  // a TAB in the template's place: the older form
      "ソフト.EXE\t$F");    // no line end at the end
  EXPECT_EQ(table.Entries(), (std::vector<TEditorEntry>{{"AK32.EXE", "/L$L $F"},
                                                        {"MI.EXE", "-l$L:x $F"},
                                                        {"Notepad.exe", ""},
                                                        {"EM.EXE", "+$L $F$L $F"},
                                                        {"ソフト.EXE", "$F"},
                                                        {"DANA.EXE", "$F+$L"},
                                                        {"HIDEMARU.EXE", "/j$L $F"},
                                                        {"WZEDIT32.EXE", "--J$L $F"}}));
  EXPECT_TRUE(table.AddedBuiltIns());
  ASSERT_NE(table.TemplateFor("hidemaru.exe"), nullptr);
  EXPECT_EQ(*table.TemplateFor("hidemaru.exe"), "/j$L $F");
  EXPECT_EQ(table.TemplateFor("NOTEPAD.EXE")->size(), 0u);
  EXPECT_EQ(table.TemplateFor("vi"), nullptr);
}

TEST(EditorTableTest, WrittenOnlyWhenABuiltInWasAdded) {
  testing::MemoryFileSystem fs;
  TEditorTable table;
  // Absent: created with the four built-in editors.
  ASSERT_TRUE(LoadEditorTable(fs, kJump, true, &table));
  ASSERT_NE(fs.Contents(kJump), nullptr);
  EXPECT_EQ(*fs.Contents(kJump), kBuiltIns);

  // Complete, with the user's own DANA.EXE and one more editor: not written.
  fs.AddFile(kJump,
             "AK32.EXE\t/L$L $F\r\ndana.exe\t$F:$L\r\nHIDEMARU.EXE\t/j$L $F\r\n"
             "wzedit32.exe\t--J$L $F\r\nVIM\t+$L $F\r\n");
  fs.FailReplace(true);  // a write would fail the load
  ASSERT_TRUE(LoadEditorTable(fs, kJump, true, &table));
  EXPECT_EQ(*table.TemplateFor("DANA.EXE"), "$F:$L");
  fs.FailReplace(false);

  // Not rewritten when asked not to, or when the file exists but cannot be read (its
  // editors would be lost).
  fs.AddFile(kJump, "VIM\t+$L $F\r\n");
  ASSERT_TRUE(LoadEditorTable(fs, kJump, false, &table));
  EXPECT_EQ(*fs.Contents(kJump), "VIM\t+$L $F\r\n");
  fs.MakeUnreadable(kJump);
  EXPECT_FALSE(LoadEditorTable(fs, kJump, true, &table));
  EXPECT_EQ(table.Entries().size(), 4u);
  EXPECT_EQ(*fs.Contents(kJump), "VIM\t+$L $F\r\n");

  EXPECT_EQ(EditorTableFileName("C:\\ソ\\Lorvane.exe"), "C:\\ソ\\Jump.dat");
}

TEST(EditorTableTest, TemplateExpansion) {
  const std::string file = "C:\\Mail\\ソフト.mbx";
  const struct {
    std::string command_template;
    std::string expanded;
  } kCases[] = {
      {"$F+$L", file + "+120"},
      {"/j$l \"$f\"", "/j120 \"" + file + "\""},
      {"$$L costs $$5", "$L costs $5"},
      {"a$xb$", "axb"},    // "$" and any other character: that character; a final "$" goes
      {"$ソ$L", "ソ120"},  // a double-byte character after "$" is kept whole
      {"表$F", "表" + file},
      {"", ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ExpandEditorTemplate(c.command_template, file, 120), c.expanded)
        << c.command_template;
  }
}

}  // namespace
}  // namespace lorvane
