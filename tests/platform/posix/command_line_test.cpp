// Windows command-line splitting: the documented backslash and quote rules, the runs of
// quotes as CommandLineToArgvW reads them, and double-byte characters ending in "\".
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

#include "platform/posix/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvane {
namespace {

TEST(CommandLineTest, SplitsByTheWindowsRules) {
  using V = std::vector<std::string>;
  const struct {
    const char* text;
    V args;
  } cases[] = {
      {"", V{}},
      {"   \t ", V{}},
      {"a b\tc", V{"a", "b", "c"}},
      {"  a   b  ", V{"a", "b"}},
      {R"("abc" d e)", V{"abc", "d", "e"}},
      {R"("C:\Program Files\x.txt" +10)", V{R"(C:\Program Files\x.txt)", "+10"}},
      {R"(a"b c"d)", V{"ab cd"}},
      {R"("")", V{""}},
      {R"(a "" b)", V{"a", "", "b"}},
      // Backslashes are literal unless a quote follows them.
      {R"(C:\Mail\ x\\y)", V{R"(C:\Mail\)", R"(x\\y)"}},
      {R"(a\\b d"e f"g h)", V{R"(a\\b)", "de fg", "h"}},
      {R"(a\\\"b c d)", V{R"(a\"b)", "c", "d"}},
      {R"(a\\\\"b c" d e)", V{R"(a\\b c)", "d", "e"}},
      {R"("C:\Mail\\" next)", V{R"(C:\Mail\)", "next"}},
      {R"(\"quoted\")", V{R"("quoted")"}},
      // Runs of quotes: inside quotes "" is a literal quote that also ends the quoting;
      // every third quote of a run is literal.
      {R"(a"b"" c d)", V{R"(ab")", "c", "d"}},
      {R"("a""b")", V{R"(a"b)"}},
      {R"(""")", V{R"(")"}},
      {R"("""a b""")", V{R"("a)", R"(b")"}},
      {R"("unterminated arg)", V{"unterminated arg"}},
      // Double-byte characters are copied whole; the trail byte of ソ or 表 is no
      // backslash, so it neither doubles nor escapes the quote after it.
      {R"("C:\ソ" 表" x")", V{R"(C:\ソ)", "表 x"}},
      {R"(ソ\"x)", V{R"(ソ"x)"}},
      {"ポ|ポ 受信箱", V{"ポ|ポ", "受信箱"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.text), c.args) << c.text;
}

TEST(CommandLineTest, LoneLeadByteAtTheEndIsKept) {
  EXPECT_EQ(SplitCommandLine("a \x83"), (std::vector<std::string>{"a", "\x83"}));
}

}  // namespace
}  // namespace lorvane
