#pragma once
// The mail count tool: the count report of the result list written as "Count.txt" in the
// program's own directory, and what to start to show it. Like Open, it decides and the
// caller starts:
//
//   const TOpenPlan plan = PlanCountReport(platform, results, keyword_check);
//   if (plan.start) platform.shell.StartProgram(plan.program, plan.parameters);
//   else ShowMessage(plan.message);   // empty caption

#include <string>

#include "mail/open_hit.h"
#include "search/result_list.h"

namespace lorvane {

// The application associated with ".ini", else with ".txt" (else, on POSIX, the desktop's
// for the report), given the report's path. Without an application, or when its program
// is missing, nothing is written and the message says why; so it does when the report
// cannot be written.
TOpenPlan PlanCountReport(TPlatform& platform, const TResultList& results,
                          const std::string& keyword_check);

// "Count.txt" beside the program.
std::string CountReportPath(IFileSystem& fs);

}  // namespace lorvane
