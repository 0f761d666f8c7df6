// lorvane-cli: global options (they may stand before or after the command name), then
// the command. Every command reports usage errors by throwing UsageError, printed here
// with a pointer to its --help, exit 2.
// Tested by tests/cli/cli_test.cpp.

#include "cli/cli_main.h"

#include <exception>
#include <istream>
#include <optional>
#include <ostream>

#include "cli/cli_context.h"
#include "common/language.h"
#include "common/mbstring.h"
#include "platform/system_platform.h"

namespace lorvane::cli {

namespace {

struct Command {
  const char* name;
  CommandFunction run;
  const char* summary;
};

constexpr Command kCommands[] = {
    {"search", RunSearchCommand, "search the ticked folders for keywords"},
    {"narrow", RunNarrowCommand, "search the hits of a result file again"},
    {"count", RunCountCommand, "count the hits of a result file by folder, date, sender"},
    {"open", RunOpenCommand, "open a hit of a result file in its application or editor"},
    {"selection", RunSelectionCommand, "save the tree's folder selection to a file, or load one"},
    {"alias", RunAliasCommand, "list, save, open and delete folder selections kept by name"},
    {"match", RunMatchCommand, "match one pattern against standard input"},
    {"query", RunQueryCommand, "read keywords as the keyword box does and test standard input"},
    {"read", RunReadCommand, "print a message's text as the search sees it"},
    {"config", RunConfigCommand, "list, get, set and unset values of the settings file"},
    {"reg", RunRegCommand, "read registry values and keys as Lorvane sees them"},
    {"tree", RunTreeCommand, "detect the mail programs and print their folder tree"},
    {"mails", RunMailsCommand, "list the messages of one folder"},
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
    const size_t name_width = std::string(c.name).size();
    out << "  " << c.name << std::string(name_width < 11 ? 11 - name_width : 1, ' ') << c.summary
        << '\n';
  }
  out << "\n"
         "Global options (before or after COMMAND):\n"
         "  --encoding utf8|cp932   encoding of arguments, input and output\n"
         "                          (default: utf8 on POSIX, cp932 on Windows)\n"
         "  --settings FILE         the settings file (default: lorvane.ini beside the\n"
         "                          programs); its directory is the program directory\n"
         "  --wine-prefix DIR       the Wine prefix whose drives and registry to use\n"
         "                          (default: $WINEPREFIX, else ~/.wine if it exists)\n"
         "  --registry FILE         a .reg export to lay over the registry; repeatable\n"
         "  /JAPANESE, /ENGLISH     the language of messages (default: from the locale)\n"
         "  --help                  this text; COMMAND --help for a command's\n";
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool utf8_arguments) {
  GlobalOptions options;
  options.encoding = kDefaultEncoding;
  const Command* command = nullptr;
  std::vector<std::string> rest;
  bool options_done = false;
  std::string language_switches;
  try {
    for (size_t i = 0; i < args.size(); ++i) {
      const std::string& a = args[i];
      if (!options_done && (SameTextAscii(a, "/JAPANESE") || SameTextAscii(a, "/ENGLISH"))) {
        language_switches += a + " ";  // the interface language, as the GUI takes it
        continue;
      }
      if (!options_done) {
        // Global options may stand before or after the command name.
        std::string name = a;
        std::optional<std::string> value;
        if (const size_t eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
          name = a.substr(0, eq);
          value = a.substr(eq + 1);
        }
        if (name == "--encoding" || name == "--settings" || name == "--wine-prefix" ||
            name == "--registry") {
          if (!value) {
            if (i + 1 >= args.size()) throw UsageError{"option '" + name + "' needs a value"};
            value = args[++i];
          }
          if (name == "--encoding") {
            if (*value == "utf8" || *value == "utf-8") {
              options.encoding = Encoding::kUtf8;
            } else if (*value == "cp932") {
              options.encoding = Encoding::kCp932;
            } else {
              throw UsageError{"--encoding must be utf8 or cp932"};
            }
          } else if (name == "--settings") {
            options.settings = *value;
          } else if (name == "--wine-prefix") {
            options.wine_prefix = *value;
          } else {
            options.registry_files.push_back(*value);
          }
          continue;
        }
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
    options.arguments = utf8_arguments ? Encoding::kUtf8 : options.encoding;
    // Messages follow the interface language, as in the GUI: "/JAPANESE" or "/ENGLISH",
    // else the locale.
    SetInterfaceLanguage(
        DecideJapanese(language_switches, CreateSystemLocale()->DefaultLanguageName()));

    CliContext ctx(in, out, err, options);
    int status = kExitFailure;
    try {
      status = command->run(rest, ctx);
    } catch (const std::exception& e) {
      // Core messages are CP932; they are shown in the terminal's encoding.
      err << "lorvane-cli: " << ctx.ToExternal(e.what()) << '\n';
      status = kExitFailure;
    }
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
  }
}

}  // namespace lorvane::cli
