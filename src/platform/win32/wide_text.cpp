// Code-page text to and from UTF-16 through MultiByteToWideChar and WideCharToMultiByte.
// Tested by tests/platform/win32/ (under Wine in CI).

#include "platform/win32/wide_text.h"

namespace lorvane {

std::wstring WidenText(std::string_view text, UINT code_page) {
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), n);
  return wide;
}

std::string NarrowText(std::wstring_view text, UINT code_page) {
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(code_page, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), size, narrow.data(), n, nullptr, nullptr);
  return narrow;
}

}  // namespace lorvane
