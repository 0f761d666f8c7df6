// Maps the POSIX locale variables to a Windows-style language name. Only the question
// "is it Japanese?" matters to the program, so other languages are all "English".
// Tested by tests/common/language_test.cpp.

#include "platform/posix/posix_locale.h"

#include <cstdlib>
#include <string_view>

namespace lorvane {

PosixLocale::PosixLocale() : getenv_([](const char* name) { return std::getenv(name); }) {}

std::string PosixLocale::DefaultLanguageName() const {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getenv_(name);
    if (value == nullptr || *value == '\0') continue;
    std::string_view v(value);
    return v.substr(0, 2) == "ja" ? "日本語" : "English";
  }
  return "English";
}

}  // namespace lorvane
