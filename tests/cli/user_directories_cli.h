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

  ScratchDir scratch_;
  testing::TMailFixture fixture_{scratch_.Path("prefix")};
};

}  // namespace lorvane::cli
