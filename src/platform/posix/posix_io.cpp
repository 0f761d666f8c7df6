// Owning descriptors, errno texts and host-name comparison for the POSIX backend.
// Exercised through tests/platform/posix/posix_file_system_test.cpp.

#include "platform/posix/posix_io.h"

#include <unistd.h>

#include <cstring>

#include "common/codepage.h"

namespace lorvane {

void UniqueFd::Reset(int fd) {
  // Nothing useful can be done about a failing close of a descriptor that was only read;
  // writers close explicitly and check.
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

std::string ErrnoText(int err) {
  char buffer[256];
  // The GNU strerror_r returns the text, which may or may not be in `buffer`.
  const char* text = strerror_r(err, buffer, sizeof buffer);
  std::string out;
  if (text != nullptr && TryUtf8ToCp932(text, &out)) return out;
  return "error " + std::to_string(err);
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace lorvane
