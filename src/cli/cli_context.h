#pragma once
// What every lorvane-cli command gets: its streams and the conversion between the
// terminal's encoding and the core's CP932.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::cli {

enum class Encoding { kUtf8, kCp932 };

// Exit codes shared by the commands.
constexpr int kExitFound = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitUsage = 2;
constexpr int kExitPatternError = 3;

// Thrown for a usage error; the command line's front catches it, prints it, exits 2.
struct UsageError {
  std::string message;
};

class CliContext {
 public:
  CliContext(std::istream& in, std::ostream& out, std::ostream& err, Encoding encoding)
      : in_(in), out_(out), err_(err), encoding_(encoding) {}

  std::istream& in() { return in_; }
  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }
  Encoding encoding() const { return encoding_; }

  // External text (an argument, standard input) to CP932; UsageError when it does not
  // convert. `what` names the text in the message.
  std::string ToCore(std::string_view external, std::string_view what) const;
  // CP932 to the external encoding; bytes that do not convert are written as \xNN so
  // nothing is lost or cut short.
  std::string ToExternal(std::string_view cp932) const;
  // All of standard input, as CP932.
  std::string ReadAllInput();
  // Bytes ToExternal could not convert so far.
  size_t UnconvertedBytes() const { return unconverted_; }

 private:
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  Encoding encoding_;
  mutable size_t unconverted_ = 0;
};

using CommandFunction = int (*)(const std::vector<std::string>& args, CliContext& ctx);

// The commands, one file each.
int RunMatchCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunQueryCommand(const std::vector<std::string>& args, CliContext& ctx);

}  // namespace lorvane::cli
