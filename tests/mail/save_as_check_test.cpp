// Save As: a new name is written, an existing file only after confirmation, and the
// message's own store file never, however its name was typed.

#include "mail/save_as_check.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace lorvane {
namespace {

using testing::MemoryFileSystem;

TEST(SaveAsCheckTest, NewExistingAndStoreFiles) {
  MemoryFileSystem fs;
  const std::string store = "C:\\Mail\\ソフト\\Inbox.mbx";
  fs.AddFile(store, "From: a\r\n\r\nb\r\n");
  fs.AddFile("C:\\Mail\\saved.txt", "old");
  const struct {
    const char* chosen;
    TSaveAsCheck check;
  } kCases[] = {
      {"C:\\Mail\\ソフト\\Inbox.mbx", scRefuseStore},
      {"c:\\MAIL\\ソフト\\INBOX.MBX", scRefuseStore},  // the trail byte 0x5C of ソ is no separator
      {"C:\\Mail\\saved.txt", scConfirmReplace},
      {"C:\\Mail\\SAVED.TXT", scConfirmReplace},
      {"C:\\Mail", scConfirmReplace},  // a directory
      {"C:\\Mail\\*.txt", scConfirmReplace},
      {"C:\\Mail\\new.txt", scWrite},
      {"C:\\Mail\\ソフト\\Inbox.mbx.txt", scWrite},
      // フ is 0x83 0x74 and サ 0x83 0x54: upper-casing trail bytes would make them one.
      {"C:\\Mail\\ソサト\\Inbox.mbx", scWrite},
  };
  for (const auto& c : kCases) EXPECT_EQ(CheckSaveAs(fs, c.chosen, store), c.check) << c.chosen;
  // A viewer that has no store file (a message saved before) refuses nothing.
  EXPECT_EQ(CheckSaveAs(fs, "C:\\Mail\\new.txt", ""), scWrite);
  EXPECT_EQ(CheckSaveAs(fs, "", ""), scWrite);
}

}  // namespace
}  // namespace lorvane
