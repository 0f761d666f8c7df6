#pragma once
// Mailboxes whose messages are ranges of lines: "." lines ending messages, or separator
// lines starting them. The messages' text is read later by the mail reader, which splits
// files into lines exactly as these scans do.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "mail/folder.h"
#include "platform/file_system.h"

namespace lorvane::mailers {

// Appends the messages of a mailbox whose messages end at a "." line (the first starting
// at line 0); text after the last "." line is no message. False when the file does not
// exist or cannot be read.
bool ListDotTerminated(IFileSystem& fs, const std::string& path, TFolder& folder);

// Appends the messages of a mailbox whose messages begin after separator lines: line 0 is
// the first separator whatever it holds, every line beginning with `separator` closes the
// message before it (two in a row give an empty range), and the end of the file closes
// the last one. False when the file does not exist or cannot be read.
bool ListSeparated(IFileSystem& fs, const std::string& path, std::string_view separator,
                   TFolder& folder);

// Where the messages of a "."-separated mailbox start: the first at line `first`, and
// after a "." line at i the next at i + 1 + `skipped_after_dot`. Lines before the
// current start are not looked at.
struct TDotLayout {
  size_t first = 0;
  size_t skipped_after_dot = 0;
};
// Calls `message(number, first, last)` for each message that a "." line closes, in
// order, `number` counting from 0. A message without lines is counted but not reported:
// it has no text, and its range at line 0 would read as the whole file. Text after the
// last "." is no message. False when the file cannot be read.
bool ForEachDotMessage(IFileSystem& fs, const std::string& path, TDotLayout layout,
                       const std::function<void(size_t, int32_t, int32_t)>& message);

}  // namespace lorvane::mailers
