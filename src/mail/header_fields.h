#pragma once
// The Date, Time, From and Subject that the result list shows for a message, scanned from
// its text.

#include <string>
#include <string_view>

namespace lorvane {

// The first "Subject: ", "From: " and "Date: " lines (letter case aside; without the blank
// after the colon when `names_without_blank`, as some mail programs write them), in their
// result-list forms. The scan goes on past the header while a field is missing and stops
// once all three are filled. Fields not found are empty.
void ScanHeaderFields(std::string_view text, bool names_without_blank, std::string* date,
                      std::string* time, std::string* sender, std::string* subject);

}  // namespace lorvane
