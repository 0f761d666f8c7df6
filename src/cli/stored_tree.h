#pragma once
// The folder tree as the window shows it after start-up: mail programs detected, their
// folders discovered, the stored states of `ini` on every node, leaves settled.

#include "cli/cli_context.h"
#include "mail/folder_selection.h"
#include "mail/mail_stores.h"

namespace lorvane::cli {

class StoredTree {
 public:
  StoredTree(CliContext& ctx, TIniFile& ini);
  TMailStores& Stores() { return stores_; }
  TFolderTree& Tree() { return stores_.Tree(); }

 private:
  TNoDialogs dialogs_;
  TMailStores stores_;
};

// For a selection file that was not applied: says why (the file's message, or `error`)
// and returns true.
bool SaySelectionFailure(CliContext& ctx, TSelectionStatus status, const std::string& file,
                         const std::string& error);

}  // namespace lorvane::cli
