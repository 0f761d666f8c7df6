#pragma once
// The texts that the result list's "sender" and "subject" clipboard items copy: the raw
// header line of the file's first header block, undecoded, whatever message of the file
// the hit is.

#include <string>

namespace lorvane {

class IFileSystem;

// The first "From:" line (any letter case) before the file's first empty line: at most
// 255 bytes after the colon, never half a double-byte character, trimmed of blanks and
// control characters. Empty when the file or the line is missing.
std::string SenderClipText(IFileSystem& fs, const std::string& file);
// The same for the first "Subject:" line.
std::string SubjectClipText(IFileSystem& fs, const std::string& file);

}  // namespace lorvane
