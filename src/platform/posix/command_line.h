#pragma once
// Splitting a Windows parameter text into arguments, so that a program started on a
// POSIX host receives what a Windows program would get from CommandLineToArgvW.

#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

// The arguments of `parameters` (CP932; the text after the program name). Blanks and tabs
// outside quotes separate arguments; a quote toggles quoting and is dropped; 2n
// backslashes before a quote give n backslashes, 2n+1 give n and a literal quote; other
// backslashes are literal; inside quotes, "" gives a literal quote and ends the quoting,
// and """ gives a literal quote. A double-byte character (even one whose trail byte is
// "\") is copied whole.
std::vector<std::string> SplitCommandLine(std::string_view parameters);

// The argument written so that SplitCommandLine gives it back unchanged: as it is when it
// is not empty and holds no blank, tab or quote, else in quotes with backslashes doubled
// before a quote and at the end, and every quote escaped.
std::string QuoteCommandLineArgument(std::string_view argument);

}  // namespace lorvane
