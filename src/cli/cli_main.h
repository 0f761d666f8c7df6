#pragma once
// lorvane-cli's front: global options, the command table, usage errors.

#include <iosfwd>
#include <string>
#include <vector>

namespace lorvane::cli {

// Runs the command line `args` (without the program name); returns the exit status.
// `utf8_arguments`: the arguments are UTF-8 whatever --encoding says (Windows takes them
// from the wide command line); otherwise they are in the --encoding.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool utf8_arguments = false);

}  // namespace lorvane::cli
