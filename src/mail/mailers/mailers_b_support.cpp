// Index errors, plain names and "."-separated mailboxes for six of the
// mail programs (see the header).
// Tested by tests/mail/mailers/mailers_b_support_test.cpp and through those kinds' tests.

#include "mail/mailers/mailers_b_support.h"

#include <limits>

#include "common/messages.h"
#include "common/mbstring.h"
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

bool ForEachDotMessage(IFileSystem& fs, const std::string& path, TDotLayout layout,
                       const std::function<void(size_t, int32_t, int32_t)>& message) {
  constexpr size_t kMaxLine = std::numeric_limits<int32_t>::max();
  size_t start = layout.first;
  size_t number = 0;
  return ForEachFileLine(fs, path, [&](size_t i, std::string_view line) {
    // An address holds 32-bit line numbers; later lines cannot be addressed.
    if (i < start || i > kMaxLine || line != ".") return;
    if (i > start) message(number, static_cast<int32_t>(start), static_cast<int32_t>(i - 1));
    ++number;
    start = i + 1 + layout.skipped_after_dot;
  });
}

}  // namespace lorvane::mailers
