// The terminal's progress bar and Ctrl-C for a running search; the search itself and what
// is printed after it are search_run.cpp's.
// Tested through tests/cli/search_command_test.cpp (a test's standard error is no
// terminal, so the bar is only drawn by hand).

#include "cli/terminal_observer.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <ostream>

#include "common/mbstring.h"

namespace lorvane::cli {

namespace {

std::atomic<bool> g_interrupted{false};  // Ctrl-C, set by the signal handler only

extern "C" void OnInterrupt(int) {
  g_interrupted = true;
}

// The last `width` bytes of `s` in whole characters, "..." before when cut.
std::string Tail(const std::string& s, size_t width) {
  if (s.size() <= width) return s;
  size_t start = 0;
  while (s.size() - start > width) start += CharWidthAt(s, start);
  return "..." + s.substr(start);
}

}  // namespace

InterruptAsCancel::InterruptAsCancel() {
  g_interrupted = false;
  previous_ = std::signal(SIGINT, OnInterrupt);
}

InterruptAsCancel::~InterruptAsCancel() {
  std::signal(SIGINT, previous_);
}

void TerminalObserver::Progress(int done, int total, const std::string& percent) {
  done_ = done;
  total_ = total;
  percent_ = percent;
}

void TerminalObserver::ProcessPendingEvents() {
  if (g_interrupted && driver_ != nullptr) driver_->Cancel();
  if (!show_ || total_ == 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_draw_ < std::chrono::milliseconds(100)) return;
  last_draw_ = now;
  constexpr int kWidth = 30;
  const int filled = static_cast<int>(static_cast<long long>(kWidth) * done_ / total_);
  std::string line = "\r[" + std::string(static_cast<size_t>(filled), '#') +
                     std::string(static_cast<size_t>(kWidth - filled), ' ') + "] " + percent_ +
                     "hits " + found_ + " " + ctx_.ToExternal(Tail(file_, 40));
  ctx_.err() << line << "\x1B[K" << std::flush;
  drawn_ = true;
}

void TerminalObserver::Done() {
  if (drawn_) ctx_.err() << "\r\x1B[K" << std::flush;
}

bool TerminalOnStderr() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace lorvane::cli
