#pragma once
// Registry values named by one path string, read as typed values. A path is absolute,
// "\" + root name + optionally "\" + sub-key ("\HKEY_CURRENT_USER\Software\RimArts"), or
// relative to the program's own key below HKEY_CURRENT_USER. The kind of the default
// passed to ReadRegValue chooses how the stored value is converted:
//
//   default kind       REG_SZ text            REG_DWORD          REG_BINARY
//   TDateTime          "yyyy/mm/dd hh:nn:ss"  -                  8 bytes, a double
//   int16_t, int32_t   decimal, "$" hex       the number         bytes as one hex number
//   float, double      decimal                -                  8 bytes, a double
//   TCurrency          decimal                -                  8 bytes, 1/10000 units
//   bool               "0"/"FALSE": false     4 bytes, not 0     -
//   uint8_t            -                      -                  exactly 1 byte
//   std::string        the text (REG_EXPAND_SZ too, not expanded)
//   TRegBytes          -                      -                  the bytes
//
// Any other combination, a wrong size, text that does not parse or a number that does
// not fit the kind gives the default back. Only REG_SZ counts as text except for a
// std::string default. Stateless: every call asks the registry afresh.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "common/date_time.h"
#include "platform/registry.h"

namespace lorvane {

// A fixed-point amount with four decimal places, as the count of ten-thousandths.
struct TCurrency {
  int64_t scaled = 0;
  bool operator==(const TCurrency&) const = default;
};

// As a default: "give me the value's bytes" (the kind that has no value of its own).
struct TRegBytes {
  std::string bytes;
  bool operator==(const TRegBytes&) const = default;
};

// A typed value; std::monostate is the empty value.
using TRegVariant = std::variant<std::monostate, bool, uint8_t, int16_t, int32_t, float, double,
                                 TCurrency, TDateTime, std::string, TRegBytes>;

struct TRegPath {
  TRegRoot root = TRegRoot::kCurrentUser;
  std::string sub_key;  // letter case kept; empty for the root itself
  bool valid = false;
};

// Relative paths name keys below this one, under HKEY_CURRENT_USER.
extern const char kProgramRegKey[];  // "Software\Tessaly Lab\Lorvane\"

// Valid for a relative path, and for an absolute one whose root name, upper-cased, is
// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
// HKEY_CURRENT_CONFIG or HKEY_DYN_DATA.
TRegPath ParseRegPath(const std::string& path);

// The value `value_name` ("" for the key's default value) converted by the kind of
// `default_value`; the default when the key or value is missing or does not convert. An
// invalid path gives the empty value whatever the default. A stored empty text, 0 or
// false is a value read and is returned as such.
TRegVariant ReadRegValue(IRegistry& registry, const std::string& key_path,
                         const std::string& value_name, const TRegVariant& default_value);
// The common cases. Other kinds than the one asked for never come back, so an invalid
// path reads as "" or 0.
std::string ReadRegString(IRegistry& registry, const std::string& key_path,
                          const std::string& value_name, const std::string& default_value = "");
int32_t ReadRegInteger(IRegistry& registry, const std::string& key_path,
                       const std::string& value_name, int32_t default_value = 0);

// Replaces `*list` with the key's value names (`want_values`) or sub-key names, in the
// registry's order. False, and `*list` untouched, for an invalid path or a missing key.
bool ListRegNames(IRegistry& registry, const std::string& key_path, bool want_values,
                  std::vector<std::string>* list);
bool ListRegKeys(IRegistry& registry, const std::string& key_path, std::vector<std::string>* list);

}  // namespace lorvane
