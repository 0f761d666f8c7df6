// The detection log file: CP932 text, CR LF line ends, at most 100 lines.
// Tested by tests/mail/mail_stores_test.cpp.

#include "mail/detection_log.h"

#include "common/lines.h"
#include "platform/file_system.h"

namespace lorvane {

void TDetectionLog::Load() {
  lines_.clear();
  std::string bytes;
  if (fs_.ReadFile(path_, &bytes) != TReadStatus::kOk) return;
  for (std::string_view line : SplitLines(bytes)) lines_.emplace_back(line);
}

void TDetectionLog::Cut() {
  if (lines_.size() > kMaxLines) {
    lines_.erase(lines_.begin(), lines_.end() - static_cast<std::ptrdiff_t>(kMaxLines));
  }
}

void TDetectionLog::Save() {
  Cut();
  std::string text;
  for (const auto& line : lines_) text += line + "\r\n";
  // The log is a diagnostic aid: a read-only directory must not stop detection.
  fs_.ReplaceFile(path_, text);
}

}  // namespace lorvane
