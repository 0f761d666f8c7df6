// Code-page conversion through iconv ("CP932" is Microsoft's Shift_JIS, with the NEC and
// IBM extensions and the mappings Windows uses for 0x5C, 0x7E and the wave dash).
// The lossy forms map code points through a table built once with iconv. The Windows
// build will use MultiByteToWideChar/WideCharToMultiByte instead.
// Tested by tests/common/codepage_test.cpp.

#include "common/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <vector>

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

// CP932 form of every BMP code point, built once through iconv so that the lossy forms
// agree with the strict ones: below 0x100 a single byte, from 0x8140 a lead and a trail
// byte, 0 when CP932 has no such character.
const std::vector<uint16_t>& Cp932Table() {
  static const std::vector<uint16_t> table = [] {
    std::vector<uint16_t> t(0x10000, 0);
    for (uint32_t cp = 0; cp < 0x80; ++cp) t[cp] = static_cast<uint16_t>(cp);
    IconvHandle cd("CP932", "UTF-16LE");
    if (!cd.ok()) return t;
    for (uint32_t cp = 0x80; cp < 0x10000; ++cp) {
      if (cp >= 0xD800 && cp < 0xE000) continue;
      char in[2] = {static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8)};
      unsigned char out[4];
      char* src = in;
      size_t src_left = 2;
      char* dst = reinterpret_cast<char*>(out);
      size_t dst_left = sizeof out;
      if (iconv(cd.get(), &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) {
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        continue;
      }
      const size_t n = sizeof out - dst_left;
      if (n == 1) t[cp] = out[0];
      if (n == 2) t[cp] = static_cast<uint16_t>(out[0] << 8 | out[1]);
    }
    return t;
  }();
  return table;
}

void AppendCp932(char32_t cp, std::string* out) {
  const uint16_t code = cp < 0x10000 ? Cp932Table()[cp] : 0;
  if (code >= 0x100) {
    out->push_back(static_cast<char>(code >> 8));
    out->push_back(static_cast<char>(code & 0xFF));
  } else if (code != 0 || cp == 0) {
    out->push_back(static_cast<char>(code));
  } else {
    out->push_back('?');
  }
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// The code point starting at `*i`, advancing past it; kInvalid (past one byte) for a
// malformed sequence, including overlong forms and encoded surrogates.
char32_t NextUtf8(std::string_view s, size_t* i) {
  const auto b0 = static_cast<unsigned char>(s[*i]);
  ++*i;
  if (b0 < 0x80) return b0;
  int extra;
  char32_t cp;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    return kInvalid;
  }
  if (s.size() - *i < static_cast<size_t>(extra)) return kInvalid;
  for (int k = 0; k < extra; ++k) {
    const auto b = static_cast<unsigned char>(s[*i + k]);
    if ((b & 0xC0) != 0x80) return kInvalid;
    cp = cp << 6 | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return kInvalid;
  *i += extra;
  return cp;
}

// Calls `sink` with each code point of UTF-16LE bytes; kInvalid for a lone surrogate.
template <typename Sink>
void ForEachUtf16Le(std::string_view s, Sink sink) {
  const size_t units = s.size() / 2;
  auto unit = [&](size_t k) {
    return static_cast<char32_t>(static_cast<unsigned char>(s[2 * k]) |
                                 static_cast<unsigned char>(s[2 * k + 1]) << 8);
  };
  for (size_t k = 0; k < units; ++k) {
    const char32_t u = unit(k);
    if (u >= 0xD800 && u < 0xDC00 && k + 1 < units && unit(k + 1) >= 0xDC00 &&
        unit(k + 1) < 0xE000) {
      sink(0x10000 + ((u - 0xD800) << 10) + (unit(k + 1) - 0xDC00));
      ++k;
    } else {
      sink(u >= 0xD800 && u < 0xE000 ? kInvalid : u);
    }
  }
}

}  // namespace

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) cp = 0xFFFD;
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | cp >> 6));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | cp >> 12));
    out->push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | cp >> 18));
    out->push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (NextUtf8(text, &i) == kInvalid) return false;
  }
  return true;
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) AppendCp932(NextUtf8(utf8, &i), &out);
  return out;
}

std::string Utf16LeToCp932Lossy(std::string_view utf16le) {
  std::string out;
  out.reserve(utf16le.size());
  ForEachUtf16Le(utf16le, [&](char32_t cp) { AppendCp932(cp, &out); });
  return out;
}

std::string Utf16LeToUtf8Lossy(std::string_view utf16le) {
  std::string out;
  out.reserve(utf16le.size() + utf16le.size() / 2);
  ForEachUtf16Le(utf16le, [&](char32_t cp) { AppendUtf8(cp, &out); });
  return out;
}

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
