#pragma once
// The interface language: Japanese or English texts for messages and captions.
// Decided once at start-up from the command line and the system's default language (the
// front ends ask the platform for that name).

#include <string_view>

namespace lorvane {

// The rule: "/JAPANESE" in the upper-cased command line wins, then "/ENGLISH", else the
// default language name beginning with "日本".
bool DecideJapanese(std::string_view command_line, std::string_view default_language_name);

// Program-wide choice, set by the program's start-up before anything asks for it.
void SetInterfaceLanguage(bool japanese);
bool IsJapanese();

}  // namespace lorvane
