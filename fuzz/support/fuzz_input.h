#pragma once
// What every harness shares: the entry point each target defines, a reader that takes an
// input apart front to back (running out of bytes gives zeros and empty pieces, never an
// error, so every input is a valid test), and the check that turns a broken promise into
// a crash AFL++ records.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace lorvane::fuzz {

// Defined once per target (fuzz/targets/<name>.cpp). `input` lies in a heap block of
// exactly its size, so a read one byte past its end is an AddressSanitizer report.
void FuzzOne(std::string_view input);

class TFuzzInput {
 public:
  explicit TFuzzInput(std::string_view bytes) : rest_(bytes) {}
  uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto b = static_cast<uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return b;
  }
  // Four bytes, least significant first.
  int32_t Int32() {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= static_cast<uint32_t>(Byte()) << (8 * k);
    return static_cast<int32_t>(v);
  }
  std::string_view Take(size_t n) {
    const std::string_view piece = rest_.substr(0, n);
    rest_.remove_prefix(piece.size());
    return piece;
  }
  // Up to the next `separator` (dropped), or everything left.
  std::string_view Until(char separator) {
    const size_t at = rest_.find(separator);
    const std::string_view piece = rest_.substr(0, at);
    rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 1);
    return piece;
  }
  std::string_view Rest() {
    const std::string_view piece = rest_;
    rest_ = {};
    return piece;
  }
  bool Empty() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// A promise the code under test broke: report and abort, which AFL++ saves as a crash.
[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.c_str());
  std::abort();
}

inline void Check(bool condition, const char* what, const std::string& detail = {}) {
  if (!condition) Fail(what, detail);
}

}  // namespace lorvane::fuzz
