// Save As safety for the viewer. The store file of a message is refused whatever case or
// form its name was typed in that still names the same path; a directory counts as
// existing, so writing over it is asked about (and then fails in the writer).
// Tested by tests/mail/save_as_check_test.cpp.

#include "mail/save_as_check.h"

#include "common/mbstring.h"
#include "platform/file_system.h"

namespace lorvane {

TSaveAsCheck CheckSaveAs(IFileSystem& fs, const std::string& chosen,
                         const std::string& store_file) {
  if (!store_file.empty() && UpperAscii(chosen) == UpperAscii(store_file)) return scRefuseStore;
  // Exists takes a pattern: a name with "*" or "?" is no file to write anyway.
  if (chosen.find_first_of("*?") != std::string::npos) return scConfirmReplace;
  return fs.Exists(chosen) ? scConfirmReplace : scWrite;
}

}  // namespace lorvane
