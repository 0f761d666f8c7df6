#pragma once
// The line at which an editor opens a hit: the first non-empty line after the header of
// the message, counted in the lines of the whole file.

#include <cstdint>
#include <string>

namespace lorvane {

class IFileSystem;

// The 1-based line of `file` where the body of the message at (first, last) begins:
//  - "...\.MES\MESSAGE.TXT" (records): `first` is the record's byte offset; the message
//    runs to the end of the file when `last` is -1, is `last` bytes long when it is 0 or
//    more, and is the record as its own length field gives it when `last` is below -1
//    (the addresses the enumeration produces);
//  - any other file: `first` and `last` are line indexes (`last` below `first`, as -1,
//    runs to the last line).
// Within the message, the first non-empty line after the first empty one; the message's
// first line when there is none. A file that cannot be read counts as empty.
int BodyLineOfHit(IFileSystem& fs, const std::string& file, int32_t first, int32_t last);

}  // namespace lorvane
