// Line-range mailboxes: the messages are found from the lines alone, never copying them,
// so a mailbox of hundreds of megabytes is listed in one pass.
// Tested by tests/mail/mailers/line_mailboxes_test.cpp and through the kinds' tests.

#include "mail/mailers/line_mailboxes.h"

#include <limits>

#include "common/mbstring.h"
#include "mail/mailers/mailer_support.h"

namespace lorvane::mailers {

namespace {

// Line numbers beyond this cannot be addressed (TMail holds 32-bit line numbers).
constexpr size_t kMaxLine = static_cast<size_t>(std::numeric_limits<int32_t>::max());

}  // namespace

bool ListDotTerminated(IFileSystem& fs, const std::string& path, TFolder& folder) {
  size_t start = 0;
  return ForEachFileLine(fs, path, [&](size_t i, std::string_view line) {
    if (i > kMaxLine || line != ".") return;
    // A "." on line 0 closes an empty message whose range 0..-1 would read as the whole
    // file; it is left out.
    if (i > 0) {
      folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(i - 1)});
    }
    start = i + 1;
  });
}

bool ListSeparated(IFileSystem& fs, const std::string& path, std::string_view separator,
                   TFolder& folder) {
  size_t start = 1;
  size_t count = 0;
  const bool read = ForEachFileLine(fs, path, [&](size_t i, std::string_view line) {
    count = i + 1;
    if (i == 0 || i > kMaxLine || !StartsWith(line, separator)) return;
    folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(i - 1)});
    start = i + 1;
  });
  if (count > 0 && count - 1 <= kMaxLine && start <= kMaxLine) {
    folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(count - 1)});
  }
  return read;
}

bool ForEachDotMessage(IFileSystem& fs, const std::string& path, TDotLayout layout,
                       const std::function<void(size_t, int32_t, int32_t)>& message) {
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
