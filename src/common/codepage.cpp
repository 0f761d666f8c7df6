// Code-page conversion between CP932 (Microsoft's Shift_JIS, with the NEC and IBM
// extensions and the mappings Windows uses for 0x5C, 0x7E and the wave dash) and
// Unicode. The platform's converter (iconv, or MultiByteToWideChar and
// WideCharToMultiByte on Windows) is asked once per character to fill two tables; every
// conversion then runs on the tables.
// Tested by tests/common/codepage_test.cpp.

#include "common/codepage.h"

#include "common/mbstring.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace lorvane {

namespace {

constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// The platform's own CP932 mapping, read into two tables so that every conversion
// (strict or lossy, either way) agrees with it and runs without the platform's converter:
//   decode: CP932 code (a byte, or lead * 256 + trail) -> code point, kNoCharacter if none
//   encode: BMP code point -> CP932 code, 0 when CP932 has no such character
// The decode table is read whole at first use (11,000 codes); the encode table a block of
// 256 code points at a time, when one of them is first asked for, since reading all 63,000
// would cost every run of the command line ten milliseconds for the few blocks it meets.
struct TTables {
  TTables();

  std::vector<char32_t> decode = std::vector<char32_t>(0x10000, kNoCharacter);
  std::vector<uint16_t> encode = std::vector<uint16_t>(0x10000, 0);
  // Per block of 256 code points: the flag of its one reading, and whether it was read
  // (looked at first, so that a block read costs one load, not a call_once).
  std::array<std::once_flag, 0x100> encode_block_once;
  std::array<std::atomic<bool>, 0x100> encode_block_read{};
};

#ifdef _WIN32

class TPlatformCodec {
 public:
  bool ok() const { return true; }

  char32_t DecodeOne(const char* bytes, int n) {
    wchar_t w[2];
    const int got = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, n, w, 2);
    return got == 1 ? static_cast<char32_t>(w[0]) : kNoCharacter;
  }

  uint16_t EncodeOne(char32_t cp) {
    const wchar_t w = static_cast<wchar_t>(cp);
    char out[4];
    BOOL used_default = FALSE;
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &w, 1, out, sizeof out, nullptr,
                                      &used_default);
    if (used_default || n < 1 || n > 2) return 0;
    const auto b0 = static_cast<unsigned char>(out[0]);
    return n == 1 ? b0 : static_cast<uint16_t>(b0 << 8 | static_cast<unsigned char>(out[1]));
  }
};

#else

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (ok()) iconv_close(cd_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Converts all of `in`; the output bytes, or nothing when it does not convert whole.
  std::string Whole(const char* in, size_t n) {
    char out[8];
    char* src = const_cast<char*>(in);  // iconv's signature; the input is not written
    char* dst = out;
    size_t src_left = n;
    size_t dst_left = sizeof out;
    const size_t r = iconv(cd_, &src, &src_left, &dst, &dst_left);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (r == static_cast<size_t>(-1) || src_left != 0) return {};
    return std::string(out, sizeof out - dst_left);
  }

 private:
  iconv_t cd_;
};

class TPlatformCodec {
 public:
  bool ok() const { return to_unicode_.ok() && from_unicode_.ok(); }

  char32_t DecodeOne(const char* bytes, int n) {
    const std::string u = to_unicode_.Whole(bytes, static_cast<size_t>(n));
    if (u.size() != 2) return kNoCharacter;
    return static_cast<char32_t>(static_cast<unsigned char>(u[0]) |
                                 static_cast<unsigned char>(u[1]) << 8);
  }

  uint16_t EncodeOne(char32_t cp) {
    const char in[2] = {static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8)};
    const std::string out = from_unicode_.Whole(in, 2);
    if (out.size() == 1) return static_cast<unsigned char>(out[0]);
    if (out.size() == 2) {
      return static_cast<uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                   static_cast<unsigned char>(out[1]));
    }
    return 0;
  }

 private:
  IconvHandle to_unicode_{"UTF-16LE", "CP932"};
  IconvHandle from_unicode_{"CP932", "UTF-16LE"};
};

#endif

TTables::TTables() {
  TPlatformCodec codec;
  if (!codec.ok()) return;
  for (uint32_t b = 0; b < 0x100; ++b) {
    const char c = static_cast<char>(b);
    if (b < 0x80) {
      decode[b] = b;
    } else if (!IsLeadByte(c)) {
      decode[b] = codec.DecodeOne(&c, 1);
    } else {
      for (uint32_t trail = 0x40; trail <= 0xFC; ++trail) {
        const char pair[2] = {c, static_cast<char>(trail)};
        decode[b << 8 | trail] = codec.DecodeOne(pair, 2);
      }
    }
  }
}

TTables& Tables() {
  static TTables tables;
  return tables;
}

// The CP932 code of a code point, 0 for none (and for U+0000 itself).
uint16_t EncodeCode(char32_t cp) {
  if (cp >= 0x10000) return 0;
  TTables& t = Tables();
  const size_t block = cp >> 8;
  if (!t.encode_block_read[block].load(std::memory_order_acquire)) {
    std::call_once(t.encode_block_once[block], [&t, block] {
      TPlatformCodec codec;
      if (codec.ok()) {
        for (uint32_t c = static_cast<uint32_t>(block << 8); c < (block + 1) << 8; ++c) {
          if (c < 0x80) {
            t.encode[c] = static_cast<uint16_t>(c);
          } else if (c < 0xD800 || c >= 0xE000) {
            t.encode[c] = codec.EncodeOne(c);
          }
        }
      }
      t.encode_block_read[block].store(true, std::memory_order_release);
    });
  }
  return t.encode[cp];
}

void AppendCp932(char32_t cp, std::string* out) {
  const uint16_t code = EncodeCode(cp);
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

std::u16string Cp932ToUtf16Lossy(std::string_view cp932) {
  std::u16string out;
  out.reserve(cp932.size());
  const TTables& t = Tables();
  for (size_t i = 0; i < cp932.size();) {
    const size_t width = CharWidthAt(cp932, i);
    const auto b = static_cast<unsigned char>(cp932[i]);
    const uint32_t code = width == 2 ? (b << 8 | static_cast<unsigned char>(cp932[i + 1])) : b;
    const char32_t cp = t.decode[code];
    out.push_back(cp == kNoCharacter || cp > 0xFFFF ? u'\uFFFD' : static_cast<char16_t>(cp));
    i += width;
  }
  return out;
}

std::string Utf16ToCp932Lossy(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 2);
  for (size_t k = 0; k < utf16.size(); ++k) {
    const char32_t u = utf16[k];
    if (u >= 0xD800 && u < 0xDC00 && k + 1 < utf16.size() && utf16[k + 1] >= 0xDC00 &&
        utf16[k + 1] < 0xE000) {
      out.push_back('?');  // a supplementary character: CP932 has none
      ++k;
    } else {
      AppendCp932(u >= 0xD800 && u < 0xE000 ? kInvalid : u, &out);
    }
  }
  return out;
}

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() + cp932.size() / 2);
  const TTables& t = Tables();
  for (size_t i = 0; i < cp932.size();) {
    const size_t width = CharWidthAt(cp932, i);
    const auto b = static_cast<unsigned char>(cp932[i]);
    const uint32_t code = width == 2 ? (b << 8 | static_cast<unsigned char>(cp932[i + 1])) : b;
    const char32_t cp = t.decode[code];  // none for a lead byte alone at the end
    AppendUtf8(cp == kNoCharacter ? 0xFFFD : cp, &out);
    i += width;
  }
  return out;
}

bool TryCp932ToUtf8(std::string_view cp932, std::string* out, size_t* bad_offset) {
  out->clear();
  out->reserve(cp932.size() + cp932.size() / 2);
  const TTables& t = Tables();
  for (size_t i = 0; i < cp932.size();) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    size_t width = 1;
    uint32_t code = b;
    if (IsLeadByte(b)) {
      width = 2;
      code = i + 1 < cp932.size() ? (b << 8 | static_cast<unsigned char>(cp932[i + 1])) : 0x10000;
    }
    const char32_t cp = code < 0x10000 ? t.decode[code] : kNoCharacter;
    if (cp == kNoCharacter) {
      if (bad_offset) *bad_offset = i;
      return false;
    }
    AppendUtf8(cp, out);
    i += width;
  }
  if (bad_offset) *bad_offset = 0;
  return true;
}

bool TryUtf8ToCp932(std::string_view utf8, std::string* out, size_t* bad_offset) {
  out->clear();
  out->reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const size_t at = i;
    const char32_t cp = NextUtf8(utf8, &i);
    const uint16_t code = EncodeCode(cp);
    if (cp == kInvalid || (code == 0 && cp != 0)) {
      if (bad_offset) *bad_offset = at;
      return false;
    }
    if (code >= 0x100) out->push_back(static_cast<char>(code >> 8));
    out->push_back(static_cast<char>(code & 0xFF));
  }
  if (bad_offset) *bad_offset = 0;
  return true;
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
