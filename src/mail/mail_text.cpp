// Message text transformations. Every operation walks Shift_JIS text from the start of a
// string (or a line), so a trail byte is never taken for ASCII.
//   RemoveBinaryParts  "...\r\nContent-Type: image/gif\r\n<base64>\r\nContent-Type: text/plain"
//                      keeps the text and the second part, drops the image and its type line.
//   DecodeHeaderWords  "Subject: =?ISO-2022-JP?B?GyRCJDUbKEI=?="  ->  "Subject: さ"
//   MailDate           "Tue, 5 Dec 2006 12:34:56 +0900"  ->  "2006-12-05"
// Tested by tests/mail/mail_text_test.cpp.

#include "mail/mail_text.h"

#include <algorithm>
#include <cstring>

#include "common/lines.h"
#include "common/mbstring.h"

namespace lorvane {

namespace {

constexpr std::string_view kEncodedWordPrefix = "=?ISO-2022-JP?B?";
constexpr size_t kTextLimitChars = 10000;

// Byte offsets of the characters of `s`.
std::vector<size_t> CharStarts(std::string_view s) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) starts.push_back(i);
  return starts;
}

std::string Base64Decode(std::string_view e) {
  const size_t m = e.size();
  long long length = static_cast<long long>(m * 3 / 4);
  if (e.size() >= 2 && e.substr(m - 2) == "==") {
    length -= 2;
  } else if (!e.empty() && e.back() == '=') {
    length -= 1;
  }
  std::string out;
  for (long long k = 0; k < length; ++k) {
    const size_t g = static_cast<size_t>(k / 3) * 4;
    // Characters missing at the end of a short group count as "A" (0).
    auto value = [&](size_t i) {
      return i < m ? Base64Value(static_cast<unsigned char>(e[i])) : 0;
    };
    const int a = value(g);
    const int b = value(g + 1);
    const int c = value(g + 2);
    const int d = value(g + 3);
    int byte = 0;
    switch (k % 3) {
      case 0:
        byte = a * 4 + b / 16;
        break;
      case 1:
        byte = (b % 16) * 16 + c / 4;
        break;
      default:
        byte = (c % 4) * 64 + d;
        break;
    }
    out += static_cast<char>(byte & 0xFF);
  }
  return out;
}

// 1-based character position of the last `c` among the characters before the last one;
// 0 when there is none.
size_t LastCharBeforeEnd(std::string_view s, const std::vector<size_t>& starts, char c) {
  for (size_t k = starts.size() - 1; k-- > 0;) {
    if (s[starts[k]] == c && CharWidthAt(s, starts[k]) == 1) return k + 1;
  }
  return 0;
}

}  // namespace

bool IsBinaryContentType(std::string_view upper_value) {
  static constexpr std::string_view kTypes[] = {"APPLICATION/MAC-BINHEX40",
                                                "APPLICATION/OCTET-STREAM",
                                                "APPLICATION/POSTSCRIPT",
                                                "APPLICATION/RTF",
                                                "APPLICATION/X-STUFFIT",
                                                "APPLICATION/X-UUENCODE",
                                                "APPLICATION/X-ZIP-COMPRESSED",
                                                "AUDIO/BASIC",
                                                "AUDIO/X-AIFF",
                                                "AUDIO/X-PN-REALAUDIO",
                                                "AUDIO/X-WAV",
                                                "IMAGE/GIF",
                                                "IMAGE/JPEG",
                                                "IMAGE/TIFF",
                                                "IMAGE/X-MS-BMP",
                                                "VIDEO/MPEG",
                                                "VIDEO/QUICKTIME",
                                                "VIDEO/X-MSVIDEO"};
  for (std::string_view type : kTypes) {
    if (upper_value.substr(0, type.size()) == type) return true;
  }
  return false;
}

namespace {

// A text that ends at its first NUL, looked for only in the bytes that are read: a binary
// part is searched once, for ":" and the NUL together.
class TTextToNul {
 public:
  explicit TTextToNul(std::string_view text) : text_(text) {}

  std::string_view Text() const { return text_; }
  size_t Size() const { return text_.size(); }

  // Makes sure that no NUL lies before `to`, ending the text at one that does.
  void CheckTo(size_t to) {
    to = std::min(to, text_.size());
    if (to <= clean_) return;
    if (const void* nul = std::memchr(text_.data() + clean_, '\0', to - clean_)) {
      EndAt(static_cast<size_t>(static_cast<const char*>(nul) - text_.data()));
    } else {
      clean_ = to;
    }
  }

  // Trusts that no NUL lies before `to` (where a scan of the mailbox already looked).
  void AssumeCleanTo(size_t to) { clean_ = std::max(clean_, std::min(to, text_.size())); }

  // The start of the first line at or after `pos` (a line start) that begins with
  // "Content-Type:" in any case; the text's end when none does. Only such a line ends a
  // binary part, and base64 holds no ":", so this leaps over an attachment at memory speed.
  size_t NextContentTypeLine(size_t pos) {
    constexpr size_t kColonAt = 12;  // in "CONTENT-TYPE:"
    CheckTo(pos + kColonAt);
    for (size_t at = pos + kColonAt; at < text_.size(); ++at) {
      at = FindByteOrNul(text_, at, ':');
      if (at == text_.size()) {
        clean_ = at;
        break;
      }
      if (text_[at] == '\0') {
        EndAt(at);
        break;
      }
      clean_ = std::max(clean_, at + 1);
      const size_t line = at - kColonAt;
      if (IsLineStart(text_, line) && StartsWithNoCase(text_, line, "CONTENT-TYPE:")) return line;
    }
    return text_.size();
  }

 private:
  // The NUL found at `nul` ends the text.
  void EndAt(size_t nul) {
    text_ = text_.substr(0, nul);
    clean_ = nul;
  }

  std::string_view text_;
  size_t clean_ = 0;  // text_[0, clean_) holds no NUL
};

}  // namespace

std::string RemoveBinaryParts(std::string_view whole, bool length_limit,
                              const std::vector<uint64_t>* type_lines) {
  TTextToNul text(whole);
  std::string kept;
  bool keep = true;
  size_t chars = 0;
  size_t next_type_line = 0;  // in *type_lines
  // The first Content-Type line at or after the line start `pos`; the text's end for none.
  const auto leap = [&](size_t pos) {
    if (type_lines == nullptr) return text.NextContentTypeLine(pos);
    const std::vector<uint64_t>& at = *type_lines;
    while (next_type_line < at.size() && at[next_type_line] < pos) ++next_type_line;
    const size_t line = next_type_line < at.size() && at[next_type_line] < text.Size()
                            ? static_cast<size_t>(at[next_type_line])
                            : text.Size();
    text.AssumeCleanTo(line);
    return line;
  };
  for (size_t pos = 0; pos < text.Size();) {
    if (!keep) {
      pos = leap(pos);
      if (pos == text.Size()) break;
    }
    TLineEnd end = *FindLineEnd(text.Text(), pos, true);
    text.CheckTo(end.next);
    if (pos == text.Size()) break;
    if (end.next > text.Size()) end = *FindLineEnd(text.Text(), pos, true);
    const std::string_view l = text.Text().substr(pos, end.end - pos);
    if (pos > 0 && StartsWithNoCase(l, 0, "CONTENT-TYPE:")) {
      // The limit is looked at only here, once the part before was kept.
      if (keep && length_limit && chars >= kTextLimitChars) break;
      const std::string upper = UpperAscii(l.substr(13));
      keep = !IsBinaryContentType(Trim(upper));
    }
    pos = end.next;
    if (!keep) continue;
    kept.append(l);
    kept.append("\r\n");
    if (length_limit) {
      // Characters as the joined text counts them: a lone lead byte at the end of a line
      // takes the CR after it as its second byte.
      size_t width = 0;
      for (size_t at = 0; at < l.size(); at += width, ++chars) width = CharWidthAt(l, at);
      chars += (width == 1 && IsLeadByte(l.back())) ? 1 : 2;
    }
  }
  return kept;
}

int Base64Value(unsigned char b) {
  if (b >= 'A' && b <= 'Z') return b - 'A';
  if (b >= 'a' && b <= 'z') return b - 'a' + 26;
  if (b >= '0' && b <= '9') return b - '0' + 52;
  if (b == '+') return 62;
  return 63;
}

std::string JisToSjis(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  bool kanji = false;
  size_t i = 0;
  while (i < s.size() && s[i] != '\0') {
    const bool esc3 = s[i] == '\x1B' && i + 2 < s.size();
    if (!kanji) {
      if (esc3 && s[i + 1] == '$' && (s[i + 2] == '@' || s[i + 2] == 'B')) {
        kanji = true;
        i += 3;
      } else {
        out += s[i++];
      }
      continue;
    }
    if (esc3 && s[i + 1] == '(' && (s[i + 2] == 'H' || s[i + 2] == 'B' || s[i + 2] == 'J')) {
      kanji = false;
      i += 3;
      continue;
    }
    // A lone first byte at the end (or before a NUL) has no partner: it is dropped.
    if (i + 1 >= s.size() || s[i + 1] == '\0') break;
    const int c1 = static_cast<unsigned char>(s[i]);
    const int c2 = static_cast<unsigned char>(s[i + 1]);
    const int n = (c1 - 0x21) * 94 + (c2 - 0x21);
    int hi = n / 188 + 129;
    if (hi > 159) hi += 64;
    int lo = n % 188 + 64;
    if (lo > 126) lo += 1;
    out += static_cast<char>(hi & 0xFF);
    out += static_cast<char>(lo & 0xFF);
    i += 2;
  }
  return out;
}

void DecodeHeaderWords(std::vector<std::string>& lines) {
  if (lines.empty()) return;
  size_t h = lines.size() - 1;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) {
      h = i;
      break;
    }
  }
  for (size_t n = h + 1; n-- > 0;) {
    std::string l = lines[n];
    bool found = false;
    for (size_t p = UpperAscii(l).find(kEncodedWordPrefix); p != std::string::npos;
         p = UpperAscii(l).find(kEncodedWordPrefix)) {
      found = true;
      const std::string before = l.substr(0, p);
      l = l.substr(p + kEncodedWordPrefix.size());
      const size_t q = l.find("?=");
      if (q != std::string::npos) {
        const std::string after = l.substr(q + 2);
        l = before + JisToSjis(Base64Decode(std::string_view(l).substr(0, q))) + after;
        lines[n] = l;
      }
    }
    if (found && n >= 1 && UpperAscii(lines[n - 1]).find(kEncodedWordPrefix) != std::string::npos &&
        !lines[n].empty() && (lines[n][0] == ' ' || lines[n][0] == '\t')) {
      lines[n - 1] += lines[n].substr(1);
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(n));
    }
  }
}

std::string SenderName(std::string_view value) {
  std::string s(value);
  if (!s.empty() && s.back() == '>') {
    const auto starts = CharStarts(s);
    if (const size_t i = LastCharBeforeEnd(s, starts, '<')) {
      s = std::string(Trim(std::string_view(s).substr(0, starts[i - 1])));
    }
  }
  if (!s.empty() && s.back() == ')') {
    const auto starts = CharStarts(s);
    if (const size_t i = LastCharBeforeEnd(s, starts, '(')) {
      const size_t from = starts[i - 1] + 1;
      s = std::string(Trim(std::string_view(s).substr(from, starts.back() - from)));
    }
  }
  if (!s.empty() && s.front() == '"' && s.back() == '"') {
    s = std::string(Trim(s.size() >= 2 ? std::string_view(s).substr(1, s.size() - 2) : ""));
  }
  if (const int i = MBPos(" TSB ", s)) s = MBCopy(s, i + 5, MBLength(s));
  if (const int i = MBPos(" (TSB) ", s)) s = MBCopy(s, i + 7, MBLength(s));
  if (MBCopy(s, 1, 1) == "（") {
    const auto starts = CharStarts(s);
    for (size_t k = 1; k < starts.size(); ++k) {
      if (std::string_view(s).substr(starts[k], 2) == "）") {
        s = std::string(Trim(std::string_view(s).substr(starts[k] + 2)));
        break;
      }
    }
  }
  if (const int i = MBPos("@", s)) s = MBCopy(s, 1, i - 1);
  return s;
}

std::string MailDate(std::string_view value) {
  const size_t colon = value.find(':');
  const long long c = colon == std::string_view::npos ? 0 : static_cast<long long>(colon) + 1;
  std::string s(Trim(ByteCopy(value, 1, c - 3)));
  const auto len = static_cast<long long>(s.size());
  std::string out;
  if (ByteCopy(s, len - 2, 1) == " ") {
    out = "19" + std::string(ByteCopy(s, len - 1, 2)) + "-";
    s = UpperAscii(Trim(ByteCopy(s, 1, len - 3)));
  } else {
    out = std::string(ByteCopy(s, len - 3, 4)) + "-";
    s = UpperAscii(Trim(ByteCopy(s, 1, len - 5)));
  }
  static constexpr std::string_view kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                 "JUL", "AUG", "SEP", "OCT", "NOV"};
  std::string month = "12";
  for (size_t m = 0; m < std::size(kMonths); ++m) {
    if (MBPos(kMonths[m], s) > 0) {
      month = (m < 9 ? "0" : "") + std::to_string(m + 1);
      break;
    }
  }
  out += month;
  if (const size_t comma = s.find(','); comma != std::string::npos) {
    s = std::string(Trim(std::string_view(s).substr(comma + 1)));
  }
  if (const size_t blank = s.find(' '); blank != std::string::npos) {
    s = std::string(Trim(std::string_view(s).substr(0, blank)));
  }
  if (s.size() == 1) s = "0" + s;
  return out + "-" + s;
}

std::string MailTime(std::string_view value) {
  const size_t colon = value.find(':');
  const long long c = colon == std::string_view::npos ? 0 : static_cast<long long>(colon) + 1;
  return std::string(ByteCopy(value, c - 2, 8));
}

}  // namespace lorvane
