// Program starts with posix_spawn: detached ones, and short runs whose output we read.
// glibc's posix_spawn reports a failed exec (missing file, not executable) as its return
// value, so "could not be started" is known here and not only by a child that dies at
// once. Reaping a detached child is a detached thread per child rather than a SIGCHLD
// handler, which would take children from other code (Qt's process class waits for its
// own); a short run is waited for where it was started.
// Tested by tests/platform/posix/posix_shell_test.cpp.

#include "platform/posix/spawn.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <system_error>
#include <thread>

#include "platform/posix/posix_io.h"

extern char** environ;

namespace lorvane {

namespace {

std::string_view NameOf(std::string_view assignment) {
  return assignment.substr(0, assignment.find('='));
}

class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attributes_);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  // Standard input from /dev/null; with `output_fd`, standard output to it and standard
  // error to /dev/null.
  int Prepare(int output_fd = -1) {
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    int rc = posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    if (rc == 0 && output_fd >= 0) rc = posix_spawn_file_actions_adddup2(&actions_, output_fd, 1);
    if (rc == 0 && output_fd >= 0) {
      rc = posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
    }
    if (rc == 0) rc = posix_spawnattr_setsigmask(&attributes_, &none);
    if (rc == 0) rc = posix_spawnattr_setsigdefault(&attributes_, &all);
    if (rc == 0) {
      rc = posix_spawnattr_setflags(
          &attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    }
    return rc;
  }
  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

// <chrono> does not compile with the CP932 execution character set.
long long MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::vector<char*> ArgumentPointers(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  return args;
}

int Spawn(pid_t* pid, const std::vector<std::string>& argv, const SpawnSetup& setup,
          char* const* environment) {
  std::vector<char*> args = ArgumentPointers(argv);
  const bool search = argv[0].find('/') == std::string::npos;
  return search ? posix_spawnp(pid, argv[0].c_str(), setup.actions(), setup.attributes(),
                               args.data(), environment)
                : posix_spawn(pid, argv[0].c_str(), setup.actions(), setup.attributes(),
                              args.data(), environment);
}

}  // namespace

bool RunForOutput(const std::vector<std::string>& argv, size_t max_bytes, int timeout_ms,
                  std::string* output, std::string* error) {
  output->clear();
  if (argv.empty() || argv[0].empty()) {
    if (error) *error = "no program to run";
    return false;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    if (error) *error = "pipe: " + ErrnoText(errno);
    return false;
  }
  UniqueFd read_end(fds[0]);
  UniqueFd write_end(fds[1]);
  SpawnSetup setup;
  pid_t pid = -1;
  int rc = setup.Prepare(write_end.get());
  if (rc == 0) rc = Spawn(&pid, argv, setup, environ);
  write_end.Reset();  // the child holds its own copy; end of file comes when it exits
  if (rc != 0) {
    if (error) *error = argv[0] + ": " + ErrnoText(rc);
    return false;
  }

  const long long deadline = MonotonicMs() + timeout_ms;
  bool timed_out = false;
  char buffer[4096];
  for (;;) {
    const long long left = deadline - MonotonicMs();
    if (left <= 0) {
      timed_out = true;
      break;
    }
    pollfd p{read_end.get(), POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      timed_out = ready == 0;
      break;
    }
    const ssize_t n = read(read_end.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    const size_t room = max_bytes - std::min(max_bytes, output->size());
    output->append(buffer, std::min(room, static_cast<size_t>(n)));
  }
  if (timed_out) kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (timed_out || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    if (error) {
      *error = argv[0] + (timed_out ? ": did not finish in time" : ": failed");
    }
    output->clear();
    return false;
  }
  return true;
}

pid_t StartDetached(const std::vector<std::string>& argv,
                    const std::vector<std::string>& environment_overrides, std::string* error) {
  if (argv.empty() || argv[0].empty()) {
    if (error) *error = "no program to start";
    return -1;
  }
  std::vector<char*> environment;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string_view name = NameOf(*entry);
    bool overridden = false;
    for (const std::string& o : environment_overrides) overridden |= NameOf(o) == name;
    if (!overridden) environment.push_back(*entry);
  }
  for (const std::string& o : environment_overrides) {
    environment.push_back(const_cast<char*>(o.c_str()));
  }
  environment.push_back(nullptr);

  SpawnSetup setup;
  pid_t pid = -1;
  int rc = setup.Prepare();
  if (rc == 0) rc = Spawn(&pid, argv, setup, environment.data());
  if (rc != 0) {
    if (error) *error = argv[0] + ": " + ErrnoText(rc);
    return -1;
  }
  try {
    std::thread([pid] {
      int status = 0;
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // Without a thread the child still runs; it stays a zombie once it ends, which is
    // better than not starting what the user asked for.
  }
  return pid;
}

}  // namespace lorvane
