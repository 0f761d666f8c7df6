#pragma once
// Detection seen from a test. Interactive detection: mail stores over a harness's platform and
// settings whose open-file dialog returns a path the test chose (or cancels) and whose message
// boxes are recorded.
//
//   TStoresHarness h(fixture);
//   TInteractiveStores ui(h);
//   ui.dialogs.pick = "C:\\MM\\msgman.exe";
//   ui.stores.DetectMailer(mkMessageManager, false);   // ui.dialogs.messages ...

#include <optional>
#include <string>
#include <vector>

#include "mail/user_dialogs.h"
#include "support/stores_harness.h"

namespace lorvane::testing {

class TRecordingDialogs : public IUserDialogs {
 public:
  std::optional<std::string> OpenFile(const std::string& title,
                                      const std::string& preset) override {
    asked.push_back(title + "|" + preset);
    return pick;
  }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    messages.push_back(caption + ": " + text);
  }

  std::optional<std::string> pick;    // what the open-file dialog returns
  std::vector<std::string> asked;     // "title|preset" of every open-file dialog
  std::vector<std::string> messages;  // "caption: text" of every message box
};

struct TInteractiveStores {
  explicit TInteractiveStores(TStoresHarness& h) : stores(h.stores.Platform(), h.ini, dialogs) {
    stores.SetClock([] { return *EncodeDateTime({2026, 12, 6, 9, 30, 0}); });
  }

  TRecordingDialogs dialogs;
  TMailStores stores;
};

// The lines of the log's last detection, from its header on (the log file is shared by
// every harness over one prefix).
std::vector<std::string> LastDetection(const std::vector<std::string>& log);

}  // namespace lorvane::testing
