#pragma once
// Running lorvane-cli in-process for tests: arguments and standard input in, exit status
// and both output streams out. Plain UTF-8, like a terminal.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_main.h"
#include "support/fake_wine_prefix.h"

namespace lorvane::cli {

struct Result {
  int status;
  std::string out;
  std::string err;
};

inline Result Cli(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(args, in, out, err);
  return {status, out.str(), err.str()};
}

// lorvane-cli over an empty fake Wine prefix: Run() adds the prefix and a settings file in
// its scratch directory (reachable through Z:) to the arguments.
class FakePrefixCliTest : public ::testing::Test {
 protected:
  Result Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--wine-prefix", prefix_.prefix(), "--settings", settings_});
    return Cli(args);
  }

  FakeWinePrefix prefix_;
  std::string settings_ = prefix_.scratch().Path("lorvane.ini");
};

}  // namespace lorvane::cli
