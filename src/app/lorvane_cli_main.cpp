// Entry point of lorvane-cli: hands the arguments and the standard streams to the CLI.
// On Windows the arguments come from the wide command line (as UTF-8), so that text the
// ANSI code page cannot hold still arrives, and the streams are switched to binary so
// that bytes pass unchanged.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_main.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h:
#include <shellapi.h>
#endif

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
#ifdef _WIN32
  (void)argc;
  (void)argv;
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), n, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  LocalFree(wide);
  return lorvane::cli::RunCli(args, std::cin, std::cout, std::cerr, true);
#else
  std::vector<std::string> args(argv + 1, argv + argc);
  return lorvane::cli::RunCli(args, std::cin, std::cout, std::cerr);
#endif
}
