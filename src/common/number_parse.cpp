// Bounded decimal and hexadecimal parsing; the formats around the numbers (a "$" prefix,
// blanks, field separators) are the callers'.
// Tested by tests/common/number_parse_test.cpp.

#include "common/number_parse.h"

#include <limits>

#include "common/mbstring.h"

namespace lorvane {

std::optional<uint64_t> ParseDigits(std::string_view text, int base, uint64_t max) {
  if (text.empty()) return std::nullopt;
  const auto radix = static_cast<uint64_t>(base);
  uint64_t value = 0;
  for (char c : text) {
    const int digit = base == 16 ? HexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    const auto d = static_cast<uint64_t>(digit);
    if (value > (max - d) / radix) return std::nullopt;
    value = value * radix + d;
  }
  return value;
}

std::optional<uint32_t> ParseHex32(std::string_view text) {
  const std::optional<uint64_t> value =
      ParseDigits(text, 16, std::numeric_limits<uint32_t>::max());
  if (!value) return std::nullopt;
  return static_cast<uint32_t>(*value);
}

std::optional<int32_t> ParseDecimal32(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  constexpr uint64_t kMaxMagnitude = uint64_t{std::numeric_limits<int32_t>::max()} + 1;
  const std::optional<uint64_t> magnitude = ParseDigits(text, 10, kMaxMagnitude);
  if (!magnitude) return std::nullopt;
  const int64_t value = negative ? -static_cast<int64_t>(*magnitude)
                                 : static_cast<int64_t>(*magnitude);
  if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace lorvane
