// Code-page conversion through iconv ("CP932" is Microsoft's Shift_JIS, with the NEC and
// IBM extensions and the mappings Windows uses for 0x5C, 0x7E and the wave dash).
// The Windows build will use MultiByteToWideChar/WideCharToMultiByte instead.
// Tested by tests/common/codepage_test.cpp.

#include "common/codepage.h"

#include <iconv.h>

#include <cerrno>

namespace lorvane {

namespace {

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (ok()) iconv_close(cd_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

bool Convert(const char* to, const char* from, std::string_view in, std::string* out,
             size_t* bad_offset) {
  out->clear();
  if (bad_offset) *bad_offset = 0;
  if (in.empty()) return true;
  IconvHandle cd(to, from);
  if (!cd.ok()) return false;
  out->resize(in.size() * 2 + 16);
  char* src = const_cast<char*>(in.data());  // iconv's signature; the input is not written
  size_t src_left = in.size();
  size_t used = 0;
  while (src_left > 0) {
    char* dst = out->data() + used;
    size_t dst_left = out->size() - used;
    size_t r = iconv(cd.get(), &src, &src_left, &dst, &dst_left);
    used = out->size() - dst_left;
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      out->resize(out->size() * 2);
      continue;
    }
    // EILSEQ or EINVAL (a truncated sequence at the end): report where it starts.
    if (bad_offset) *bad_offset = static_cast<size_t>(src - in.data());
    out->resize(used);
    return false;
  }
  out->resize(used);
  return true;
}

}  // namespace

bool TryCp932ToUtf8(std::string_view cp932, std::string* out, size_t* bad_offset) {
  return Convert("UTF-8", "CP932", cp932, out, bad_offset);
}

bool TryUtf8ToCp932(std::string_view utf8, std::string* out, size_t* bad_offset) {
  return Convert("CP932", "UTF-8", utf8, out, bad_offset);
}

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  size_t bad = 0;
  if (!TryCp932ToUtf8(cp932, &out, &bad)) {
    throw ECodePage("CP932 text does not convert to UTF-8 at byte " + std::to_string(bad + 1), bad);
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  std::string out;
  size_t bad = 0;
  if (!TryUtf8ToCp932(utf8, &out, &bad)) {
    throw ECodePage("UTF-8 text does not convert to CP932 at byte " + std::to_string(bad + 1), bad);
  }
  return out;
}

}  // namespace lorvane
