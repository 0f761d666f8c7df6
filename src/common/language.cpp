// Interface language decision and its program-wide cache.
// Tested by tests/common/language_test.cpp.

#include "common/language.h"

#include <string>

#include "common/mbstring.h"

namespace lorvane {

namespace {
// Japanese until start-up decides: the interface is Japanese first.
bool g_japanese = true;
}  // namespace

bool DecideJapanese(std::string_view command_line, std::string_view default_language_name) {
  const std::string upper = UpperAscii(command_line);
  if (upper.find("/JAPANESE") != std::string::npos) return true;
  if (upper.find("/ENGLISH") != std::string::npos) return false;
  return default_language_name.substr(0, std::string_view("日本").size()) == "日本";
}

void SetInterfaceLanguage(bool japanese) {
  g_japanese = japanese;
}

bool IsJapanese() {
  return g_japanese;
}

}  // namespace lorvane
