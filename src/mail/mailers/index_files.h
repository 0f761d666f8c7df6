#pragma once
// What reading a mail program's own index files needs beside the lines: the errors raised
// when an index is damaged or cannot be opened, and the test that a name taken from an
// index stays inside its directory.

#include <string>
#include <string_view>

#include "common/exception.h"

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

}  // namespace lorvane::mailers
