#pragma once
// Between the byte strings of a code page and the UTF-16 of the wide Win32 API, for the
// calls whose ANSI form is missing or unreliable.

#include "platform/win32/windows_api.h"

#include <string>
#include <string_view>

namespace lorvane {

std::wstring WidenText(std::string_view text, UINT code_page);
std::string NarrowText(std::wstring_view text, UINT code_page);

}  // namespace lorvane
