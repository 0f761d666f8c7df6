// Fuzz target: the settings file (TIniFile): load from an in-memory file, every typed
// reader over every key (the whole key, and split into section and name at its last "\"),
// fonts, placements and section lists below every section, sorting, then writing the file
// and loading what was written. Input: the settings file's bytes, either form (XML or
// "name=type:value" lines). What one load writes must load to the same text again, with
// the keys and values loaded (less those the file cannot hold).

#include <cctype>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "persist/ini_file.h"
#include "support/fuzz_input.h"
#include "support/memory_file_system.h"

namespace lorvane::fuzz {

namespace {

constexpr const char* kPath = "C:\\Lorvane\\Lorvane.ini";

void ReadEveryWay(const TIniFile& ini, std::string_view section, std::string_view name) {
  (void)ini.ValueExists(section, name);
  (void)ini.ReadValue(section, name, TIniValue{});
  (void)ini.ReadBool(section, name, true);
  (void)ini.ReadInteger(section, name, -1);
  (void)ini.ReadFloat(section, name, 0.5);
  (void)ini.ReadString(section, name, "x");
  (void)ini.ReadDateTime(section, name, TDateTime{});
}

// The type as the file writes it: Boolean, Date, Float, Integer, and String for the rest.
char TypeKind(const std::string& type) {
  const char c = type.empty() ? 'S' : static_cast<char>(std::toupper(static_cast<unsigned char>(type[0])));
  return c == 'B' || c == 'D' || c == 'F' || c == 'I' ? c : 'S';
}

}  // namespace

void FuzzOne(std::string_view input) {
  testing::MemoryFileSystem fs;
  fs.AddFile(kPath, std::string(input));
  TIniFile ini(fs, kPath);
  if (!ini.Load()) Fail("an in-memory settings file did not load");

  std::unordered_set<std::string> sections;
  const std::vector<std::string> keys = ini.Keys();
  for (const std::string& key : keys) {
    ReadEveryWay(ini, "", key);
    const size_t cut = key.rfind('\\');
    if (cut == std::string::npos) continue;
    const std::string section = key.substr(0, cut);
    ReadEveryWay(ini, section, std::string_view(key).substr(cut + 1));
    if (sections.size() < 64) sections.insert(section);
  }
  sections.insert("");
  for (const std::string& section : sections) {
    TFontData font;
    ini.ReadFont(section, &font);
    TWindowPlacement placement;
    ini.ReadPlacement(section, &placement);
    (void)ini.ReadSections(section);
  }

  ini.SortKeys();
  if (!ini.UpdateFile()) Fail("an in-memory settings file was not written");
  const std::string written = *fs.Contents(kPath);
  TIniFile again(fs, kPath);
  if (!again.Load()) Fail("a written settings file did not load");
  Check(again.ToText() == written, "the written settings file reads differently");
  // What was written is what was loaded, less the keys the file cannot hold.
  std::unordered_map<std::string, size_t> loaded;
  for (size_t i = 0; i < ini.UpperKeys().size(); ++i) loaded.emplace(ini.UpperKeys()[i], i);
  for (size_t i = 0; i < again.UpperKeys().size(); ++i) {
    const auto it = loaded.find(again.UpperKeys()[i]);
    Check(it != loaded.end(), "the written settings file has a key not loaded", again.Keys()[i]);
    Check(TypeKind(ini.Types()[it->second]) == TypeKind(again.Types()[i]) &&
              ini.Values()[it->second] == again.Values()[i],
          "a written value reads differently", again.Keys()[i]);
  }
}

}  // namespace lorvane::fuzz
