// Kind 17: 電信八号. Found through the directory the user located once (Denshin8.exe's,
// holding DENSHIN8.ini). The "[FOLDER]" section of DENSHIN8.ini names each folder's file
// ("Name3=仕事.fld", relative to that directory unless it holds a drive); the folder's
// messages are the ".txt" files of the directory of the same name without extension.
// Tested by tests/mail/mailers/denshin8_test.cpp.

#include <set>

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/located_programs.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr TLocatedProgram kDenshin8 = {
    .path_name = "電信八号",
    .check_file = "DENSHIN8.ini",
    .dialog_title = "Denshin8.exe を探して下さい。",
    .preset_name = "Denshin8.exe",
    .log_prefix = "Denshin8.exe=",
    .required_end = "DENSHIN8.EXE",
    .data_subdir = "",
    .chosen_check = "DENSHIN8.ini",
    .wrong_file_text = "Denshin8.exe 以外を探してもだめです。",
    .cancel_text = "電信八号の検出をキャンセルしました。",
};

}  // namespace

void DetectDenshin8(TDetection& detection) {
  DetectLocatedProgram(detection, kDenshin8);
}

void DiscoverDenshin8(TMailStores& stores, TFolder& node) {
  const std::string& root = stores.Root(mkDenshin8);
  std::vector<std::string> lines;
  if (!FileExists(stores.Fs(), root + "DENSHIN8.ini")) return;
  ReadLines(stores.Fs(), root + "DENSHIN8.ini", &lines);
  std::set<std::string> seen;  // upper-cased: two lines may name one file
  bool in_section = false;
  for (const auto& line : lines) {
    if (!in_section) {
      in_section = UpperAscii(line) == "[FOLDER]";
      continue;
    }
    if (StartsWith(line, "[")) break;
    const size_t equals = line.find('=');
    if (!StartsWithUpper(line, "NAME") || equals == std::string::npos) continue;
    std::string file(Trim(std::string_view(line).substr(equals + 1)));
    if (file.empty()) continue;
    if (file.find(':') == std::string::npos) file = root + file;
    if (!seen.insert(UpperAscii(file)).second) continue;
    const std::string dir = MBCopy(file, 1, MBLength(file) - 4);
    node.AddChild(ntFolder, kMailFolderImage, ExtractFileName(file), dir, dir, true);
  }
}

void EnumerateDenshin8(TMailStores& stores, TFolder& folder) {
  const std::string dir = folder.DataPath() + "\\";
  for (const auto& name : Files(stores.Fs(), dir + "*.txt")) folder.AddMail({dir + name, 0, -1});
}

}  // namespace lorvane
