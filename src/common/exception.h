#pragma once
// The general exception class of the core. Messages are CP932 text, shown to the user as
// they stand (converted at the edges like every other core string).

#include <stdexcept>
#include <string>

namespace lorvane {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace lorvane
