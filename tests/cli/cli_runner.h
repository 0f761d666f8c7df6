#pragma once
// Running lorvane-cli in-process for tests: arguments and standard input in, exit status
// and both output streams out. Plain UTF-8, like a terminal.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_main.h"

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

}  // namespace lorvane::cli
