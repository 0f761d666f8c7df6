#pragma once
// Builds Windows shortcut (.lnk) files in the documented binary layout (a header,
// optionally a target ID list, LinkInfo with a volume ID, local base path and common path
// suffix, StringData, and the terminal block), so that shortcut reading is tested
// against files of known contents, in both the 8-bit and the Unicode forms.

#include <string>

namespace lorvane {

struct TLnkFields {
  // LinkInfo, written when `local_base_path` is not empty. 8-bit strings are CP932.
  std::string local_base_path;
  std::string common_path_suffix;
  // Adds the Unicode copies of both paths (a LinkInfo header of 0x24 bytes), as Windows
  // writes them when a path has no form in the 8-bit code page.
  bool unicode_link_info = false;

  // StringData in UTF-16 (the IsUnicode flag) instead of CP932.
  bool unicode_strings = false;
  std::string description;  // NAME_STRING when not empty
  std::string working_directory;
  bool has_arguments = true;
  std::string arguments;

  // A target ID list before LinkInfo, which a reader has to step over.
  bool with_id_list = false;
};

std::string BuildLnk(const TLnkFields& fields);

}  // namespace lorvane
