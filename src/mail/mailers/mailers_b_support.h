#pragma once
// Helpers shared by the akira32Gold, AL-Mail, AL-Mail32, Datula, EdMax and HyperMailer
// procedures: the error raised when a number field of an index is damaged, names
// taken from index lines, and mailboxes whose messages end at a "." line.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/exception.h"
#include "platform/file_system.h"

namespace lorvane::mailers {

// The error for a number field of an index that does not hold a number: names the file,
// the 0-based line and (the start of) the field, in the interface language.
Exception BadNumberField(const std::string& file, size_t line, std::string_view field,
                         bool hexadecimal);
// The error for an index that exists in the tree but cannot be opened.
Exception UnreadableIndex(const std::string& file, const std::string& reason);

// Whether a name read from an index can only name a file in the index's own directory:
// no "\", "/" or ":" (by characters), no wildcard, not "." or "..".
bool IsPlainFileName(std::string_view name);

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
