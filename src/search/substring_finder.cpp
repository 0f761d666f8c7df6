// Substring search by the needle's rarest byte: memchr (vectorised in the C library)
// finds candidates for that byte and each is verified with memcmp. Mail text is
// mostly letters, blanks and the lead bytes of kana, so a needle usually has a byte that
// occurs seldom and memchr runs at memory speed. When candidates prove frequent, the
// search hands over to memmem (two-way; Boyer-Moore where the C library lacks it), linear
// in the worst case.
// Tested by tests/search/substring_finder_test.cpp.

#include "search/substring_finder.h"

#include <algorithm>
#include <array>
#include <functional>
#include <cstring>

namespace lorvane {

namespace {

// Rough byte frequencies of mail text (English and CP932 Japanese): higher is more common.
constexpr std::array<unsigned char, 256> MakeFrequencies() {
  std::array<unsigned char, 256> f{};
  for (int b = 0; b < 256; ++b) f[b] = 20;  // trail bytes and the rest
  for (int b = 0x00; b < 0x20; ++b) f[b] = 2;
  f['\r'] = 150;
  f['\n'] = 150;
  f['\t'] = 40;
  for (int b = 0x21; b < 0x7F; ++b) f[b] = 30;  // punctuation
  for (int b = '0'; b <= '9'; ++b) f[b] = 60;
  for (int b = 'A'; b <= 'Z'; ++b) f[b] = 45;
  const char* common = "etaoinshrdlucmfwypvbgkjqxz";  // by English frequency
  for (int i = 0; common[i] != '\0'; ++i) {
    f[static_cast<unsigned char>(common[i])] = static_cast<unsigned char>(200 - i * 6);
  }
  f[' '] = 255;
  f[0x81] = 170;                                 // punctuation, blanks
  f[0x82] = 220;                                 // hiragana, full-width alphanumerics
  f[0x83] = 190;                                 // katakana
  for (int b = 0x88; b <= 0x9F; ++b) f[b] = 90;  // kanji lead bytes
  for (int b = 0xE0; b <= 0xEA; ++b) f[b] = 70;
  return f;
}

constexpr std::array<unsigned char, 256> kFrequency = MakeFrequencies();

// After this many candidates that failed, beyond a few per kilobyte, memmem takes over.
constexpr size_t kMissesAllowed = 64;

}  // namespace

TSubstringFinder::TSubstringFinder(std::string needle) : needle_(std::move(needle)) {
  for (size_t i = 1; i < needle_.size(); ++i) {
    if (kFrequency[static_cast<unsigned char>(needle_[i])] <
        kFrequency[static_cast<unsigned char>(needle_[rare_offset_])]) {
      rare_offset_ = i;
    }
  }
}

bool TSubstringFinder::Find(std::string_view haystack) const {
  return FindFirst(haystack) != std::string_view::npos;
}

size_t TSubstringFinder::FindFirst(std::string_view haystack) const {
  const size_t n = needle_.size();
  if (n == 0) return 0;
  if (haystack.size() < n) return std::string_view::npos;
  const char* const begin = haystack.data();
  const char* const last = begin + (haystack.size() - n);  // last possible start
  const char* p = begin + rare_offset_;
  const auto rare = static_cast<unsigned char>(needle_[rare_offset_]);
  size_t misses = 0;
  while (p <= last + rare_offset_) {
    const auto* hit = static_cast<const char*>(
        std::memchr(p, rare, static_cast<size_t>(last + rare_offset_ - p) + 1));
    if (hit == nullptr) return std::string_view::npos;
    const char* start = hit - rare_offset_;
    if (std::memcmp(start, needle_.data(), n) == 0) return static_cast<size_t>(start - begin);
    p = hit + 1;
    if (++misses > kMissesAllowed + static_cast<size_t>(p - begin) / 256) {
      const char* rest = start + 1;
      const auto rest_size = static_cast<size_t>(begin + haystack.size() - rest);
#ifdef __GLIBC__
      const auto* found = static_cast<const char*>(memmem(rest, rest_size, needle_.data(), n));
      return found ? static_cast<size_t>(found - begin) : std::string_view::npos;
#else
      // Boyer-Moore finds a first occurrence in linear time too.
      const char* end = rest + rest_size;
      const char* found =
          std::search(rest, end, std::boyer_moore_searcher(needle_.begin(), needle_.end()));
      return found != end ? static_cast<size_t>(found - begin) : std::string_view::npos;
#endif
    }
  }
  return std::string_view::npos;
}

int MailByteFrequency(unsigned char b) {
  return kFrequency[b];
}

}  // namespace lorvane
