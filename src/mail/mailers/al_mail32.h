#pragma once
// AL-Mail32's mailboxes, which detection finds and stores as its root: one line per
// mailbox, the directory (ending in "\"), a TAB and the label the user knows it by.

#include <string>
#include <vector>

#include "mail/mail_stores.h"
#include "platform/shell.h"

namespace lorvane {

// The mailboxes: the one of the "MailboxPath" registry value when it holds accounts, then
// those that the Start-menu shortcuts in "StartFolder" open (a shortcut naming a mailbox
// already listed renames it).
std::vector<std::string> FindAlMailMailboxes(TMailStores& stores);

// A shortcut's target and argument text, each cut before its first blank (a text that
// begins with a double quote: the text between the quotes) and to 1023 characters.
TShortcut ResolveShortcut(TMailStores& stores, const std::string& lnk_path);

}  // namespace lorvane
