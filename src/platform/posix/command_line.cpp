// Windows command-line splitting on CP932 text. The rules are those of
// CommandLineToArgvW for the arguments after the program name, including its treatment
// of runs of quotes (counted, every third one literal), which differs from the C
// runtime's. Works on whole characters so that "ソ" (0x83 0x5C) is never a backslash.
// Quoting is its inverse, for parameter texts built from argument vectors.
// Tested by tests/platform/posix/command_line_test.cpp.

#include "platform/posix/command_line.h"

#include "common/mbstring.h"

namespace lorvane {

std::vector<std::string> SplitCommandLine(std::string_view parameters) {
  std::vector<std::string> args;
  const size_t size = parameters.size();
  size_t i = 0;
  for (;;) {
    while (i < size && (parameters[i] == ' ' || parameters[i] == '\t')) ++i;
    if (i >= size) break;
    std::string arg;
    size_t backslashes = 0;  // backslashes just copied, which a quote may take back
    int quotes = 0;          // 1 inside a quoted part; 2 after "" inside one (then 0)
    while (i < size) {
      const char c = parameters[i];
      if ((c == ' ' || c == '\t') && quotes == 0) break;
      if (c == '\\') {
        arg += c;
        ++backslashes;
        ++i;
        continue;
      }
      if (c == '"') {
        if (backslashes % 2 == 0) {
          arg.resize(arg.size() - backslashes / 2);
          ++quotes;
        } else {
          arg.resize(arg.size() - backslashes / 2 - 1);
          arg += '"';
        }
        backslashes = 0;
        for (++i; i < size && parameters[i] == '"'; ++i) {
          if (++quotes == 3) {
            arg += '"';
            quotes = 0;
          }
        }
        if (quotes == 2) quotes = 0;
        continue;
      }
      const size_t width = CharWidthAt(parameters, i);
      arg.append(parameters.substr(i, width));
      i += width;
      backslashes = 0;
    }
    args.push_back(std::move(arg));
  }
  return args;
}

std::string QuoteCommandLineArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
    return std::string(argument);  // blank, tab and quote are never trail bytes
  }
  std::string out = "\"";
  size_t backslashes = 0;
  for (size_t i = 0; i < argument.size();) {
    const size_t width = CharWidthAt(argument, i);
    const char c = argument[i];
    if (width == 1 && c == '"') {
      out.append(backslashes + 1, '\\');  // the run so far doubled, then the quote's own
      out += '"';
      backslashes = 0;
    } else {
      backslashes = width == 1 && c == '\\' ? backslashes + 1 : 0;
      out.append(argument.substr(i, width));
    }
    i += width;
  }
  out.append(backslashes, '\\');
  out += '"';
  return out;
}

}  // namespace lorvane
