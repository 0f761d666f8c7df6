// The count tool: association lookup, the report file, the parameters. The report's
// lines are count_report.cpp's; starting the program is the caller's.
// Tested by tests/search/count_tool_test.cpp and end to end by tests/cli/count_open_test.cpp.

#include "search/count_tool.h"

#include "common/windows_path.h"
#include "persist/association.h"
#include "search/count_report.h"

namespace lorvane {

namespace {

constexpr const char* kNoApplicationMessage =
    "拡張子 .ini にも .txt にもアプリケーションが関連付けられていません。";
constexpr const char* kMissingSuffix = " が、見つかりません。";

TOpenPlan Message(std::string text) {
  TOpenPlan plan;
  plan.message = std::move(text);
  return plan;
}

bool WriteReport(IFileSystem& fs, const std::string& path, const TResultList& results,
                 const std::string& keyword_check, std::string* error) {
  std::string text;
  for (const std::string& line : CountReportLines(results, keyword_check)) text += line + "\r\n";
  return fs.ReplaceFile(path, text, error);
}

}  // namespace

std::string CountReportPath(IFileSystem& fs) {
  return ExtractFilePath(fs.ProgramPath()) + "Count.txt";
}

TOpenPlan PlanCountReport(TPlatform& platform, const TResultList& results,
                          const std::string& keyword_check) {
  const std::string report = CountReportPath(platform.fs);
  std::string error;
  TOpenPlan plan;
  plan.start = true;
  plan.program = LookUpAssociation(platform, ".ini", lmExecutable);
  if (plan.program.empty()) plan.program = LookUpAssociation(platform, ".txt", lmExecutable);
  if (plan.program.empty()) {
    // The desktop's association needs the file to exist, so the report comes first here.
    if (!WriteReport(platform.fs, report, results, keyword_check, &error)) return Message(error);
    const std::optional<TDesktopApplication> desktop = platform.shell.DesktopApplication(report);
    if (!desktop) return Message(kNoApplicationMessage);
    plan.program = desktop->program;
    plan.parameters = desktop->parameters;
    return plan;
  }
  if (!IsExistingFile(platform.fs, plan.program)) return Message(plan.program + kMissingSuffix);
  if (!WriteReport(platform.fs, report, results, keyword_check, &error)) return Message(error);
  plan.parameters = LookUpAssociation(platform, report, lmParameters);
  // Without a ".txt" command to take the path (only ".ini" is associated, or its command
  // has no "%1"), the program would start without the report.
  if (plan.parameters.empty()) plan.parameters = "\"" + report + "\"";
  return plan;
}

}  // namespace lorvane
