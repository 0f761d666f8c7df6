#pragma once
// Small POSIX helpers shared by the backend: an owning file descriptor, error texts and
// the comparison of host (UTF-8) names.

#include <string>
#include <string_view>

namespace lorvane {

// Closes the descriptor it holds when it goes out of scope.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  int Release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void Reset(int fd = -1);

 private:
  int fd_ = -1;
};

// strerror's text for `err` in CP932 (it follows the locale, so it may be Japanese), or
// "error N" when it does not convert.
std::string ErrnoText(int err);

// Equality with ASCII letters folded, for UTF-8 names: the bytes of multi-byte sequences
// are all 0x80 or above, so none of them is taken for a letter.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace lorvane
