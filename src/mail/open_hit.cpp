// Open: the Datula and existence checks, the association lookup with its ".txt" and
// desktop fallbacks, and the editor jump. Starting is the caller's (IShell::StartProgram).
// Tested by tests/mail/open_hit_test.cpp and end to end by tests/cli/open_command_test.cpp.

#include "mail/open_hit.h"

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "mail/body_line.h"
#include "mail/mail_reader.h"
#include "persist/association.h"

namespace lorvane {

namespace {

constexpr const char* kDatulaMessage =
    "Datula のメールファイルは特殊な形式なので通常のエディタなどのアプリケーションで開くことは"
    "できません。内蔵ビューアをお使い下さい。";
constexpr const char* kNotFoundSuffix = " が見つかりません。";
constexpr const char* kNoAssociationMessage =
    "メールのファイルにもテキストファイルにもアプリケーションが関連付けられていません。";

TOpenPlan Message(std::string text) {
  TOpenPlan plan;
  plan.message = std::move(text);
  return plan;
}

// The executable's own name: after the last "\" or ":" of a Windows path, after the last
// "/" of a host program's.
std::string ProgramName(const std::string& program, bool host_program) {
  if (!host_program) return ExtractFileName(program);
  const size_t slash = program.rfind('/');  // "/" is never a trail byte
  return slash == std::string::npos ? program : program.substr(slash + 1);
}

}  // namespace

TOpenPlan PlanOpen(TPlatform& platform, const TEditorTable& editors, const std::string& file,
                   const std::string& first, const std::string& last) {
  if (UpperAscii(ExtractFileExt(file)) == ".IDX") return Message(kDatulaMessage);
  if (!IsExistingFile(platform.fs, file)) return Message(file + kNotFoundSuffix);

  std::string extension = ExtractFileExt(file);
  TOpenPlan plan;
  plan.start = true;
  plan.parameters = file;
  plan.program = LookUpAssociation(platform, extension, lmExecutable);
  if (plan.program.empty()) {
    extension = ".txt";
    plan.program = LookUpAssociation(platform, extension, lmExecutable);
  }
  bool host_program = false;
  if (plan.program.empty()) {
    const std::optional<TDesktopApplication> desktop = platform.shell.DesktopApplication(file);
    if (!desktop) return Message(kNoAssociationMessage);
    plan.program = desktop->program;
    plan.parameters = desktop->parameters;
    host_program = true;
  } else if (!IsExistingFile(platform.fs, plan.program)) {
    return Message("拡張子 " + extension + " に関連付けされている " + plan.program +
                   " を探しましたが、見つかりません。");
  }

  const std::string* command_template =
      editors.TemplateFor(UpperAscii(ProgramName(plan.program, host_program)));
  // A name listed without a template would start the editor without the file.
  if (command_template != nullptr && !command_template->empty()) {
    const int line = BodyLineOfHit(platform.fs, file, ParseMailAddress(first, 0),
                                       ParseMailAddress(last, -1));
    plan.parameters = ExpandEditorTemplate(*command_template, file, line);
  }
  return plan;
}

std::string FolderOfHit(const std::string& file) {
  return ExtractFilePath(file);
}

}  // namespace lorvane
