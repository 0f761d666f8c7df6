#pragma once
// Open of a hit in the result list: what to start for it, or the message that says why
// nothing can be started. The window shows or starts what comes back and decides nothing.
//
//   const TOpenPlan plan = PlanOpen(platform, editors, file, first, last);
//   if (plan.start) platform.shell.StartProgram(plan.program, plan.parameters);
//   else ShowMessage(plan.message);

#include <string>

#include "persist/editor_table.h"
#include "platform/platform.h"

namespace lorvane {

struct TOpenPlan {
  bool start = false;  // true: start `program` with `parameters`; false: show `message`
  std::string program;
  std::string parameters;
  std::string message;
  bool operator==(const TOpenPlan&) const = default;
};

// Open for the hit at `first` and `last` (the result row's decimal texts) of `file`: the
// application the registry associates with the file's extension, else with ".txt", else
// (POSIX) the desktop's, given the file's path, or, when the application is an editor of
// the table, its template expanded for the message's body line. Datula's ".IDX" files,
// a missing file, no association and an association whose program is missing give the
// message instead.
TOpenPlan PlanOpen(TPlatform& platform, const TEditorTable& editors, const std::string& file,
                   const std::string& first, const std::string& last);

// What Open folder opens: the directory part of the hit's file, with its trailing "\".
std::string FolderOfHit(const std::string& file);

}  // namespace lorvane
