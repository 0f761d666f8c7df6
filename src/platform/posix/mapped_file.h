#pragma once
// Read-only mappings of whole files that survive the file shrinking underneath them.

#include <cstddef>
#include <cstdint>

#include "platform/file_system.h"

namespace lorvane {

// How many mappings can be guarded at once; MapFileView declines beyond that.
inline constexpr size_t kMaxGuardedMappings = 64;

// Maps the first `size` bytes of the open file `fd` (its size when it was opened) into
// `view`: read-only, private, advised for a sequential read. Pages the file loses while
// the view lives read as NULs instead of raising SIGBUS. False, with `view` untouched,
// when the file cannot be mapped or guarded; the caller then reads a copy. The view does
// not need `fd` to stay open.
bool MapFileView(int fd, uint64_t size, TFileView* view);

}  // namespace lorvane
