// The POSIX registry over hives and exports that Wine itself wrote
// (tests/data/wine/make_hives.sh), over hand-written overlays, and its views:
// HKEY_CLASSES_ROOT, HKEY_USERS, HKEY_CURRENT_CONFIG, Wow6432Node and Wine's links.
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

#include "platform/posix/posix_registry.h"

#include "support/fake_registry.h"  // PrintTo(TRegValue)
#include "support/scratch_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace lorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;
using namespace std::string_literals;

const std::string kWineDir = std::string(LORVANE_TEST_DATA_DIR) + "/wine";
constexpr TRegRoot kCU = TRegRoot::kCurrentUser;
constexpr TRegRoot kLM = TRegRoot::kLocalMachine;
constexpr TRegRoot kCR = TRegRoot::kClassesRoot;
const std::string kB2 = "Software\\RimArts\\B2\\Settings";

TRegValue Sz(const std::string& text) {
  return {kRegSz, text};
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

std::unique_ptr<PosixRegistry> Prefix() {
  auto registry = std::make_unique<PosixRegistry>();
  registry->LoadWinePrefix(kWineDir);
  return registry;
}

// What the Becky! 2 key holds in every copy: the hive and each export of it.
void ExpectBecky2Values(PosixRegistry& r) {
  auto q = [&](const std::string& name) { return r.QueryValue(kCU, kB2, name); };
  EXPECT_EQ(q("DataDir"), Sz("C:\\Becky!\\"));
  EXPECT_EQ(q("表示名"), Sz("ソフト表示ポ"));
  EXPECT_EQ(q(""), Sz("B2既定"));
  EXPECT_EQ(q("Width"), (TRegValue{kRegDword, Bytes({0x80, 0x02, 0, 0})}));
  EXPECT_EQ(q("Bin"), (TRegValue{kRegBinary, Bytes({1, 0, 0, 0})}));
  EXPECT_EQ(q("Path"), (TRegValue{kRegExpandSz, "%USERPROFILE%\\メール"}));
  EXPECT_EQ(q("Multi"), (TRegValue{kRegMultiSz, "一\0二\0three\0"s}));
  EXPECT_EQ(q("Big"),
            (TRegValue{kRegQword, Bytes({0xf0, 0xde, 0xbc, 0x9a, 0x78, 0x56, 0x34, 0x12})}));
  EXPECT_EQ(q("Empty"), Sz(""));
  EXPECT_EQ(q("Lacks"), Sz("???x"));  // Å, é and an emoji have no CP932 form
  EXPECT_EQ(q("Quote"), Sz("He said \"ソ\\\""));
  std::optional<TRegValue> blob = q("Blob");
  ASSERT_TRUE(blob);
  ASSERT_EQ(blob->data.size(), 1100u);
  EXPECT_EQ(blob->data[1099], static_cast<char>(1099 % 256));
  EXPECT_THAT(r.ValueNames(kCU, kB2),
              Optional(ElementsAre("", "Big", "Bin", "Blob", "DataDir", "Empty", "Lacks", "Multi",
                                   "Path", "Quote", "Width", "表示名")));
}

TEST(PosixRegistryTest, ReadsEveryValueTypeFromWinesHive) {
  ExpectBecky2Values(*Prefix());
}

TEST(PosixRegistryTest, ReadsTheSameFromEachExportForm) {
  for (const char* file : {"rimarts_v5_utf16.reg", "rimarts_v5_utf8.reg", "rimarts_regedit4.reg"}) {
    SCOPED_TRACE(file);
    PosixRegistry r;
    r.LoadFile(kWineDir + "/" + file);
    ExpectBecky2Values(r);
    EXPECT_EQ(r.skipped_lines(), 0u);
  }
}

TEST(PosixRegistryTest, NamesCompareWithoutAsciiCase) {
  auto r = Prefix();
  EXPECT_EQ(r->QueryValue(kCU, "SOFTWARE\\rimarts\\b2\\settings", "datadir"), Sz("C:\\Becky!\\"));
  // Written as RIMArts after RimArts existed: one key, the first spelling kept.
  EXPECT_EQ(r->QueryValue(kCU, "Software\\RIMArts\\Rebecca\\Settings", "HomeDir"),
            Sz("C:\\Becky\\"));
  EXPECT_THAT(r->SubKeyNames(kCU, "Software\\RIMARTS"), Optional(ElementsAre("B2", "Rebecca")));
  // Japanese names, one ending in "表" (trail byte 0x5C), another in half-width kana.
  EXPECT_EQ(r->QueryValue(kCU, "Software\\日本語キー\\ソフト", ""), Sz("既定値"));
  EXPECT_EQ(r->QueryValue(kCU, "Software\\日本語キー\\表", "ポ"), Sz("表\\"));
  EXPECT_EQ(r->QueryValue(kCU, "Software\\日本語キー\\表\\", "ポ"), Sz("表\\"));
  EXPECT_EQ(r->QueryValue(kCR, "EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID", ""),
            Sz("{8E3C4B1A-5D2F-4E6A-9B7C-0D1E2F3A4B5C}"));
  EXPECT_FALSE(r->KeyExists(kCU, "Software\\日本語キー\\\\ソフト"));
  // Sub-keys come in Wine's order.
  EXPECT_THAT(r->SubKeyNames(kCU, "Software\\Order"),
              Optional(ElementsAre("_Under", "ab", "alpha", "A~", "Beta", "Zeta")));
}

TEST(PosixRegistryTest, MissingKeysAndValuesAreAbsent) {
  auto r = Prefix();
  EXPECT_FALSE(r->KeyExists(kCU, "Software\\Nobody"));
  EXPECT_EQ(r->QueryValue(kCU, "Software\\Nobody", "x"), std::nullopt);
  EXPECT_EQ(r->QueryValue(kCU, kB2, "Nothing"), std::nullopt);
  EXPECT_EQ(r->SubKeyNames(kCU, "Software\\Nobody"), std::nullopt);
  EXPECT_EQ(r->ValueNames(kCU, "Software\\Nobody"), std::nullopt);
  EXPECT_THAT(*r->SubKeyNames(kCU, ""), ::testing::Contains("Software"));
}

TEST(PosixRegistryTest, ClassesRootOverlaysUserClassesOnMachineClasses) {
  auto r = Prefix();
  EXPECT_EQ(r->QueryValue(kCR, ".mbx", ""), Sz("UserMbx"));
  EXPECT_EQ(r->QueryValue(kCR, ".mbx", "Content Type"), Sz("text/plain"));
  EXPECT_THAT(r->ValueNames(kCR, ".mbx"), Optional(ElementsAre("", "Content Type")));
  EXPECT_THAT(r->SubKeyNames(kCR, ".mbx"), Optional(ElementsAre("ShellNew")));
  EXPECT_EQ(r->QueryValue(kCR, "HMAIL.Document\\shell\\open\\command", ""),
            Sz("C:\\HM\\hmail.exe /dde"));
  const std::vector<std::string> top = *r->SubKeyNames(kCR, "");
  EXPECT_EQ(std::count(top.begin(), top.end(), ".mbx"), 1);
}

TEST(PosixRegistryTest, FindsThirtyTwoBitProgramsKeysBelowWow6432NodeAndThroughLinks) {
  auto r = Prefix();
  EXPECT_EQ(r->QueryValue(kLM, "SOFTWARE\\CREAR\\AL-Mail\\Setup", "StartFolder"),
            Sz("C:\\AL-Mail\\スタート"));
  EXPECT_EQ(r->QueryValue(kCR, "CLSID\\{8E3C4B1A-5D2F-4E6A-9B7C-0D1E2F3A4B5C}\\LocalServer32", ""),
            Sz("C:\\EdMax\\EdMax.exe"));
  EXPECT_EQ(r->QueryValue(kLM, "Software\\Netscape\\Netscape Navigator\\Users\\taro", "DirRoot"),
            Sz("C:\\Netscape\\Users\\taro"));
  // Software\Wow6432Node\Classes links to \REGISTRY\Machine\Software\Classes\Wow6432Node.
  EXPECT_EQ(r->QueryValue(
                kLM,
                "Software\\Wow6432Node\\Classes\\CLSID\\{8E3C4B1A-5D2F-4E6A-9B7C-0D1E2F3A4B5C}\\"
                "LocalServer32",
                ""),
            Sz("C:\\EdMax\\EdMax.exe"));
}

TEST(PosixRegistryTest, RootsExistAndUsersAndCurrentConfigAreViewsOfTheHives) {
  auto r = Prefix();
  for (TRegRoot root : {kCU, kLM, kCR, TRegRoot::kUsers, TRegRoot::kCurrentConfig}) {
    EXPECT_TRUE(r->KeyExists(root, ""));
  }
  EXPECT_FALSE(r->KeyExists(TRegRoot::kDynData, ""));
  const TRegRoot users = TRegRoot::kUsers;
  EXPECT_THAT(r->SubKeyNames(users, ""), Optional(ElementsAre(".Default", "S-1-5-21-0-0-0-1000")));
  EXPECT_EQ(r->QueryValue(users, "S-1-5-21-0-0-0-1000\\" + kB2, "DataDir"), Sz("C:\\Becky!\\"));
  EXPECT_EQ(r->QueryValue(users, ".default\\Software\\Lorvane Test", "Who"), Sz("default user"));
  EXPECT_EQ(r->QueryValue(TRegRoot::kCurrentConfig, "Software\\Lorvane Test", "Profile"),
            Sz("current"));
}

TEST(PosixRegistryTest, ExportsOverlayTheHivesInOrder) {
  auto r = Prefix();
  r->LoadFile(kWineDir + "/overlay_regedit4.reg");
  EXPECT_EQ(r->QueryValue(kCU, kB2, "DataDir"), Sz("D:\\メール\\ソフト\\"));
  EXPECT_EQ(r->QueryValue(kCU, kB2, "Width"), std::nullopt);
  EXPECT_EQ(r->QueryValue(kCU, kB2, "Added"), (TRegValue{kRegBinary, "\x0a\x0b\x0c"}));
  EXPECT_EQ(r->QueryValue(kCU, kB2, "表示名"), Sz("ソフト表示ポ"));  // untouched
  EXPECT_FALSE(r->KeyExists(kCU, "Software\\Order"));
  EXPECT_FALSE(r->KeyExists(kCU, "Software\\Order\\Zeta"));
  EXPECT_EQ(r->QueryValue(kCU, "Software\\日本語キー\\追加", ""), Sz("追加値"));
  // HKCR writes go to HKCU where the key is, so the value shadows HKLM's.
  EXPECT_EQ(r->QueryValue(kCR, ".mbx", "Content Type"), Sz("message/rfc822"));
  EXPECT_EQ(r->QueryValue(kLM, "Software\\Classes\\.mbx", "Content Type"), Sz("text/plain"));

  // A later export wins over an earlier one.
  r->LoadRegText(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\RimArts\\B2\\Settings]\r\n"
      "\"DataDir\"=\"E:\\\\\"\r\n",
      "later.reg");
  EXPECT_EQ(r->QueryValue(kCU, kB2, "DataDir"), Sz("E:\\"));
}

TEST(PosixRegistryTest, ExportsWithoutAPrefixGetTheSameViews) {
  PosixRegistry r;
  r.LoadFile(kWineDir + "/netscape_v5_utf16.reg");
  r.LoadRegText(
      "REGEDIT4\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\CREAR\\AL-Mail\\Setup]\n"
      "\"StartFolder\"=\"C:\\\\AL\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.eml]\n@=\"machine\"\n",
      "exported on 64-bit Windows");
  EXPECT_EQ(r.QueryValue(kLM, "Software\\Netscape\\Netscape Navigator\\Users\\taro", "DirRoot"),
            Sz("C:\\Netscape\\Users\\taro"));
  EXPECT_EQ(r.QueryValue(kLM, "Software\\CREAR\\AL-Mail\\Setup", "StartFolder"), Sz("C:\\AL"));
  EXPECT_EQ(r.QueryValue(kCR, ".eml", ""), Sz("machine"));
  EXPECT_THAT(r.SubKeyNames(TRegRoot::kUsers, ""), Optional(ElementsAre()));
}

TEST(PosixRegistryTest, DeletionsReachEveryPlaceTheViewShows) {
  auto r = Prefix();
  r->LoadRegText(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CLASSES_ROOT\\.mbx]\n\"Content Type\"=-\n@=-\n"
      "[-HKEY_LOCAL_MACHINE\\Software\\CREAR]\n"
      "[-HKEY_CURRENT_USER]\n",  // never a whole hive
      "delete.reg");
  EXPECT_EQ(r->QueryValue(kCR, ".mbx", "Content Type"), std::nullopt);
  EXPECT_EQ(r->QueryValue(kCR, ".mbx", ""), std::nullopt);
  EXPECT_TRUE(r->KeyExists(kCR, ".mbx\\ShellNew"));
  EXPECT_FALSE(r->KeyExists(kLM, "Software\\CREAR\\AL-Mail"));
  EXPECT_TRUE(r->KeyExists(kCU, kB2));
}

TEST(PosixRegistryTest, KeysCanBeRemovedAndAddedAgainAmongManySiblings) {
  // More siblings and values than the linear lookup handles, so the indexes are used.
  std::string text = "REGEDIT4\n";
  for (int i = 0; i < 40; ++i) {
    text += "[HKCU\\Many\\Key" + std::to_string(i) + "]\n\"v\"=dword:" + std::to_string(i) + "\n";
    text += "[HKCU\\Many]\n\"Value" + std::to_string(i) + "\"=\"" + std::to_string(i) + "\"\n";
  }
  text += "[-HKCU\\Many\\KEY7]\n[HKCU\\Many]\n\"VALUE3\"=-\n[HKCU\\Many\\key7\\Sub]\n";
  PosixRegistry r;
  r.LoadRegText(text, "many.reg");
  EXPECT_EQ(r.SubKeyNames(kCU, "Many")->size(), 40u);
  EXPECT_EQ(r.ValueNames(kCU, "Many")->size(), 39u);
  EXPECT_EQ(r.QueryValue(kCU, "Many", "value3"), std::nullopt);
  EXPECT_EQ(r.QueryValue(kCU, "Many", "value39"), Sz("39"));
  EXPECT_EQ(r.QueryValue(kCU, "Many\\key7", "v"), std::nullopt);  // removed with its values
  EXPECT_TRUE(r.KeyExists(kCU, "Many\\Key7\\Sub"));
  EXPECT_EQ(r.QueryValue(kCU, "MANY\\KEY39", "V"), (TRegValue{kRegDword, Bytes({0x39, 0, 0, 0})}));
}

TEST(PosixRegistryTest, LinkLoopsEndAtTheHopLimit) {
  PosixRegistry r;
  r.LoadHiveText(TWineHive::kMachine,
                 "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
                 "[Software\\\\Loop]\n#link\n"
                 // \REGISTRY\Machine\Software\Loop
                 "\"SymbolicLinkValue\"=hex(6):5c,00,52,00,45,00,47,00,49,00,53,00,54,00,52,"
                 "00,59,00,5c,00,4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,6f,00,"
                 "66,00,74,00,77,00,61,00,72,00,65,00,5c,00,4c,00,6f,00,6f,00,70,00\n",
                 "loop");
  EXPECT_FALSE(r.KeyExists(kLM, "Software\\Loop"));
  EXPECT_FALSE(r.KeyExists(kLM, "Software\\Loop\\Deeper"));
}

class PosixRegistryFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    scratch_.WriteFile(name, bytes);
    return scratch_.Path(name);
  }
  ScratchDir scratch_;
};

TEST_F(PosixRegistryFileTest, UnreadableOrForeignFilesAreReportedWithTheirName) {
  auto message = [](auto&& load) {
    try {
      load();
    } catch (const ERegistryFile& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  PosixRegistry r;
  EXPECT_THAT(message([&] { r.LoadWinePrefix(scratch_.path()); }),
              ::testing::HasSubstr("system.reg: No such file"));
  EXPECT_THAT(message([&] { r.LoadFile(scratch_.path()); }), ::testing::HasSubstr("directory"));
  const std::string text = Write("notes.reg", "Hello\r\n[HKEY_CURRENT_USER\\x]\r\n");
  EXPECT_THAT(message([&] { r.LoadFile(text); }),
              ::testing::AllOf(::testing::HasSubstr("notes.reg"),
                               ::testing::HasSubstr("not a registry export")));
  const std::string hive = Write("odd.reg", "WINE REGISTRY Version 2\n\n[A]\n");
  EXPECT_THAT(message([&] { r.LoadFile(hive); }), ::testing::HasSubstr("which root"));
  EXPECT_THAT(message([&] { r.LoadHiveText(TWineHive::kUser, "", "empty"); }),
              ::testing::HasSubstr("empty: is not a Wine registry hive"));
  EXPECT_THROW(OpenPosixRegistry("", {scratch_.path() + "/none.reg"}), ERegistryFile);
}

TEST_F(PosixRegistryFileTest, AHiveNamedAsAFileGoesToTheRootItsHeaderNames) {
  PosixRegistry r;
  r.LoadFile(kWineDir + "/user.reg");
  r.LoadFile(kWineDir + "/system.reg");
  EXPECT_EQ(r.QueryValue(kCU, kB2, "DataDir"), Sz("C:\\Becky!\\"));
  EXPECT_EQ(r.QueryValue(kCR, ".mbx", "Content Type"), Sz("text/plain"));
  // A prefix without userdef.reg loads; HKEY_USERS then has no .Default.
  std::filesystem::copy(kWineDir + "/user.reg", scratch_.Path("user.reg"));
  std::filesystem::copy(kWineDir + "/system.reg", scratch_.Path("system.reg"));
  auto opened = OpenPosixRegistry(scratch_.path(), {kWineDir + "/overlay_regedit4.reg"});
  EXPECT_THAT(opened->SubKeyNames(TRegRoot::kUsers, ""),
              Optional(ElementsAre("S-1-5-21-0-0-0-1000")));
  EXPECT_EQ(opened->QueryValue(kCU, kB2, "DataDir"), Sz("D:\\メール\\ソフト\\"));
}

}  // namespace
}  // namespace lorvane
