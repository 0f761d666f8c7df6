#pragma once
// Generated mail-like text for benchmarks: headers and bodies in English and in CP932
// Japanese, CR LF line ends, reproducible from a seed.

#include <cstddef>
#include <string>

namespace lorvane::bench {

std::string MakeMailCorpus(size_t bytes, unsigned seed = 1);

}  // namespace lorvane::bench
