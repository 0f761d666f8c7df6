#pragma once
// Where the line-ending bytes are in runs of 64-byte blocks: the vector part of the
// line-ending rule (common/lines), with the widest vectors the processor has.

#include <cstddef>
#include <cstdint>

namespace lorvane {

inline constexpr size_t kMaskBlock = 64;

// Bit i set where block[i] is LF, CR or NUL.
struct TBlockMasks {
  uint64_t lf = 0;
  uint64_t cr = 0;
  uint64_t nul = 0;
};

enum class TVectorWidth {
  kBest,      // the widest this processor runs
  kBaseline,  // what every processor of the target has (16 bytes with SSE2, else bytes)
};

// The masks of the `count` blocks at `p` (count * 64 bytes) into `out[0 .. count)`.
void BlockMasksOf(const char* p, size_t count, TBlockMasks* out,
                  TVectorWidth width = TVectorWidth::kBest);

}  // namespace lorvane
