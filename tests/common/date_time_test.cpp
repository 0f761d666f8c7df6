// Date-time encoding and the "yyyy/mm/dd hh:nn:ss" form.

#include "common/date_time.h"

#include <gtest/gtest.h>

#include <limits>

namespace lorvane {
namespace {

TEST(DateTimeTest, KnownDayNumbers) {
  EXPECT_EQ(EncodeDateTime({1899, 12, 30, 0, 0, 0})->value, 0.0);
  EXPECT_EQ(EncodeDateTime({1900, 1, 1, 0, 0, 0})->value, 2.0);
  EXPECT_EQ(EncodeDateTime({2000, 1, 1, 12, 0, 0})->value, 36526.5);
  EXPECT_EQ(EncodeDateTime({1899, 12, 29, 6, 0, 0})->value, -1.25);
}

TEST(DateTimeTest, RejectsImpossibleDates) {
  EXPECT_FALSE(EncodeDateTime({2023, 2, 29, 0, 0, 0}));
  EXPECT_TRUE(EncodeDateTime({2024, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(EncodeDateTime({2024, 13, 1, 0, 0, 0}));
  EXPECT_FALSE(EncodeDateTime({2024, 1, 1, 24, 0, 0}));
  EXPECT_FALSE(EncodeDateTime({0, 1, 1, 0, 0, 0}));
}

TEST(DateTimeTest, TextRoundTrips) {
  for (const char* text : {"2026/12/06 07:59:17", "1899/12/30 00:00:00", "1850/03/01 23:59:59",
                           "9999/12/31 23:59:59", "2000/02/29 12:00:00"}) {
    auto t = ParseDateTime(text);
    ASSERT_TRUE(t) << text;
    EXPECT_EQ(FormatDateTime(*t), text);
  }
  EXPECT_EQ(FormatDateTime(*ParseDateTime("2026/1/2")), "2026/01/02 00:00:00");
  EXPECT_EQ(FormatDateTime(*ParseDateTime("2026/01/02 3:04")), "2026/01/02 03:04:00");
}

TEST(DateTimeTest, ValuesWithoutADateDecodeToTheEpoch) {
  for (double v : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity(), 2958466.0, -693595.0}) {
    EXPECT_EQ(FormatDateTime(TDateTime{v}), "1899/12/30 00:00:00") << v;
  }
  EXPECT_EQ(FormatDateTime(TDateTime{2958465.5}), "9999/12/31 12:00:00");
}

TEST(DateTimeTest, ParseRejectsOtherForms) {
  for (const char* text : {"", "2026-12-06", "2026/12/06T07:59:17", "2026/12/06 07", "x",
                           "2026/12/06 07:59:17 ", "2026/12/32", "12345/01/01"}) {
    EXPECT_FALSE(ParseDateTime(text)) << text;
  }
}

}  // namespace
}  // namespace lorvane
