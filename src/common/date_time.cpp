// Date-time arithmetic on the day count since 1899-12-30 (days from the civil calendar
// with the usual era algorithm), and the "yyyy/mm/dd hh:nn:ss" text form.
// Tested by tests/common/date_time_test.cpp.

#include "common/date_time.h"

#include <cmath>
#include <cstdio>

namespace lorvane {

namespace {

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int* year, int* month, int* day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int>(y + (m <= 2));
  *month = static_cast<int>(m);
  *day = static_cast<int>(d);
}

const long long kEpochOffset = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<TDateTime> EncodeDateTime(const TDateTimeParts& p) {
  if (p.year < 1 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
      p.day > DaysInMonth(p.year, p.month) || p.hour < 0 || p.hour > 23 || p.minute < 0 ||
      p.minute > 59 || p.second < 0 || p.second > 59) {
    return std::nullopt;
  }
  const long long days =
      DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) -
      kEpochOffset;
  const double fraction = (p.hour * 3600 + p.minute * 60 + p.second) / 86400.0;
  // Before 1899-12-30 the fraction counts forwards from a negative day (as Windows does).
  return TDateTime{days >= 0 ? days + fraction : days - fraction};
}

TDateTimeParts DecodeDateTime(TDateTime t) {
  // Outside years 1 to 9999 (or not a number) there is no date: the epoch stands in.
  if (!(t.value >= -693594.0 && t.value < 2958466.0)) return TDateTimeParts{};
  double days = std::trunc(t.value);
  double fraction = std::fabs(t.value - days);
  long long seconds = std::llround(fraction * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += t.value >= 0 ? 1 : -1;
  }
  TDateTimeParts p;
  CivilFromDays(static_cast<long long>(days) + kEpochOffset, &p.year, &p.month, &p.day);
  p.hour = static_cast<int>(seconds / 3600);
  p.minute = static_cast<int>(seconds / 60 % 60);
  p.second = static_cast<int>(seconds % 60);
  return p;
}

std::string FormatDateTime(TDateTime t) {
  const TDateTimeParts p = DecodeDateTime(t);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                p.minute, p.second);
  return buf;
}

std::optional<TDateTime> ParseDateTime(std::string_view text) {
  size_t i = 0;
  auto number = [&](int max_digits, int* out) {
    int digits = 0;
    int value = 0;
    while (i < text.size() && digits < max_digits && text[i] >= '0' && text[i] <= '9') {
      value = value * 10 + (text[i] - '0');
      ++i;
      ++digits;
    }
    *out = value;
    return digits > 0;
  };
  auto expect = [&](char c) {
    if (i < text.size() && text[i] == c) {
      ++i;
      return true;
    }
    return false;
  };
  TDateTimeParts p;
  if (!number(4, &p.year) || !expect('/') || !number(2, &p.month) || !expect('/') ||
      !number(2, &p.day)) {
    return std::nullopt;
  }
  p.hour = p.minute = p.second = 0;
  if (i < text.size()) {
    if (!expect(' ') || !number(2, &p.hour) || !expect(':') || !number(2, &p.minute)) {
      return std::nullopt;
    }
    if (i < text.size() && (!expect(':') || !number(2, &p.second))) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return EncodeDateTime(p);
}

}  // namespace lorvane
