#pragma once
// CP932 <-> UTF-8 at the edges of the core: host file names on POSIX, the GUI, the
// terminal. Bytes that do not convert are an error, never silently dropped or truncated.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/exception.h"

namespace lorvane {

class ECodePage : public Exception {
 public:
  ECodePage(const std::string& message, size_t offset) : Exception(message), offset_(offset) {}
  // 0-based byte offset in the input of the first byte that did not convert.
  size_t offset() const { return offset_; }

 private:
  size_t offset_;
};

// Throw ECodePage on input that is not valid in the source encoding or has no
// representation in the target one.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// Non-throwing forms: false and the offset of the first bad byte on failure.
bool TryCp932ToUtf8(std::string_view cp932, std::string* out, size_t* bad_offset = nullptr);
bool TryUtf8ToCp932(std::string_view utf8, std::string* out, size_t* bad_offset = nullptr);

}  // namespace lorvane
