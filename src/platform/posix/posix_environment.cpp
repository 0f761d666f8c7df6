// Environment variables from a Wine prefix's registry, falling back to the host's
// environment. Looked up on each call, not copied at start, as the registry object is
// the one source of truth. Expansion is bounded: a budget of lookups per call, a depth
// limit and Windows' 32767-character limit on a value, so a .reg file whose values refer
// to each other in circles or in fans cannot hang or exhaust us.
// Tested by tests/platform/posix/posix_environment_test.cpp.

#include "platform/posix/posix_environment.h"

#include "common/codepage.h"
#include "common/mbstring.h"
#include "platform/posix/posix_io.h"
#include "platform/posix/windows_name.h"

extern char** environ;

namespace lorvane {

namespace {

constexpr int kMaxDepth = 8;
constexpr int kLookupBudget = 256;
constexpr size_t kMaxValueLength = 32767;

enum TSource {
  srcUser,        // HKCU\Environment
  srcSystem,      // HKLM\...\Session Manager\Environment
  srcVolatile,    // HKCU\Volatile Environment
  srcSystemRoot,  // SystemRoot and SystemDrive from the Windows NT version key
  srcHost,        // the host's own environment
  srcEnd,
};

struct TRegistrySource {
  TRegRoot root;
  const char* key;
};

constexpr TRegistrySource kRegistrySources[] = {
    {TRegRoot::kCurrentUser, "Environment"},
    {TRegRoot::kLocalMachine, "System\\CurrentControlSet\\Control\\Session Manager\\Environment"},
    {TRegRoot::kCurrentUser, "Volatile Environment"},
};

constexpr char kVersionKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";

// At most `limit` bytes of `text`, never half of a double-byte character.
std::string_view CutToLength(std::string_view text, size_t limit) {
  size_t end = 0;
  while (end < text.size() && end + CharWidthAt(text, end) <= limit) end += CharWidthAt(text, end);
  return text.substr(0, end);
}

std::string_view TextOf(const TRegValue& value) {
  std::string_view text(value.data);
  return text.substr(0, text.find('\0'));
}

}  // namespace

struct PosixEnvironment::TLookup {
  int budget = kLookupBudget;
  int depth = 0;
};

PosixEnvironment::PosixEnvironment(IRegistry* registry)
    : registry_(registry), use_process_environment_(true) {}

PosixEnvironment::PosixEnvironment(IRegistry* registry, std::vector<std::string> host_environment)
    : registry_(registry),
      use_process_environment_(false),
      host_environment_(std::move(host_environment)) {}

std::string PosixEnvironment::GetVariable(const std::string& name) {
  if (name.empty()) return {};
  TLookup lookup;
  std::optional<std::string> value =
      SameTextAscii(name, "Path") ? FindPath(lookup) : Find(lookup, name, srcUser);
  return value.value_or(std::string());
}

std::optional<std::string> PosixEnvironment::Find(TLookup& lookup, std::string_view name,
                                                  int first_source) {
  if (lookup.budget-- <= 0) return std::nullopt;
  for (int source = first_source; source < srcEnd; ++source) {
    std::optional<std::string> value;
    if (source <= srcVolatile) {
      value = FromRegistry(lookup, name, source);
    } else if (source == srcSystemRoot && registry_) {
      const bool root = SameTextAscii(name, "SystemRoot");
      if (root || SameTextAscii(name, "SystemDrive")) {
        if (auto v = registry_->QueryValue(TRegRoot::kLocalMachine, kVersionKey, "SystemRoot")) {
          std::string_view text = TextOf(*v);
          if (root) {
            value = std::string(text);
          } else if (DriveLetterOf(text) != 0) {
            value = std::string(text.substr(0, 2));
          }
        }
      }
    } else if (source == srcHost) {
      value = FromHost(name);
    }
    if (value) return value;
  }
  return std::nullopt;
}

std::optional<std::string> PosixEnvironment::FindPath(TLookup& lookup) {
  if (lookup.budget-- <= 0) return std::nullopt;
  std::optional<std::string> system = FromRegistry(lookup, "Path", srcSystem);
  std::optional<std::string> user = FromRegistry(lookup, "Path", srcUser);
  if (system && user) return *system + ";" + *user;
  if (system) return system;
  if (user) return user;
  return Find(lookup, "Path", srcVolatile);
}

std::optional<std::string> PosixEnvironment::FromRegistry(TLookup& lookup, std::string_view name,
                                                          int source) {
  if (!registry_) return std::nullopt;
  const TRegistrySource& where = kRegistrySources[source];
  std::optional<TRegValue> value = registry_->QueryValue(where.root, where.key, std::string(name));
  if (!value) return std::nullopt;
  if (value->type == kRegSz) return std::string(TextOf(*value));
  if (value->type == kRegExpandSz) return Expand(lookup, TextOf(*value), name, source);
  return std::nullopt;
}

std::optional<std::string> PosixEnvironment::FromHost(std::string_view name) const {
  std::string utf8_name;
  if (!TryCp932ToUtf8(name, &utf8_name)) return std::nullopt;
  auto match = [&utf8_name](std::string_view entry) -> std::optional<std::string_view> {
    const size_t equals = entry.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    if (!SameIgnoringAsciiCase(entry.substr(0, equals), utf8_name)) return std::nullopt;
    return entry.substr(equals + 1);
  };
  std::optional<std::string_view> found;
  if (use_process_environment_) {
    for (char** entry = environ; entry && *entry && !found; ++entry) found = match(*entry);
  } else {
    for (size_t i = 0; i < host_environment_.size() && !found; ++i) {
      found = match(host_environment_[i]);
    }
  }
  std::string value;
  if (!found || !TryUtf8ToCp932(*found, &value)) return std::nullopt;
  return value;
}

std::string PosixEnvironment::Expand(TLookup& lookup, std::string_view text,
                                     std::string_view own_name, int source) {
  if (lookup.depth >= kMaxDepth) return std::string(CutToLength(text, kMaxValueLength));
  ++lookup.depth;
  std::string out;
  size_t i = 0;
  // "%" is below 0x40 and so never the trail byte of a double-byte character.
  while (i < text.size() && out.size() < kMaxValueLength) {
    const size_t open = text.find('%', i);
    const size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) {
      out += text.substr(i);
      break;
    }
    out += text.substr(i, open - i);
    const std::string_view name = text.substr(open + 1, close - open - 1);
    std::optional<std::string> value;
    if (name.empty()) {
      value = std::nullopt;
    } else if (SameTextAscii(name, own_name)) {
      value = Find(lookup, name, source + 1);
    } else if (SameTextAscii(name, "Path")) {
      value = FindPath(lookup);
    } else {
      value = Find(lookup, name, srcUser);
    }
    // An unknown name stays as written, percent signs and all, as Windows leaves it.
    out += value ? std::string_view(*value) : text.substr(open, close - open + 1);
    i = close + 1;
  }
  --lookup.depth;
  if (out.size() > kMaxValueLength) out.resize(CutToLength(out, kMaxValueLength).size());
  return out;
}

}  // namespace lorvane
