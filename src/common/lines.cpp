// The line-ending rule, for a whole text and for a text read in chunks. Counting and
// skipping lines look at 64 bytes at a time, with vector compares where the processor
// has them: mailboxes are mostly base64 lines of 76 bytes, too short for a memchr a line.
// Tested by tests/common/lines_test.cpp and tests/mail/mailers/mailer_support_test.cpp.

#include "common/lines.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "common/line_masks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lorvane {

namespace {

constexpr size_t kBlock = kMaskBlock;
// Blocks whose masks are taken at once: few enough that the masks stay in the first-level
// cache, enough that choosing the vector width costs nothing per block.
constexpr size_t kChunkBlocks = 32;

// Bit i set where the line ending at block[i] ends: each LF, and each CR no LF follows;
// only bits before the block's first NUL, whose offset goes to `*nul` (64 when there is
// none). `after_is_lf` tells about the byte after the block.
uint64_t LineEndsOf(const TBlockMasks& m, bool after_is_lf, size_t* nul) {
  uint64_t ends = m.lf;
  if (m.cr != 0) {
    const uint64_t lf_next = (m.lf >> 1) | (uint64_t{after_is_lf} << (kBlock - 1));
    ends |= m.cr & ~lf_next;
  }
  *nul = kBlock;
  if (m.nul != 0) {
    *nul = static_cast<size_t>(std::countr_zero(m.nul));
    ends &= (uint64_t{1} << *nul) - 1;
  }
  return ends;
}

// The bits set in a mask of line ends: a few at most in a block of mail text, so clearing
// them one by one beats a popcount the processor may lack (a library call then).
size_t BitCount(uint64_t mask) {
  size_t count = 0;
  for (; mask != 0; mask &= mask - 1) ++count;
  return count;
}

bool EndsLineAt(std::string_view text, size_t i) {
  return text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
}

}  // namespace

std::string_view TextBeforeNul(std::string_view text) {
  if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
    return text.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - text.data()));
  }
  return text;
}

size_t FindByteOrNul(std::string_view text, size_t from, char byte) {
  size_t i = from;
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi8(byte);
  const __m128i nul = _mm_setzero_si128();
  for (; i + 16 <= text.size(); i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i either = _mm_or_si128(_mm_cmpeq_epi8(bytes, wanted), _mm_cmpeq_epi8(bytes, nul));
    if (const int mask = _mm_movemask_epi8(either); mask != 0) {
      return i + static_cast<size_t>(std::countr_zero(static_cast<unsigned>(mask)));
    }
  }
#endif
  for (; i < text.size(); ++i) {
    if (text[i] == byte || text[i] == '\0') return i;
  }
  return text.size();
}

std::optional<TLineEnd> FindLineEnd(std::string_view text, size_t pos, bool complete) {
  const char* const base = text.data();
  const size_t n = text.size();
  // Find the next LF, then any CR before it: lone CRs are rare, so two memchr calls per
  // line beat looking at every byte.
  const auto* lf = static_cast<const char*>(std::memchr(base + pos, '\n', n - pos));
  const size_t lf_at = lf ? static_cast<size_t>(lf - base) : n;
  if (const auto* cr = static_cast<const char*>(std::memchr(base + pos, '\r', lf_at - pos))) {
    const auto cr_at = static_cast<size_t>(cr - base);
    if (cr_at + 1 == n && !complete) return std::nullopt;  // the LF may come with more text
    return TLineEnd{cr_at, lf != nullptr && cr_at + 1 == lf_at ? lf_at + 1 : cr_at + 1};
  }
  if (lf != nullptr) return TLineEnd{lf_at, lf_at + 1};
  if (!complete) return std::nullopt;  // the line goes on in the text still to come
  return TLineEnd{n, n};
}

size_t CountLineEnds(std::string_view text, size_t from, size_t to, size_t* nul) {
  size_t count = 0;
  size_t i = from;
  std::array<TBlockMasks, kChunkBlocks> masks;
  while (i + kBlock <= to) {
    const size_t blocks = std::min(kChunkBlocks, (to - i) / kBlock);
    BlockMasksOf(text.data() + i, blocks, masks.data());
    for (size_t b = 0; b < blocks; ++b, i += kBlock) {
      const bool after_is_lf = i + kBlock < text.size() && text[i + kBlock] == '\n';
      size_t nul_at = kBlock;
      count += BitCount(LineEndsOf(masks[b], after_is_lf, &nul_at));
      if (nul_at < kBlock) {
        if (nul) *nul = i + nul_at;
        return count;
      }
    }
  }
  for (; i < to; ++i) {
    if (text[i] == '\0') {
      if (nul) *nul = i;
      return count;
    }
    count += EndsLineAt(text, i) ? 1 : 0;
  }
  return count;
}

size_t CountLinesFrom(std::string_view text, size_t pos) {
  size_t end = text.size();
  const size_t ends = CountLineEnds(text, pos, text.size(), &end);
  if (end == pos) return ends;
  const char last = text[end - 1];
  return ends + (last == '\n' || last == '\r' ? 0 : 1);
}

size_t CountLines(std::string_view text) {
  return CountLinesFrom(text, 0);
}

size_t SkipLines(std::string_view text, size_t pos, size_t count, size_t* passed) {
  size_t left = count;
  // The text's last byte, and a NUL, are left to the line-by-line rule below: a last line
  // without terminator ends there, which no mask shows.
  while (left > 0 && pos + kBlock < text.size()) {
    // Mostly a line or two: one block's masks at a time.
    TBlockMasks masks;
    BlockMasksOf(text.data() + pos, 1, &masks);
    size_t nul = kBlock;
    uint64_t ends = LineEndsOf(masks, text[pos + kBlock] == '\n', &nul);
    const size_t here = BitCount(ends);
    if (here < left) {
      // A NUL in the block or just after it may end a line the mask does not show.
      if (nul < kBlock || text[pos + kBlock] == '\0') break;
      left -= here;
      pos += kBlock;
      continue;
    }
    for (size_t k = 1; k < left; ++k) ends &= ends - 1;  // drop the ends before the one wanted
    pos += static_cast<size_t>(std::countr_zero(ends)) + 1;
    left = 0;
  }
  if (left > 0) {
    const std::string_view live = text.substr(0, pos + TextBeforeNul(text.substr(pos)).size());
    for (; left > 0 && pos < live.size(); --left) pos = FindLineEnd(live, pos, true)->next;
  }
  if (passed) *passed = count - left;
  return pos;
}

TLineScan ForEachLineStartingWith(std::string_view text, std::string_view first_bytes,
                                  const std::function<void(size_t, size_t)>& visit) {
  std::array<bool, 256> wanted{};
  for (const char c : first_bytes) wanted[static_cast<unsigned char>(c)] = true;
  TLineScan scan;
  size_t line_start = 0;  // where the line being counted starts
  const auto at_line_start = [&](size_t start) {
    line_start = start;
    if (start < text.size() && wanted[static_cast<unsigned char>(text[start])]) {
      visit(scan.lines, start);
    }
  };
  at_line_start(0);
  size_t pos = 0;
  std::array<TBlockMasks, kChunkBlocks> masks;
  bool at_nul = false;
  while (!at_nul && pos + kBlock < text.size()) {
    // Blocks with a byte after them, which tells whether a CR at the block's end ends a line.
    const size_t blocks = std::min(kChunkBlocks, (text.size() - pos - 1) / kBlock);
    BlockMasksOf(text.data() + pos, blocks, masks.data());
    for (size_t b = 0; b < blocks; ++b, pos += kBlock) {
      size_t nul = kBlock;
      uint64_t ends = LineEndsOf(masks[b], text[pos + kBlock] == '\n', &nul);
      if (nul < kBlock) {
        at_nul = true;  // the rest, to the NUL, line by line below
        break;
      }
      for (; ends != 0; ends &= ends - 1) {
        ++scan.lines;
        at_line_start(pos + static_cast<size_t>(std::countr_zero(ends)) + 1);
      }
    }
  }
  const std::string_view live = text.substr(0, pos + TextBeforeNul(text.substr(pos)).size());
  for (; pos < live.size(); ++pos) {
    if (!EndsLineAt(live, pos)) continue;
    ++scan.lines;
    at_line_start(pos + 1);
  }
  scan.end = live.size();
  if (line_start < scan.end) ++scan.lines;  // a last line without terminator
  return scan;
}

bool IsLineStart(std::string_view text, size_t pos) {
  if (pos == 0) return true;
  const char before = text[pos - 1];
  return before == '\n' || (before == '\r' && (pos == text.size() || text[pos] != '\n'));
}

void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& visit) {
  text = TextBeforeNul(text);
  for (size_t pos = 0; pos < text.size();) {
    const TLineEnd line = *FindLineEnd(text, pos, true);
    visit(text.substr(pos, line.end - pos));
    pos = line.next;
  }
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
  return lines;
}

}  // namespace lorvane
