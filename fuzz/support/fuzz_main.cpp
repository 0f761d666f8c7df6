// The driver of every fuzz target. Built by afl-g++-fast it runs AFL++'s persistent loop
// over inputs in shared memory; with file arguments (any compiler) it runs each file once,
// which is how a saved crash is replayed and the corpus is checked. Either way each input
// is copied into a heap block of exactly its size before FuzzOne sees it.
// Anything thrown out of FuzzOne is a crash: harnesses catch what the code promises.

#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "fuzz_input.h"

// AFL++'s macros are C: casts and statement expressions.
#pragma GCC diagnostic ignored "-Wold-style-cast"
#pragma GCC diagnostic ignored "-Wpedantic"

#ifndef __AFL_FUZZ_TESTCASE_LEN
// A plain compiler: read standard input once.
#define __AFL_FUZZ_INIT() static std::string lorvane_stdin_input
#define __AFL_INIT() \
  lorvane_stdin_input.assign(std::istreambuf_iterator<char>(std::cin), {})
#define __AFL_FUZZ_TESTCASE_BUF (lorvane_stdin_input.data())
#define __AFL_FUZZ_TESTCASE_LEN (lorvane_stdin_input.size())
#define __AFL_LOOP(n) (lorvane_loop_once-- > 0)
static int lorvane_loop_once = 1;
#endif

__AFL_FUZZ_INIT();

namespace {

void RunOne(const char* bytes, size_t size) {
  std::unique_ptr<char[]> exact(new char[size == 0 ? 1 : size]);
  if (size > 0) std::memcpy(exact.get(), bytes, size);
  lorvane::fuzz::FuzzOne(std::string_view(exact.get(), size));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    for (int i = 1; i < argc; ++i) {
      std::ifstream in(argv[i], std::ios::binary);
      if (!in) {
        std::cerr << argv[i] << ": cannot be read\n";
        return 2;
      }
      const std::string bytes((std::istreambuf_iterator<char>(in)), {});
      RunOne(bytes.data(), bytes.size());
    }
    return 0;
  }
  __AFL_INIT();
  const auto* buffer = reinterpret_cast<const char*>(__AFL_FUZZ_TESTCASE_BUF);
  while (__AFL_LOOP(10000)) RunOne(buffer, static_cast<size_t>(__AFL_FUZZ_TESTCASE_LEN));
  return 0;
}
