#pragma once
// Starting a host program that outlives the request to start it, without a shell.

#include <sys/types.h>

#include <string>
#include <vector>

namespace lorvane {

// Starts argv[0] (searched in PATH when it holds no "/") with the arguments `argv`, the
// process environment with `environment_overrides` ("NAME=value", replacing any variable
// of that name), standard input from /dev/null, default signal handling and a session of
// its own, so that closing our terminal or a Ctrl+C for us does not reach it. A thread
// waits for it, so it never lingers as a zombie. Its process id, or -1 with `error` set.
pid_t StartDetached(const std::vector<std::string>& argv,
                    const std::vector<std::string>& environment_overrides,
                    std::string* error = nullptr);

// Runs argv[0] (searched in PATH when it holds no "/") with standard input and standard
// error on /dev/null and waits for it: its standard output (at most `max_bytes`, the rest
// read and dropped) when it exits with status 0, else false with `error` set. A program
// still running after `timeout_ms` is killed and counts as failed.
bool RunForOutput(const std::vector<std::string>& argv, size_t max_bytes, int timeout_ms,
                  std::string* output, std::string* error = nullptr);

}  // namespace lorvane
