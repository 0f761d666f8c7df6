#pragma once
// Plain byte-substring search, the fast path of the keyword query: case-sensitive, no
// character-boundary check.

#include <string>
#include <string_view>

namespace lorvane {

class TSubstringFinder {
 public:
  explicit TSubstringFinder(std::string needle = {});

  const std::string& Needle() const { return needle_; }
  // Whether the needle occurs in `haystack` (an empty needle always does).
  bool Find(std::string_view haystack) const;
  // Offset of the needle's first occurrence in `haystack`, npos when there is none.
  size_t FindFirst(std::string_view haystack) const;

 private:
  std::string needle_;
  size_t rare_offset_ = 0;  // index of the needle's least common byte
};

// How common a byte is in mail text, from 2 (control characters) to 255 (the blank):
// the measure by which searches pick the byte or character to look for.
int MailByteFrequency(unsigned char b);

}  // namespace lorvane
