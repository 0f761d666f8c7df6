// Shift_JIS string helpers. Everything here walks strings character by character from the
// start, because a trail byte (0x40-0xFC) may look like "\", "|" or a letter; scanning
// backwards or at arbitrary byte offsets would misread it.
// Tested by tests/common/mbstring_test.cpp.

#include "common/mbstring.h"

namespace lorvane {

namespace {

constexpr char UpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// Byte offset of the start of character number `index` (1-based); s.size() when past the end.
size_t OffsetOfChar(std::string_view s, long long index) {
  size_t i = 0;
  for (long long n = 1; n < index && i < s.size(); ++n) i += CharWidthAt(s, i);
  return i < s.size() ? i : s.size();
}

}  // namespace

int MBLength(std::string_view s) {
  int n = 0;
  for (size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) ++n;
  return n;
}

int MBPos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  // The byte search finds the candidates; character starts are walked only up to each.
  int n = 1;
  size_t i = 0;  // the start of character n
  for (size_t hit = s.find(sub); hit != std::string_view::npos; hit = s.find(sub, hit + 1)) {
    for (; i < hit; ++n) i += CharWidthAt(s, i);
    if (i == hit) return n;
  }
  return 0;
}

std::string MBCopy(std::string_view s, int index, int count) {
  if (count <= 0) return {};
  if (index < 1) index = 1;
  size_t begin = OffsetOfChar(s, index);
  size_t end = begin;
  for (int n = 0; n < count && end < s.size(); ++n) end += CharWidthAt(s, end);
  return std::string(s.substr(begin, end - begin));
}

std::string MBLastChar(std::string_view s) {
  size_t last = 0;
  for (size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) last = i;
  return std::string(s.substr(last));
}

std::string_view ByteCopy(std::string_view s, long long pos, long long count) {
  if (count <= 0) return {};
  if (pos < 1) pos = 1;
  const auto start = static_cast<unsigned long long>(pos - 1);
  if (start >= s.size()) return {};
  return s.substr(static_cast<size_t>(start), static_cast<size_t>(count));
}

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (size_t i = 0; i < out.size();) {
    if (IsLeadByte(out[i]) && i + 1 < out.size()) {
      i += 2;
    } else {
      out[i] = UpperChar(out[i]);
      ++i;
    }
  }
  return out;
}

std::string_view TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= 0x20) ++i;
  return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= 0x20) --n;
  return s.substr(0, n);
}

std::string_view Trim(std::string_view s) {
  return TrimRight(TrimLeft(s));
}

std::string EnsureTrailingSeparator(std::string_view path) {
  std::string out(path);
  if (MBLastChar(out) != "\\") out += '\\';
  return out;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(a[i]) && i + 1 < a.size()) {
      // A trail byte may be an ASCII letter; it must match exactly.
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (UpperChar(a[i]) != UpperChar(b[i])) {
      return false;
    }
  }
  return true;
}

bool StartsWithNoCase(std::string_view s, size_t at, std::string_view upper_prefix) {
  if (at > s.size() || s.size() - at < upper_prefix.size()) return false;
  for (size_t i = 0; i < upper_prefix.size(); ++i) {
    if (UpperChar(s[at + i]) != upper_prefix[i]) return false;
  }
  return true;
}

}  // namespace lorvane
