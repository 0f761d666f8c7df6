// Entry point of lorvane-cli: hands the arguments and the standard streams to the CLI.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_main.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return lorvane::cli::RunCli(args, std::cin, std::cout, std::cerr);
}
