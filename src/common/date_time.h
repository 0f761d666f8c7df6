#pragma once
// Date-times as the settings file, the registry and the result list know them: a count of
// days since 1899-12-30 00:00 with the time of day as the fraction (the Windows
// "OLE automation date"), and the text form "yyyy/mm/dd hh:nn:ss".

#include <optional>
#include <string>
#include <string_view>

namespace lorvane {

struct TDateTime {
  double value = 0;  // days since 1899-12-30
  bool operator==(const TDateTime&) const = default;
};

struct TDateTimeParts {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const TDateTimeParts&) const = default;
};

// nullopt for a date that does not exist (February 30th, month 13, year 0 ...).
std::optional<TDateTime> EncodeDateTime(const TDateTimeParts& parts);
// Rounded to the nearest second. A value outside years 1 to 9999, or not a number, gives
// the epoch 1899-12-30 00:00:00.
TDateTimeParts DecodeDateTime(TDateTime t);

// "yyyy/mm/dd hh:nn:ss"
std::string FormatDateTime(TDateTime t);
// Reads "yyyy/mm/dd hh:nn:ss", "yyyy/mm/dd" or "yyyy/mm/dd hh:nn" (one- or two-digit
// month, day and time fields accepted); nullopt for anything else.
std::optional<TDateTime> ParseDateTime(std::string_view text);

}  // namespace lorvane
