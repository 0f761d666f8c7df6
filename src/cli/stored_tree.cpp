// The stored folder tree the selection, alias and search commands work on, what they say
// when a selection cannot be applied.
// Tested by tests/cli/selection_command_test.cpp.

#include "cli/stored_tree.h"

#include <ostream>

#include "persist/ini_file.h"

namespace lorvane::cli {

StoredTree::StoredTree(CliContext& ctx, TIniFile& ini) : stores_(ctx.Platform(), ini, dialogs_) {
  stores_.Rebuild();
  stores_.Tree().SettleLeafStates();
}

bool SaySelectionFailure(CliContext& ctx, TSelectionStatus status, const std::string& file,
                         const std::string& error) {
  if (status == TSelectionStatus::kApplied) return false;
  const std::string message =
      status == TSelectionStatus::kNotASelectionFile ? NotASelectionFileMessage(file) : error;
  ctx.err() << "lorvane-cli: " << ctx.ToExternal(message) << '\n';
  return true;
}

}  // namespace lorvane::cli
