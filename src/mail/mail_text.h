#pragma once
// Text transformations of a message: dropping binary MIME parts,
// decoding ISO-2022-JP "B" header words, JIS to Shift_JIS, and the short forms of the
// sender, date and time shown in the result list. All on CP932 byte strings.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/lines.h"

namespace lorvane {

// The 18 binary content types, by prefix of the upper-cased, trimmed Content-Type value.
bool IsBinaryContentType(std::string_view upper_value);

// Drops every stretch from a binary part's Content-Type line up to the next Content-Type
// line. With `length_limit`, the text stops at the first Content-Type line reached once
// 10000 characters are kept. The first line never counts as a Content-Type line. The
// result is the kept lines of `text` (up to a NUL), each followed by CR LF. `type_lines`,
// when given, holds where every line of `text` that begins "Content-Type:" (in any case)
// starts, in order, as a scan of the mailbox found them: the bytes of a binary part are
// then not looked at, not even for a NUL.
std::string RemoveBinaryParts(std::string_view text, bool length_limit,
                              const std::vector<uint64_t>* type_lines = nullptr);

// 0..63 for "A"-"Z", "a"-"z", "0"-"9", "+"; 63 for every other byte.
int Base64Value(unsigned char b);
// ISO-2022-JP escape-coded text (up to a NUL) to Shift_JIS.
std::string JisToSjis(std::string_view s);
// Decodes "=?ISO-2022-JP?B?...?=" words in the header lines (up to the first empty line)
// in place, joining folded lines that both carry encoded words.
void DecodeHeaderWords(std::vector<std::string>& lines);

// The result list's forms of the From and Date header values.
std::string SenderName(std::string_view value);
std::string MailDate(std::string_view value);
std::string MailTime(std::string_view value);

}  // namespace lorvane
