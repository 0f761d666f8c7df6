// Encoding of the command line's text: UTF-8 on POSIX terminals by default, CP932 bytes
// passed through unchanged with --encoding cp932.
// Tested by tests/cli/cli_test.cpp.

#include "cli/cli_context.h"

#include <cstdio>
#include <istream>
#include <iterator>

#include "common/codepage.h"

namespace lorvane::cli {

std::string CliContext::ToCore(std::string_view external, std::string_view what) const {
  if (encoding_ == Encoding::kCp932) return std::string(external);
  std::string out;
  size_t bad = 0;
  if (!TryUtf8ToCp932(external, &out, &bad)) {
    throw UsageError{std::string(what) + " does not convert from UTF-8 to CP932 at byte " +
                     std::to_string(bad + 1) + " (use --encoding cp932 for raw bytes)"};
  }
  return out;
}

std::string CliContext::ToExternal(std::string_view cp932) const {
  if (encoding_ == Encoding::kCp932) return std::string(cp932);
  std::string result;
  while (!cp932.empty()) {
    std::string converted;
    size_t bad = 0;
    if (TryCp932ToUtf8(cp932, &converted, &bad)) {
      result += converted;
      break;
    }
    std::string good;
    TryCp932ToUtf8(cp932.substr(0, bad), &good);
    result += good;
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(cp932[bad]));
    result += escaped;
    ++unconverted_;
    cp932.remove_prefix(bad + 1);
  }
  return result;
}

std::string CliContext::ReadAllInput() {
  std::string data((std::istreambuf_iterator<char>(in_)), std::istreambuf_iterator<char>());
  return ToCore(data, "standard input");
}

}  // namespace lorvane::cli
