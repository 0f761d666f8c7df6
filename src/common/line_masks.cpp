// Line-ending masks 16 bytes at a time with SSE2, or 32 with AVX2 where the processor
// has it: the mailbox scan reads every byte of every mailbox, and the wider compares take
// about a fifth off its time. The choice is made once, from what the processor reports.
// Tested by tests/common/lines_test.cpp.

#include "common/line_masks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// Not on Windows: GCC there keeps the stack 16-byte aligned but spills 32-byte vectors
// with aligned moves, which fault.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
#include <immintrin.h>
#define LORVANE_AVX2_MASKS 1
#endif

namespace lorvane {

namespace {

void BaselineMasks(const char* p, size_t count, TBlockMasks* out) {
  for (size_t b = 0; b < count; ++b, p += kMaskBlock) {
    TBlockMasks m;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i nul = _mm_setzero_si128();
    for (int k = 0; k < 4; ++k) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
      const auto lf_bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)));
      const auto cr_bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr)));
      const auto nul_bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, nul)));
      m.lf |= uint64_t{lf_bits} << (16 * k);
      m.cr |= uint64_t{cr_bits} << (16 * k);
      m.nul |= uint64_t{nul_bits} << (16 * k);
    }
#else
    for (size_t i = 0; i < kMaskBlock; ++i) {
      m.lf |= uint64_t{p[i] == '\n'} << i;
      m.cr |= uint64_t{p[i] == '\r'} << i;
      m.nul |= uint64_t{p[i] == '\0'} << i;
    }
#endif
    out[b] = m;
  }
}

#if defined(LORVANE_AVX2_MASKS)
// The 64 bits of two 32-byte compares.
__attribute__((target("avx2"))) uint64_t Bits(__m256i low, __m256i high) {
  return uint64_t{static_cast<uint32_t>(_mm256_movemask_epi8(low))} |
         (uint64_t{static_cast<uint32_t>(_mm256_movemask_epi8(high))} << 32);
}

__attribute__((target("avx2"))) void Avx2Masks(const char* p, size_t count, TBlockMasks* out) {
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i nul = _mm256_setzero_si256();
  for (size_t b = 0; b < count; ++b, p += kMaskBlock) {
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    out[b].lf = Bits(_mm256_cmpeq_epi8(low, lf), _mm256_cmpeq_epi8(high, lf));
    out[b].cr = Bits(_mm256_cmpeq_epi8(low, cr), _mm256_cmpeq_epi8(high, cr));
    out[b].nul = Bits(_mm256_cmpeq_epi8(low, nul), _mm256_cmpeq_epi8(high, nul));
  }
}

bool HasAvx2() {
  // Also tells whether the system saves the wide registers, so the instructions run.
  static const bool has = __builtin_cpu_supports("avx2") != 0;
  return has;
}
#endif

}  // namespace

void BlockMasksOf(const char* p, size_t count, TBlockMasks* out, TVectorWidth width) {
#if defined(LORVANE_AVX2_MASKS)
  if (width == TVectorWidth::kBest && HasAvx2()) {
    Avx2Masks(p, count, out);
    return;
  }
#endif
  (void)width;
  BaselineMasks(p, count, out);
}

}  // namespace lorvane
