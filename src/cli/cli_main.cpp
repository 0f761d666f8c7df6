// lorvane-cli: global options (they may stand before or after the command name), then
// the command. Every command reports usage errors by throwing UsageError, printed here
// with a pointer to its --help, exit 2.
// Tested by tests/cli/cli_test.cpp.

#include "cli/cli_main.h"

#include <exception>
#include <istream>
#include <ostream>

#include "cli/cli_context.h"

namespace lorvane::cli {

namespace {

struct Command {
  const char* name;
  CommandFunction run;
  const char* summary;
};

constexpr Command kCommands[] = {
    {"match", RunMatchCommand, "match one pattern against standard input"},
    {"query", RunQueryCommand, "read keywords as the keyword box does and test standard input"},
};

#ifdef _WIN32
constexpr Encoding kDefaultEncoding = Encoding::kCp932;
#else
constexpr Encoding kDefaultEncoding = Encoding::kUtf8;
#endif

void PrintHelp(std::ostream& out) {
  out << "Usage: lorvane-cli [GLOBAL OPTIONS] COMMAND [OPTIONS] [ARGS...]\n"
         "\n"
         "Searches the mail that Windows mail programs keep on disk.\n"
         "\n"
         "Commands:\n";
  for (const auto& c : kCommands) {
    out << "  " << c.name << std::string(10 - std::string(c.name).size(), ' ') << c.summary << '\n';
  }
  out << "\n"
         "Global options:\n"
         "  --encoding utf8|cp932   encoding of arguments, input and output\n"
         "                          (default: utf8 on POSIX, cp932 on Windows)\n"
         "  --help                  this text; COMMAND --help for a command's\n";
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  Encoding encoding = kDefaultEncoding;
  const Command* command = nullptr;
  std::vector<std::string> rest;
  bool options_done = false;
  try {
    for (size_t i = 0; i < args.size(); ++i) {
      const std::string& a = args[i];
      if (!options_done && (a == "--encoding" || a.rfind("--encoding=", 0) == 0)) {
        std::string value;
        if (a == "--encoding") {
          if (i + 1 >= args.size()) throw UsageError{"option '--encoding' needs a value"};
          value = args[++i];
        } else {
          value = a.substr(std::string("--encoding=").size());
        }
        if (value == "utf8" || value == "utf-8") {
          encoding = Encoding::kUtf8;
        } else if (value == "cp932") {
          encoding = Encoding::kCp932;
        } else {
          throw UsageError{"--encoding must be utf8 or cp932"};
        }
        continue;
      }
      if (command == nullptr) {
        if (a == "--help" || a == "-h") {
          PrintHelp(out);
          return 0;
        }
        for (const auto& c : kCommands) {
          if (a == c.name) command = &c;
        }
        if (command == nullptr) throw UsageError{"unknown command '" + a + "'"};
        continue;
      }
      if (a == "--") options_done = true;
      rest.push_back(a);
    }
    if (command == nullptr) {
      PrintHelp(err);
      return kExitUsage;
    }
    CliContext ctx(in, out, err, encoding);
    const int status = command->run(rest, ctx);
    if (ctx.UnconvertedBytes() > 0) {
      err << "lorvane-cli: " << ctx.UnconvertedBytes()
          << " byte(s) had no UTF-8 form and were written as \\xNN; use --encoding cp932 for "
             "the raw bytes\n";
    }
    out.flush();
    return status;
  } catch (const UsageError& e) {
    err << "lorvane-cli: " << e.message << '\n';
    if (command != nullptr) {
      err << "Try 'lorvane-cli " << command->name << " --help'.\n";
    } else {
      err << "Try 'lorvane-cli --help'.\n";
    }
    return kExitUsage;
  } catch (const std::exception& e) {
    // Core messages are CP932; they are shown in the terminal's encoding.
    CliContext ctx(in, out, err, encoding);
    err << "lorvane-cli: " << ctx.ToExternal(e.what()) << '\n';
    return 1;
  }
}

}  // namespace lorvane::cli
