// Read-only mappings of whole files for TFileView, guarded against the file shrinking.
// Touching a page of a file mapping that lies past the file's current end raises SIGBUS,
// so a mail program shortening a mailbox while we search it would kill us. A process-wide
// SIGBUS handler looks the faulting address up in a fixed table of live mappings; when it
// is one of ours, it maps a zero page over the faulting page and returns, and the read
// goes on over NULs, where the readers stop. Any other SIGBUS goes to the handler that was
// there before us, or ends the process as it would have without us.
// Tested by tests/platform/posix/posix_file_system_test.cpp.

#include "platform/posix/mapped_file.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <memory>

namespace lorvane {

namespace {

// A slot holds one live mapping [begin, end); a begin of 0 marks it free, kClaimed taken
// but not yet filled. Whoever claimed a slot is its only writer until it frees it, and
// makes its count odd while it changes begin and end, so the handler, which reads the
// count before and after them, never takes one mapping's begin with another's end.
struct TGuardSlot {
  std::atomic<uint64_t> count{0};
  std::atomic<uintptr_t> begin{0};
  std::atomic<uintptr_t> end{0};
};
static_assert(std::atomic<uint64_t>::is_always_lock_free &&
                  std::atomic<uintptr_t>::is_always_lock_free,
              "the signal handler reads these");

constexpr uintptr_t kClaimed = 1;

TGuardSlot g_slots[kMaxGuardedMappings];
// Both written once before the handler is installed, only read after.
uintptr_t g_page_size = 0;
struct sigaction g_previous;

bool IsGuarded(uintptr_t address) {
  for (TGuardSlot& slot : g_slots) {
    const uint64_t count = slot.count.load();
    if (count % 2 != 0) continue;  // being filled or emptied: not the faulting mapping
    const uintptr_t begin = slot.begin.load();
    const uintptr_t end = slot.end.load();
    if (begin > kClaimed && address >= begin && address < end && slot.count.load() == count) {
      return true;
    }
  }
  return false;
}

// Runs on whichever thread touched the page; only async-signal-safe calls from here on
// (mmap is a bare system call on every system we build for, if not on POSIX's list).
void OnSigbus(int sig, siginfo_t* info, void* context) {
  // BUS_ADRERR only: for a SIGBUS sent by kill(), si_addr holds no address.
  if (info->si_code == BUS_ADRERR) {
    const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
    if (IsGuarded(address)) {
      const int saved_errno = errno;
      void* page = reinterpret_cast<void*>(address & ~(g_page_size - 1));
      void* zeros = mmap(page, g_page_size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED,
                         -1, 0);
      errno = saved_errno;
      if (zeros != MAP_FAILED) return;  // the faulting read runs again, on the zero page
    }
  }
  if (g_previous.sa_flags & SA_SIGINFO) {
    g_previous.sa_sigaction(sig, info, context);
    return;
  }
  if (g_previous.sa_handler == SIG_IGN && info->si_code <= 0) return;  // sent, not a fault
  if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
    g_previous.sa_handler(sig);
    return;
  }
  // The default action: the signal stays blocked until we return, then ends the process
  // with the usual status and core dump.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(SIGBUS, &fallback, nullptr);
  raise(sig);
}

// Installs the handler the first time it is asked for; whether it is in place.
bool GuardInstalled() {
  static const bool installed = [] {
    const long page = sysconf(_SC_PAGESIZE);
    if (page <= 0) return false;
    g_page_size = static_cast<uintptr_t>(page);
    // The previous action is taken before ours goes in, so that the handler never sees
    // it half written.
    if (sigaction(SIGBUS, nullptr, &g_previous) != 0) return false;
    struct sigaction action {};
    action.sa_sigaction = OnSigbus;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    // A sanitizer that keeps SIGBUS to itself (ASan's handle_sigbus=2) accepts the call
    // and ignores it; without our handler in place, mapping would risk the process.
    struct sigaction now {};
    return sigaction(SIGBUS, &action, nullptr) == 0 && sigaction(SIGBUS, nullptr, &now) == 0 &&
           (now.sa_flags & SA_SIGINFO) != 0 && now.sa_sigaction == OnSigbus;
  }();
  return installed;
}

// A free slot, claimed; -1 when all are in use.
int ClaimSlot() {
  for (size_t i = 0; i < kMaxGuardedMappings; ++i) {
    uintptr_t expected = 0;
    if (g_slots[i].begin.compare_exchange_strong(expected, kClaimed)) return static_cast<int>(i);
  }
  return -1;
}

void PublishSlot(int slot, uintptr_t begin, uintptr_t end) {
  TGuardSlot& s = g_slots[slot];
  s.count.fetch_add(1);
  s.begin.store(begin);
  s.end.store(end);
  s.count.fetch_add(1);
}

void ReleaseSlot(int slot) {
  TGuardSlot& s = g_slots[slot];
  s.count.fetch_add(1);
  s.end.store(0);
  s.count.fetch_add(1);
  s.begin.store(0);  // free for the next claim only now
}

// The owner of a view's mapping: the range leaves the table before it is unmapped, so the
// handler never patches an address that may already belong to something else.
struct TUnmapper {
  int slot;
  size_t length;
  void operator()(const void* address) const {
    ReleaseSlot(slot);
    // Unmapping a range we mapped ourselves fails only on a bug; nothing to tell anyone.
    (void)munmap(const_cast<void*>(address), length);
  }
};

}  // namespace

bool MapFileView(int fd, uint64_t size, TFileView* view) {
  if (size == 0 || size > SIZE_MAX || !GuardInstalled()) return false;
  const auto length = static_cast<size_t>(size);
  const int slot = ClaimSlot();
  if (slot < 0) return false;
  void* address = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
  if (address == MAP_FAILED) {
    ReleaseSlot(slot);
    return false;
  }
  const auto begin = reinterpret_cast<uintptr_t>(address);
  PublishSlot(slot, begin, begin + length);
  // Only advice (larger read-ahead, pages dropped behind us); where the kernel declines
  // it, the bytes are the same.
  (void)madvise(address, length, MADV_SEQUENTIAL);
  // Should the control block fail to allocate, shared_ptr calls the unmapper itself.
  std::shared_ptr<const void> owner(address, TUnmapper{slot, length});
  *view = TFileView(std::string_view(static_cast<const char*>(address), length),
                    std::move(owner));
  return true;
}

}  // namespace lorvane
