// Fuzz target: the matcher (TAWKStr: SetRegExp, Match, Find, Escape).
// Input: one flag byte (bit 0 fuzzy dictionary, bit 1 plain text, bit 2 LF line
// separator), one length byte N, N pattern bytes (so a pattern is at most 255 bytes), then
// the text to match. A pattern error (ERegExpParser) is an accepted outcome; anything else
// thrown, a match outside the text, Find disagreeing with Match, or a pattern of whole
// non-blank characters that, escaped or in plain-text mode, does not find itself is a crash.

#include <string>

#include "search/awk_str.h"
#include "search/regex_error.h"
#include "support/fuzz_input.h"

namespace lorvane::fuzz {

namespace {

// Matches `text`; returns whether a match was found, checking its bounds.
bool CheckedMatch(TAWKStr& matcher, std::string_view text) {
  int start = -1;
  int length = -1;
  const int found = matcher.Match(text, &start, &length);
  Check(found == start, "Match returned other than the start");
  if (found == 0) {
    Check(length == 0, "no match but a length");
  } else {
    Check(start >= 1 && length >= 0 &&
              static_cast<size_t>(start - 1) + static_cast<size_t>(length) <= text.size(),
          "match outside the text", std::to_string(start) + "," + std::to_string(length));
  }
  Check(matcher.Find(text) == (found > 0), "Find disagrees with Match");
  return found > 0;
}

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Text that a pattern written literally must find in itself: whole characters, none of
// them a blank or a control byte (blanks are skipped in texts and never match).
bool IsLiteralText(std::string_view text) {
  if (text.empty()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsLead(c)) {
      if (i + 1 >= text.size()) return false;
      const auto t = static_cast<unsigned char>(text[++i]);
      if (!IsTrail(t) || (c == 0x81 && t == 0x40)) return false;
    } else if (c <= 0x20 || c == 0x7F || c >= 0xFD || c == 0x80 || c == 0xA0) {
      return false;
    }
  }
  return true;
}

}  // namespace

void FuzzOne(std::string_view input) {
  TFuzzInput in(input);
  const uint8_t flags = in.Byte();
  const std::string pattern(in.Take(in.Byte()));
  const std::string_view text = in.Rest();

  TAWKStr matcher;
  matcher.SetUseFuzzyCharDic((flags & 1) != 0);
  matcher.SetPlainText((flags & 2) != 0);
  matcher.SetLineSeparator((flags & 4) != 0 ? mcls_LF : mcls_CRLF);
  try {
    matcher.SetRegExp(pattern);
  } catch (const ERegExpParser&) {
  }
  CheckedMatch(matcher, text);

  // The pattern written literally, both ways, finds itself.
  const bool literal = IsLiteralText(pattern);
  TAWKStr escaped;
  try {
    escaped.SetRegExp(TAWKStr::Escape(pattern));
    if (!CheckedMatch(escaped, pattern) && literal) Fail("escaped pattern misses its own text");
  } catch (const ERegExpParser&) {
    if (literal) Fail("escaped pattern is an error");
  }
  TAWKStr plain;
  plain.SetPlainText(true);
  try {
    plain.SetRegExp(pattern);
    if (!CheckedMatch(plain, pattern) && literal) Fail("plain pattern misses its own text");
  } catch (const ERegExpParser&) {
    if (literal) Fail("plain pattern is an error");
  }
}

}  // namespace lorvane::fuzz
