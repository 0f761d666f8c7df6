#pragma once
// The search driver's observer on a terminal: a progress bar on standard error (when it is
// a terminal) and Ctrl-C as the Cancel button.

#include <chrono>
#include <string>

#include "cli/cli_context.h"
#include "search/search_driver.h"

namespace lorvane::cli {

// While it lives, Ctrl-C does not end the program but asks the observer to cancel.
class InterruptAsCancel {
 public:
  InterruptAsCancel();
  ~InterruptAsCancel();
  InterruptAsCancel(const InterruptAsCancel&) = delete;
  InterruptAsCancel& operator=(const InterruptAsCancel&) = delete;

 private:
  void (*previous_)(int);
};

class TerminalObserver : public ISearchObserver {
 public:
  // `show`: draw the bar (standard error is a terminal).
  TerminalObserver(CliContext& ctx, bool show) : ctx_(ctx), show_(show) {}
  void SetDriver(TSearchDriver* driver) { driver_ = driver; }

  void ShowProgressPanel(bool) override {}
  void Progress(int done, int total, const std::string& percent) override;
  void CurrentFile(const std::string& file) override { file_ = file; }
  void Counters(const std::string& found, const std::string&) override { found_ = found; }
  void ResultsChanged() override {}
  void ButtonsChanged() override {}
  void ProcessPendingEvents() override;
  // Clears the bar, if one was drawn.
  void Done();

 private:
  CliContext& ctx_;
  bool show_;
  TSearchDriver* driver_ = nullptr;
  int done_ = 0;
  int total_ = 0;
  std::string percent_;
  std::string file_;
  std::string found_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point last_draw_{};
};

bool TerminalOnStderr();

}  // namespace lorvane::cli
