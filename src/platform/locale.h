#pragma once
// The system's default language, as the platform names it (CP932 text, such as "日本語"
// or "English"). Windows answers from GetSystemDefaultLangID and VerLanguageNameA.

#include <string>

namespace lorvane {

class ILocale {
 public:
  virtual ~ILocale() = default;
  virtual std::string DefaultLanguageName() const = 0;
};

}  // namespace lorvane
