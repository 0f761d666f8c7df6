#pragma once
// What the viewer's Save As may do with the name the user chose. The save dialog starts
// with the message's own file, the mail program's store: one careless OK would replace a
// whole mailbox with one message, so that name is refused outright, and any other file
// that exists is replaced only after the user confirmed it.

#include <string>

namespace lorvane {

class IFileSystem;

enum TSaveAsCheck {
  scWrite,          // a new file: write it
  scConfirmReplace, // the file exists: ask (msg::kSaveAsReplace), write on Yes
  scRefuseStore,    // the message's own store file: say so (msg::kSaveAsStoreFile), write nothing
};

// `chosen` and `store_file` are Windows paths; names compare without regard to the case
// of ASCII letters, as Windows file names do.
TSaveAsCheck CheckSaveAs(IFileSystem& fs, const std::string& chosen,
                         const std::string& store_file);

}  // namespace lorvane
