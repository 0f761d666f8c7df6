// JIS to Shift_JIS against the C library's converter, for every JIS X 0208 character.
// POSIX only: it uses iconv to produce the ISO-2022-JP side.

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "mail/mail_text.h"

namespace lorvane {
namespace {

std::string Iconv(const char* to, const char* from, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string out(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  const size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv(cd, nullptr, nullptr, &dst, &dst_left);  // the closing escape
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return "<unconvertible>";
  out.resize(out.size() - dst_left);
  return out;
}

TEST(JisConversionTest, EveryJisX0208CharacterRoundTrips) {
  int checked = 0;
  for (int row = 0x21; row <= 0x74; ++row) {
    std::string line;      // the row's characters in Shift_JIS
    std::string jis_line;  // the same in one escape-coded run
    for (int cell = 0x21; cell <= 0x7E; ++cell) {
      const std::string jis =
          std::string("\x1B$B") + static_cast<char>(row) + static_cast<char>(cell) + "\x1B(B";
      const std::string sjis = Iconv("CP932", "ISO-2022-JP", jis);
      if (sjis == "<unconvertible>") continue;  // unassigned in JIS X 0208
      line += sjis;
      jis_line += std::string{static_cast<char>(row), static_cast<char>(cell)};
      ASSERT_EQ(JisToSjis(jis), sjis) << "row " << row << " cell " << cell;
      ++checked;
    }
    // A whole row as one line, as a mail body carries it.
    ASSERT_EQ(JisToSjis("\x1B$B" + jis_line + "\x1B(B"), line) << "row " << row;
  }
  EXPECT_GT(checked, 6800);
}

}  // namespace
}  // namespace lorvane
