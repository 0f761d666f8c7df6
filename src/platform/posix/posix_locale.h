#pragma once
// POSIX locale: the language of LC_ALL, LC_MESSAGES or LANG (the first one set), named
// the way Windows names it, so that the core's rules for Windows apply unchanged.

#include <functional>
#include <string>

#include "platform/locale.h"

namespace lorvane {

class PosixLocale : public ILocale {
 public:
  using GetEnv = std::function<const char*(const char*)>;
  PosixLocale();  // reads the process environment
  explicit PosixLocale(GetEnv getenv) : getenv_(std::move(getenv)) {}

  std::string DefaultLanguageName() const override;

 private:
  GetEnv getenv_;
};

}  // namespace lorvane
