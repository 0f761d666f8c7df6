// Detection seen from a test: the recording dialogs and the log's last detection.

#include "support/interactive_stores.h"

namespace lorvane::testing {

std::vector<std::string> LastDetection(const std::vector<std::string>& log) {
  size_t start = log.size();
  while (start > 0 && log[start - 1].rfind("■", 0) != 0) --start;
  if (start > 0) --start;
  return {log.begin() + static_cast<std::ptrdiff_t>(start), log.end()};
}

}  // namespace lorvane::testing
