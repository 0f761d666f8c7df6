#pragma once
// The settings object: every setting of the program as a typed value under a key path
// ("Option\Length Limit"), held in memory and written as a whole to one XML-looking
// CP932 file. Paths compare without regard to ASCII letter case; "\" separates sections.
//
// The file layout, one element per line, indented by depth + 1 blanks:
//   <?xml version='1.0' encoding='Shift_JIS' ?>
//   <IniFile version='1.0'>
//    <Option>
//     <Length Limit Type="Boolean">True</Length Limit>
//    </Option>
//   </IniFile>
// The reader takes nesting from the indentation and ignores closing lines.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "common/date_time.h"
#include "persist/ini_font_placement.h"

namespace lorvane {

class IFileSystem;

// A setting's value. monostate is "no value": written, it deletes the key; read, it is
// what an absent key gives when the caller passes it as the default.
using TIniValue = std::variant<std::monostate, bool, int64_t, double, TDateTime, std::string>;

// Deepest key path (in "\"-separated parts) that goes to the file. The writer's output
// grows with the square of the depth, so a file that claims more is not taken on trust.
constexpr int kMaxIniKeyDepth = 256;

class TIniFile {
 public:
  // Settings in memory only: Load and UpdateFile fail.
  TIniFile() = default;
  TIniFile(IFileSystem& fs, std::string file_name);

  const std::string& FileName() const { return file_name_; }

  // The four parallel lists, one entry per key, in list order (file order after a load,
  // new keys appended, sorted by UpdateFile). Types hold one letter after a write or an
  // UpdateFile ("B", "D", "F", "I", "S"), the upper-cased type word after loading an XML
  // file, whatever the file said after loading an old-style one.
  const std::vector<std::string>& Keys() const { return keys_; }
  const std::vector<std::string>& UpperKeys() const { return upper_keys_; }
  const std::vector<std::string>& Types() const { return types_; }
  const std::vector<std::string>& Values() const { return values_; }
  int Count() const { return static_cast<int>(keys_.size()); }
  void Clear();

  // Stores the value under section + "\" + name (the name alone for an empty section);
  // the key takes the letter case of this write. monostate deletes the key. Deleting
  // costs time linear in the number of keys; storing and reading are constant.
  void WriteValue(std::string_view section, std::string_view name, const TIniValue& value);
  // The stored value by its type: "B" gives bool (true only for the text "True"), "D"
  // TDateTime, "F" double, "I" int64_t, anything else the unescaped string. An absent
  // key, or a text that does not convert, gives `default_value`.
  TIniValue ReadValue(std::string_view section, std::string_view name,
                      const TIniValue& default_value) const;
  bool ValueExists(std::string_view section, std::string_view name) const;

  // Typed access. A reader converts what is stored as a user would expect and gives
  // `default_value` when the key is absent or the conversion fails:
  //   ReadBool:     Boolean as is; integer and float: non-zero is true; string: "True" or
  //                 "False" in any case, or a decimal integer (non-zero is true).
  //   ReadInteger:  integer as is; Boolean 1 or 0; float rounded half away from zero;
  //                 string parsed as a decimal integer. Outside the int range: default.
  //   ReadFloat:    float as is; integer and date-time (day count) as numbers; Boolean
  //                 1 or 0; string parsed as a decimal number.
  //   ReadString:   string as is; the others in their file text ("True", "12", "1.5",
  //                 "2024/01/02 03:04:05").
  //   ReadDateTime: date-time as is; integer and float as day counts; string parsed as
  //                 "yyyy/mm/dd hh:nn:ss" (seconds, or the whole time, may be left out).
  bool ReadBool(std::string_view section, std::string_view name, bool default_value) const;
  int ReadInteger(std::string_view section, std::string_view name, int default_value) const;
  double ReadFloat(std::string_view section, std::string_view name, double default_value) const;
  std::string ReadString(std::string_view section, std::string_view name,
                         std::string_view default_value) const;
  TDateTime ReadDateTime(std::string_view section, std::string_view name,
                         TDateTime default_value) const;

  // Floats are written with up to 15 significant digits ("1.5", "-0.25", "3", "1e+20"),
  // dates as "yyyy/mm/dd hh:nn:ss", integers in decimal, strings through EscapeValue.
  void WriteBool(std::string_view section, std::string_view name, bool value);
  void WriteInteger(std::string_view section, std::string_view name, int64_t value);
  void WriteFloat(std::string_view section, std::string_view name, double value);
  void WriteString(std::string_view section, std::string_view name, std::string_view value);
  void WriteDateTime(std::string_view section, std::string_view name, TDateTime value);
  void DeleteKey(std::string_view section, std::string_view name);

  // Names of the sub-sections directly below `section` (all top-level sections for an
  // empty one), in key order, each in the letter case of its first occurrence. Value
  // names directly below the section are not listed.
  std::vector<std::string> ReadSections(std::string_view section) const;

  // Sorts the four lists together by UpperKeys, byte order. Keys of equal UpperKeys
  // (only a hand-edited file has them) keep their order; a lookup finds the first.
  void SortKeys();

  // Fonts live in section + "\Font\Japanese" or "\Font\English" by the interface
  // language. ReadFont of a missing or empty "Name" sets the language's default face
  // and character set and nothing else; otherwise each field keeps its current value
  // unless a usable one is stored.
  void WriteFont(std::string_view section, const TFontData& font);
  void ReadFont(std::string_view section, TFontData* font) const;
  // WritePlacement writes the restored rectangle (width and height only for a resizable
  // frame) and the state, or nothing when `restored` is absent. ReadPlacement moves the
  // frame to the stored position (plus the work-area offset), takes the stored size for
  // a resizable frame, keeps the frame on the screen and sets the state.
  void WritePlacement(std::string_view section, const TWindowPlacement& window);
  void ReadPlacement(std::string_view section, TWindowPlacement* window) const;

  // Replaces the settings by those in `text`, the file's bytes: the XML form when the
  // first line begins with "<?xml" in any case, else the old "name=type:value" form.
  // Malformed lines yield what their character positions give; none is an error. Blank
  // lines, lines deeper than kMaxIniKeyDepth and keys past a budget of key bytes (four
  // times the text, at least 16 MiB) are skipped.
  void LoadFromText(std::string_view text);
  // Sorts the keys and gives the file's bytes (CP932, CR LF). Keys the file cannot hold
  // are left out of it but stay in memory: a path holding a line feed, deeper than
  // kMaxIniKeyDepth, or with a part that begins with "/" or holds ` Type="`, and a
  // second key with the same upper-cased path.
  std::string ToText();

  // Reads the file. A missing file leaves the settings empty and is no failure; a file
  // that exists but cannot be read leaves them empty and gives false and `error`.
  bool Load(std::string* error = nullptr);
  // Writes ToText() over the file atomically. On failure (false and `error`) the old
  // file stays as it was and the settings in memory are kept; the caller shows
  // SettingsWriteFailureText(FileName()).
  bool UpdateFile(std::string* error = nullptr);

 private:
  // Position of the first entry with this upper-cased path, or -1.
  long Find(const std::string& upper_key) const;
  void Append(std::string key, std::string upper_key, std::string type, std::string value);
  void Erase(size_t position);
  void RebuildIndex();

  IFileSystem* fs_ = nullptr;
  std::string file_name_;
  std::vector<std::string> keys_;
  std::vector<std::string> upper_keys_;
  std::vector<std::string> types_;
  std::vector<std::string> values_;
  // UpperKeys -> position of its first entry, kept in step with the lists.
  std::unordered_map<std::string, size_t> index_;
};

// "%" becomes "%%", a single-byte character below 0x20 "%" and two upper-case hex
// digits; double-byte characters and everything else stay as they are.
std::string EscapeValue(std::string_view text);
// The reverse. A "%" not followed by "%" or two hex digits stays as it is.
std::string UnescapeValue(std::string_view text);

// The settings file beside the program: its extension replaced by "ini"
// ("C:\Tools\Lorvane.exe" -> "C:\Tools\Lorvane.ini"); ".ini" appended when the program's
// name has no extension, as on POSIX.
std::string SettingsFileName(std::string_view program_path);

struct TMessageText {
  std::string message;
  std::string caption;
};
// The message box for a settings file that could not be written, in the interface
// language.
TMessageText SettingsWriteFailureText(std::string_view file_name);

}  // namespace lorvane
