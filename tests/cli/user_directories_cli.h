#pragma once
// lorvane-cli over a fixture prefix holding the two user directories, with a settings file
// that lists them: Run() adds the prefix and settings options to the arguments.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"
#include "persist/ini_file.h"
#include "support/mail_fixture.h"
#include "support/scratch_dir.h"

namespace lorvane::cli {

class UserDirectoriesCliTest : public ::testing::Test {
 protected:
  UserDirectoriesCliTest() {
    TIniFile settings;
    testing::BuildUserDirectories(fixture_, settings);
    fixture_.WriteHives();
    scratch_.WriteFile("lorvane.ini", settings.ToText());
  }
  Result Run(std::vector<std::string> args) {
    args.insert(args.begin(),
                {"--wine-prefix", fixture_.Prefix(), "--settings", scratch_.Path("lorvane.ini")});
    return Cli(args);
  }
  // `extension` (".txt") opened by `command` through its class ("txtfile"); hives written.
  void Associate(const std::string& extension, const std::string& command) {
    const std::string file_class = extension.substr(1) + "file";
    fixture_.SetString(TRegRoot::kClassesRoot, extension, "", file_class);
    fixture_.SetString(TRegRoot::kClassesRoot, file_class + "\\shell\\open\\command", "",
                       command);
    fixture_.WriteHives();
  }
  // Where the tests save a result list.
  std::string Saved() const { return scratch_.Path("hits.dat"); }

  ScratchDir scratch_;
  testing::TMailFixture fixture_{scratch_.Path("prefix")};
};

}  // namespace lorvane::cli
