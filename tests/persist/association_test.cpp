// The association lookup over an in-memory registry, environment and file system: every
// form of the registry's command, the search for a bare program name, and both modes.

#include "persist/association.h"

#include <gtest/gtest.h>

#include "support/memory_platform.h"

namespace lorvane {
namespace {

constexpr TRegRoot kCR = TRegRoot::kClassesRoot;

class AssociationTest : public ::testing::Test {
 protected:
  // ".txt" -> "txtfile" -> open command `command`.
  void Associate(const std::string& command, const std::string& extension = ".txt") {
    p_.registry.SetString(kCR, extension, "", "txtfile");
    p_.registry.SetString(kCR, "txtfile\\shell\\open\\command", "", command);
  }
  std::string Exe(const std::string& name) {
    return LookUpAssociation(p_.platform, name, lmExecutable);
  }
  std::string Params(const std::string& name) {
    return LookUpAssociation(p_.platform, name, lmParameters);
  }

  testing::TMemoryPlatform p_;
};

TEST_F(AssociationTest, SplitsEachFormOfCommand) {
  p_.fs.AddFile("C:\\Windows\\notepad.exe", "MZ");
  p_.environment.variables["Path"] = "C:\\Windows\\system32;C:\\Windows";
  p_.registry.SetString(TRegRoot::kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                        "SystemRoot", "C:\\WINNT");
  const struct {
    std::string command;
    std::string program;
    std::string parameters;  // for the file C:\M\a.txt
  } kCases[] = {
      {"\"C:\\Program Files\\Ed\\ed.exe\" \"%1\"", "C:\\Program Files\\Ed\\ed.exe",
       "\"C:\\M\\a.txt\""},
      {"\"C:\\ソフト\\表.exe\"   -n %1 ", "C:\\ソフト\\表.exe", "-n C:\\M\\a.txt"},
      {"\"C:\\No End\\ed.exe %1", "C:\\No End\\ed.exe %1", ""},  // no second quote
      // The blanks of "Program Files" and "Windows NT" stay in the program.
      {"C:\\Program Files\\Windows NT\\Accessories\\WORDPAD.EXE %1",
       "C:\\Program Files\\Windows NT\\Accessories\\WORDPAD.EXE", "C:\\M\\a.txt"},
      {"d:\\program files\\ed\\Ed.Exe/x %1 %1", "d:\\program files\\ed\\Ed.Exe",
       "/x C:\\M\\a.txt %1"},                                                // only the first %1
      {"C:\\Program Files\\ed.com %1", "C:\\Program Files\\ed.com %1", ""},  // no ".EXE"
      {"C:\\Tools\\ed.exe /s %1", "C:\\Tools\\ed.exe", "/s C:\\M\\a.txt"},
      {"%SystemRoot%\\system32\\NOTEPAD.EXE %1", "C:\\WINNT\\system32\\NOTEPAD.EXE",
       "C:\\M\\a.txt"},
      {"\"%systemroot%\\a.exe\" %SYSTEMROOT%\\b.ini", "C:\\WINNT\\a.exe", "C:\\WINNT\\b.ini"},
      {"notepad.exe %1", "C:\\Windows\\notepad.exe", "C:\\M\\a.txt"},  // found on Path
  };
  for (const auto& c : kCases) {
    Associate(c.command);
    EXPECT_EQ(Exe("C:\\M\\a.txt"), c.program) << c.command;
    EXPECT_EQ(Params("C:\\M\\a.txt"), c.parameters) << c.command;
  }
}

TEST_F(AssociationTest, ClassVerbAndExtension) {
  EXPECT_EQ(Exe(".txt"), "");  // no class
  p_.registry.SetString(kCR, ".txt", "", "txtfile");
  EXPECT_EQ(Exe(".txt"), "");  // a class without a command
  p_.registry.SetString(kCR, "txtfile\\shell\\open\\command", "", "C:\\open.exe %1");
  p_.registry.SetString(kCR, "txtfile\\shell\\edit\\command", "", "C:\\edit.exe %1");
  EXPECT_EQ(Exe(".txt"), "C:\\open.exe");
  p_.registry.SetString(kCR, "txtfile\\shell", "", "edit");  // the type's default verb
  EXPECT_EQ(Exe(".TXT"), "C:\\edit.exe");
  // Only the extension of the name part counts.
  EXPECT_EQ(Exe("C:\\a.b\\ソ.txt"), "C:\\edit.exe");
  EXPECT_EQ(Exe("C:\\a.txt\\noext"), "");
  EXPECT_EQ(Exe(""), "");
}

TEST_F(AssociationTest, BareProgramNamesAreLookedForOnPathThenBesideTheProgram) {
  Associate("ed.exe %1");
  // Found nowhere: no program at all (the caller then tries ".txt").
  p_.environment.variables["Path"] = "C:\\Bin;;D:\\Tools\\";
  EXPECT_EQ(Exe(".txt"), "");
  p_.fs.AddFile("C:\\Lorvane\\ed.exe", "MZ");  // the program's own directory
  EXPECT_EQ(Exe(".txt"), "C:\\Lorvane\\ed.exe");
  p_.fs.AddFile("D:\\Tools\\ed.exe", "MZ");  // "Path" comes first; "\" is not doubled
  EXPECT_EQ(Exe(".txt"), "D:\\Tools\\ed.exe");
  p_.fs.AddDirectory("C:\\Bin\\ed.exe");  // a directory of that name is no program
  EXPECT_EQ(Exe(".txt"), "D:\\Tools\\ed.exe");

  // Only the first 255 bytes of "Path" are read, never half a character.
  const std::string long_dir = "C:\\" + std::string(250, 'x');
  p_.environment.variables["Path"] = long_dir + ";D:\\Tools";
  EXPECT_EQ(Exe(".txt"), "C:\\Lorvane\\ed.exe");
  p_.environment.variables["Path"] = "C:\\" + std::string(249, 'x') + "表;D:\\Tools";
  EXPECT_EQ(Exe(".txt"), "C:\\Lorvane\\ed.exe");

  // A program with a directory comes back as it is, found or not: the caller says so.
  Associate("C:\\Gone\\ed.exe %1");
  EXPECT_EQ(Exe(".txt"), "C:\\Gone\\ed.exe");
  // A wildcard is no file name.
  Associate("e?.exe %1");
  EXPECT_EQ(Exe(".txt"), "");
}

}  // namespace
}  // namespace lorvane
