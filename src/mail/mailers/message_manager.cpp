// Kind 11: MessageManager. Found through the directory the user located once (the
// "Mail" directory beside msgman.exe, holding Aliases.ini); every sub-directory of it is
// a folder, every file in a folder a message. Listing never opens a message file.
// Tested by tests/mail/mailers/message_manager_test.cpp.

#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/located_programs.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr TLocatedProgram kMessageManager = {
    .path_name = "MessageManager",
    .check_file = "Aliases.ini",
    .dialog_title = "msgman.exe を探して下さい。",
    .preset_name = "msgman.exe",
    .log_prefix = "msgman.exe=",
    .required_end = "MSGMAN.EXE",
    .data_subdir = "Mail\\",
    .chosen_check = "Aliases.ini",
    .wrong_file_text = "msgman.exe 以外を探してもだめです。",
    .cancel_text = "Message Manager の検出をキャンセルしました。",
};

}  // namespace

void DetectMessageManager(TDetection& detection) {
  DetectLocatedProgram(detection, kMessageManager);
}

void DiscoverMessageManager(TMailStores& stores, TFolder& node) {
  for (const auto& name : SubDirectories(stores.Fs(), stores.Root(mkMessageManager) + "*.*")) {
    node.AddChild(ntFolder, kMailFolderImage, name, name, name, true);
  }
}

void EnumerateMessageManager(TMailStores& stores, TFolder& folder) {
  const std::string dir = stores.Root(mkMessageManager) + folder.DataPath() + "\\";
  for (const auto& name : Files(stores.Fs(), dir + "*.*")) folder.AddMail({dir + name, 0, -1});
}

}  // namespace lorvane
