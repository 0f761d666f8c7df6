// Environment variables from a fake registry and a given host environment: the order of
// the sources, %NAME% expansion and its bounds, "Path" joined as Windows joins it.
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

#include "platform/posix/posix_environment.h"

#include <gtest/gtest.h>

#include <string>

#include "common/codepage.h"
#include "common/mbstring.h"
#include "support/fake_registry.h"

namespace lorvane {
namespace {

constexpr char kUser[] = "Environment";
constexpr char kSystem[] = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr char kVolatile[] = "Volatile Environment";
constexpr char kVersion[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";

class PosixEnvironmentTest : public ::testing::Test {
 protected:
  void User(const std::string& name, const std::string& value, uint32_t type = kRegSz) {
    registry_.SetValue(TRegRoot::kCurrentUser, kUser, name, {type, value});
  }
  void System(const std::string& name, const std::string& value, uint32_t type = kRegSz) {
    registry_.SetValue(TRegRoot::kLocalMachine, kSystem, name, {type, value});
  }

  FakeRegistry registry_;
  PosixEnvironment env_{
      &registry_,
      {"HOME=/home/taro", "LANG=ja_JP.UTF-8", "MAILDIR=/home/taro/" + Cp932ToUtf8("メール"),
       "USERNAME=host-taro", "PATH=/usr/bin:/bin", "BAD=\xFF"}};
};

TEST_F(PosixEnvironmentTest, UserValuesComeBeforeSystemValuesThenTheHost) {
  User("TEMP", "C:\\users\\taro\\Temp");
  System("TEMP", "C:\\windows\\temp");
  System("ComSpec", "C:\\windows\\system32\\cmd.exe");
  registry_.SetString(TRegRoot::kCurrentUser, kVolatile, "USERNAME", "taro");
  EXPECT_EQ(env_.GetVariable("TEMP"), "C:\\users\\taro\\Temp");
  EXPECT_EQ(env_.GetVariable("comspec"), "C:\\windows\\system32\\cmd.exe");
  EXPECT_EQ(env_.GetVariable("UserName"), "taro");
  EXPECT_EQ(env_.GetVariable("home"), "/home/taro");
  EXPECT_EQ(env_.GetVariable("MAILDIR"), "/home/taro/メール");
  EXPECT_EQ(env_.GetVariable("NOPE"), "");
  EXPECT_EQ(env_.GetVariable(""), "");
  EXPECT_EQ(env_.GetVariable("BAD"), "");  // no CP932 form
}

TEST_F(PosixEnvironmentTest, OnlyStringValuesCount) {
  User("HOME", std::string("\x01\x00\x00\x00", 4), kRegDword);
  EXPECT_EQ(env_.GetVariable("HOME"), "/home/taro");
  User("EMBEDDED", std::string("C:\\x\0junk", 9));
  EXPECT_EQ(env_.GetVariable("EMBEDDED"), "C:\\x");
}

TEST_F(PosixEnvironmentTest, ExpandsReferencesInExpandableValues) {
  registry_.SetString(TRegRoot::kLocalMachine, kVersion, "SystemRoot", "C:\\windows");
  System("windir", "%SystemRoot%", kRegExpandSz);
  System("ComSpec", "%SystemRoot%\\system32\\cmd.exe", kRegExpandSz);
  User("Mail", "%USERPROFILE%\\メール", kRegExpandSz);
  User("USERPROFILE", "C:\\users\\太郎");
  User("Literal", "%SystemRoot%", kRegSz);
  User("Unknown", "%NOSUCH%\\x;%;50%", kRegExpandSz);
  User("Empty", "a%%b", kRegExpandSz);
  EXPECT_EQ(env_.GetVariable("windir"), "C:\\windows");
  EXPECT_EQ(env_.GetVariable("SystemDrive"), "C:");
  EXPECT_EQ(env_.GetVariable("ComSpec"), "C:\\windows\\system32\\cmd.exe");
  EXPECT_EQ(env_.GetVariable("MAIL"), "C:\\users\\太郎\\メール");
  EXPECT_EQ(env_.GetVariable("Literal"), "%SystemRoot%");
  EXPECT_EQ(env_.GetVariable("Unknown"), "%NOSUCH%\\x;%;50%");
  EXPECT_EQ(env_.GetVariable("Empty"), "a%%b");
}

TEST_F(PosixEnvironmentTest, PathIsTheSystemPathThenTheUsers) {
  EXPECT_EQ(env_.GetVariable("Path"), "/usr/bin:/bin");  // nothing in the registry
  registry_.SetString(TRegRoot::kLocalMachine, kVersion, "SystemRoot", "C:\\windows");
  System("PATH", "%SystemRoot%\\system32;%SystemRoot%", kRegExpandSz);
  EXPECT_EQ(env_.GetVariable("path"), "C:\\windows\\system32;C:\\windows");
  User("Path", "C:\\ツール");
  EXPECT_EQ(env_.GetVariable("PATH"), "C:\\windows\\system32;C:\\windows;C:\\ツール");
  // A value that names itself takes the next source down instead of itself.
  User("Path", "%PATH%;C:\\bin", kRegExpandSz);
  EXPECT_EQ(env_.GetVariable("Path"),
            "C:\\windows\\system32;C:\\windows;C:\\windows\\system32;C:\\windows;C:\\bin");
  User("HOME", "%HOME%\\win", kRegExpandSz);
  EXPECT_EQ(env_.GetVariable("HOME"), "/home/taro\\win");
}

TEST_F(PosixEnvironmentTest, CircularAndExplodingReferencesEnd) {
  User("A", "<%B%>", kRegExpandSz);
  User("B", "[%A%]", kRegExpandSz);
  const std::string circular = env_.GetVariable("A");
  EXPECT_EQ(circular.substr(0, 4), "<[<[");
  EXPECT_NE(circular.find("%"), std::string::npos);

  // Each level refers to the next one forty times: 40^8 expansions unless bounded.
  for (int level = 0; level < 10; ++level) {
    std::string value;
    for (int k = 0; k < 40; ++k) value += "%L" + std::to_string(level + 1) + "%";
    User("L" + std::to_string(level), value, kRegExpandSz);
  }
  User("L10", "ソ", kRegSz);
  const size_t queries_before = registry_.queries().size();
  const std::string exploded = env_.GetVariable("L0");
  EXPECT_LE(exploded.size(), 32767u);
  EXPECT_LT(registry_.queries().size() - queries_before, 5000u);
  EXPECT_EQ(exploded.size() % 2 == 1 && IsLeadByte(exploded.back()), false);
}

TEST(PosixEnvironmentWithoutRegistryTest, UsesTheHostEnvironmentOnly) {
  PosixEnvironment env(nullptr, {"Path=/a", "PATH=/b", "lang=C"});
  EXPECT_EQ(env.GetVariable("PATH"), "/a");  // the first of names equal but for case
  EXPECT_EQ(env.GetVariable("LANG"), "C");
  EXPECT_EQ(env.GetVariable("SystemRoot"), "");
}

}  // namespace
}  // namespace lorvane
