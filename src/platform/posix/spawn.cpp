// Detached program start with posix_spawn. glibc's posix_spawn reports a failed exec
// (missing file, not executable) as its return value, so "could not be started" is known
// here and not only by a child that dies at once. Reaping is a detached thread per
// child rather than a SIGCHLD handler, which would take children from other code (Qt's
// process class waits for its own).
// Tested by tests/platform/posix/posix_shell_test.cpp.

#include "platform/posix/spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

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

  int Prepare() {
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    int rc = posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
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

}  // namespace

pid_t StartDetached(const std::vector<std::string>& argv,
                    const std::vector<std::string>& environment_overrides, std::string* error) {
  if (argv.empty() || argv[0].empty()) {
    if (error) *error = "no program to start";
    return -1;
  }
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

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
  if (rc == 0) {
    const bool search = argv[0].find('/') == std::string::npos;
    rc = search ? posix_spawnp(&pid, argv[0].c_str(), setup.actions(), setup.attributes(),
                               args.data(), environment.data())
                : posix_spawn(&pid, argv[0].c_str(), setup.actions(), setup.attributes(),
                              args.data(), environment.data());
  }
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
