#pragma once
// Readers of the two text forms of the registry: Wine's hive files (user.reg, system.reg,
// userdef.reg) and the registry editor's export files (REGEDIT4 and version 5). They turn
// lines into calls on a sink and skip what they cannot read; deciding which store a key
// lands in is the sink's work. Names and string values reach the sink as CP932.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace lorvane {

struct TRegFileKey {
  std::optional<TRegRoot> root;   // exports name their root; hive keys are relative to the hive
  std::vector<std::string> path;  // names below the root, none for the root itself
};

class IRegFileSink {
 public:
  virtual ~IRegFileSink() = default;
  // The key the following values belong to; false when it cannot be written (the values
  // up to the next key line are then dropped).
  virtual bool OpenKey(const TRegFileKey& key) = 0;
  virtual void DeleteKey(const TRegFileKey& key) = 0;
  virtual void SetValue(const std::string& name, TRegValue value) = 0;
  virtual void DeleteValue(const std::string& name) = 0;
  // The open key is a Wine symbolic link.
  virtual void MarkLink() = 0;
};

struct TWineHiveHeader {
  bool valid = false;       // the text starts with Wine's signature line
  std::string relative_to;  // "Machine", "User\S-1-5-21-…", "User\.Default"; "" when unsaid
};

TWineHiveHeader ReadWineHiveHeader(std::string_view text);
// The text must be a hive (ReadWineHiveHeader(text).valid). Returns the number of lines
// skipped as malformed.
size_t ParseWineHive(std::string_view text, IRegFileSink& sink);

// False and `error` when the bytes are not an export (no known first line). `skipped`
// counts lines skipped as malformed.
bool ParseRegExport(std::string_view bytes, IRegFileSink& sink, size_t* skipped,
                    std::string* error);

// The root a name in an export or value path stands for: full names and the short forms
// (HKLM, HKCU, HKCR, HKU, HKCC, HKDD), in any letter case.
std::optional<TRegRoot> RegRootFromName(std::string_view name);

}  // namespace lorvane
