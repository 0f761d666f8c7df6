// Errors of damaged mail indexes in the interface language, and plain names from index
// lines.
// Tested by tests/mail/mailers/index_files_test.cpp and through the kinds' tests.

#include "mail/mailers/index_files.h"

#include "common/mbstring.h"
#include "common/messages.h"
#include "mail/mailers/mailer_support.h"

namespace lorvane::mailers {

namespace {

// A damaged field may be megabytes long; the message shows its start.
constexpr int kShownFieldChars = 40;

}  // namespace

Exception BadNumberField(const std::string& file, size_t line, std::string_view field,
                         bool hexadecimal) {
  std::string shown = MBCopy(field, 1, kShownFieldChars);
  if (shown.size() < field.size()) shown += "...";
  const std::string line_number = Num(static_cast<long long>(line) + 1);
  return Exception(Format(hexadecimal ? msg::kBadHexNumberField : msg::kBadDecimalNumberField,
                          {file, line_number, shown}));
}

Exception UnreadableIndex(const std::string& file, const std::string& reason) {
  if (reason.empty()) return Exception(Format(msg::kCannotOpen, {file}));
  return Exception(Format(msg::kCannotOpenBecause, {file, reason}));
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (size_t i = 0; i < name.size(); i += CharWidthAt(name, i)) {
    if (CharWidthAt(name, i) == 1 &&
        std::string_view("\\/:*?").find(name[i]) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

}  // namespace lorvane::mailers
