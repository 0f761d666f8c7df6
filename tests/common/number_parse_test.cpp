// Bounded number parsing: the limits exactly, and every form that is not a number.

#include "common/number_parse.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvane {
namespace {

TEST(NumberParseTest, DigitsUpToTheLimit) {
  EXPECT_EQ(ParseDigits("7FFFFFFF", 16, 0x7FFFFFFF), 0x7FFFFFFFu);
  EXPECT_EQ(ParseDigits("80000000", 16, 0x7FFFFFFF), std::nullopt);
  EXPECT_EQ(ParseDigits("18446744073709551615", 10, UINT64_MAX), UINT64_MAX);
  EXPECT_EQ(ParseDigits("18446744073709551616", 10, UINT64_MAX), std::nullopt);
  EXPECT_EQ(ParseDigits("ff", 10, UINT64_MAX), std::nullopt);  // letters are not decimal
  // A damaged field may be megabytes of digits; leading zeros are no overflow.
  EXPECT_EQ(ParseDigits(std::string(100000, '0') + "1", 10, 1), 1u);
  EXPECT_EQ(ParseDigits(std::string(100000, '9'), 10, UINT64_MAX), std::nullopt);
}

TEST(NumberParseTest, HexadecimalAndDecimalFields) {
  EXPECT_EQ(ParseHex32("1A0"), 0x1A0u);
  EXPECT_EQ(ParseHex32("ffffffff"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseHex32("00000000000000ff"), 0xFFu);
  for (const char* bad : {"", "100000000", "0x1A", " 1A", "1A ", "-1", "1G", "表"}) {
    EXPECT_EQ(ParseHex32(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(ParseDecimal32("0"), 0);
  EXPECT_EQ(ParseDecimal32("+17"), 17);
  EXPECT_EQ(ParseDecimal32("-0"), 0);
  EXPECT_EQ(ParseDecimal32("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseDecimal32("2147483647"), INT32_MAX);
  for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", "1 ", " 1", "1e3", "--1",
                          "+-1", "99999999999999999999999", "1A"}) {
    EXPECT_EQ(ParseDecimal32(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace lorvane
