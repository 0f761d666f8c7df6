#pragma once
// Mail stores over a fixture, for tests: the system's platform (on POSIX over the
// fixture's drives and hives), settings in memory, no dialogs (messages collected), a fixed
// clock.
//
//   TMailFixture fixture(scratch.Path("p"));
//   BuildBeckyStore(fixture);
//   TStoresHarness h(fixture);             // writes the hives, builds the platform
//   h.stores.Rebuild();
//   EXPECT_EQ(h.TreeDump(), "Becky!\n  taro@example.jp [User0] User0\n ...");

#include <memory>
#include <string>
#include <vector>

#include "mail/mail_stores.h"
#include "persist/ini_file.h"
#include "platform/system_platform.h"
#include "support/mail_fixture.h"

namespace lorvane::testing {

// The system's platform over the fixture's prefix (hives written, C:\Lorvane made), the
// program at C:\Lorvane\lorvane.exe.
std::unique_ptr<TSystemPlatform> FixturePlatform(const TMailFixture& fixture);

class TStoresHarness {
 public:
  explicit TStoresHarness(const TMailFixture& fixture);

  // The detection log's lines.
  std::vector<std::string> Log();
  // The tree, a node a line: two blanks per depth, caption, " [key] ", data path, and
  // " *" when the folder holds mail.
  std::string TreeDump();
  // The messages of the folder with this FullCaption, "file first last" a line (file as a
  // Windows path); the folder's list is cleared again.
  std::string MailsOf(const std::string& full_caption);

 private:
  std::unique_ptr<TSystemPlatform> platform_;

 public:
  TIniFile ini;
  TNoDialogs dialogs;
  TMailStores stores;
};

}  // namespace lorvane::testing
