#pragma once
// Bounded integer parsing for numbers read from files we do not trust (indexes, result
// files, settings, registry exports): the whole text must be the number, and a text of any
// length is read without overflow.

#include <cstdint>
#include <optional>
#include <string_view>

namespace lorvane {

// Digits of `base` (10 or 16; hexadecimal in either letter case) and nothing else, as a
// number not above `max`. nullopt for an empty text, any other byte, or a larger number.
std::optional<uint64_t> ParseDigits(std::string_view text, int base, uint64_t max);

// Unsigned hexadecimal text without prefix or blanks, at most 32 bits.
std::optional<uint32_t> ParseHex32(std::string_view text);

// Signed decimal text (an optional "+" or "-", then digits), within 32 bits.
std::optional<int32_t> ParseDecimal32(std::string_view text);

}  // namespace lorvane
