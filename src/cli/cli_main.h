#pragma once
// lorvane-cli's front: global options, the command table, usage errors.

#include <iosfwd>
#include <string>
#include <vector>

namespace lorvane::cli {

// Runs the command line `args` (without the program name); returns the exit status.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace lorvane::cli
