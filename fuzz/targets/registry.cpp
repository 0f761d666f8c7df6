// Fuzz target: the registry's text forms (Wine hives and registry editor exports) loaded
// into PosixRegistry, then a walk of every key and value below every root.
// Input: one byte choosing what the rest is (0 user.reg, 1 system.reg, 2 userdef.reg, 3 an
// export file: REGEDIT4 or version 5, UTF-16LE or 8-bit), then that file's bytes.
// ERegistryFile (not a hive, not an export) is an accepted outcome. Every listed value must
// be readable (a listed sub-key need not open: a Wine link may point nowhere); the walk
// stops 24 keys deep (links can make cycles) and after 20000 keys.

#include <string>

#include "platform/posix/posix_registry.h"
#include "support/fuzz_input.h"

namespace lorvane::fuzz {

namespace {

constexpr int kMaxDepth = 24;
constexpr int kMaxKeys = 20000;

void Walk(PosixRegistry& registry, TRegRoot root, const std::string& key, int depth, int* keys) {
  if (depth > kMaxDepth || ++*keys > kMaxKeys) return;
  if (const auto names = registry.ValueNames(root, key)) {
    for (const std::string& name : *names) {
      Check(registry.QueryValue(root, key, name).has_value(), "a listed value cannot be read",
            std::to_string(static_cast<int>(root)) + ":" + key + " / " + name);
    }
  }
  const auto subs = registry.SubKeyNames(root, key);
  if (!subs) return;
  for (const std::string& sub : *subs) {
    const std::string path = key.empty() ? sub : key + "\\" + sub;
    Walk(registry, root, path, depth + 1, keys);
  }
}

}  // namespace

void FuzzOne(std::string_view input) {
  TFuzzInput in(input);
  const uint8_t kind = in.Byte() & 3;
  const std::string_view text = in.Rest();
  PosixRegistry registry;
  try {
    switch (kind) {
      case 0:
        registry.LoadHiveText(TWineHive::kUser, text, "user.reg");
        break;
      case 1:
        registry.LoadHiveText(TWineHive::kMachine, text, "system.reg");
        break;
      case 2:
        registry.LoadHiveText(TWineHive::kDefaultUser, text, "userdef.reg");
        break;
      default:
        registry.LoadRegText(text, "export.reg");
        break;
    }
  } catch (const ERegistryFile&) {
    return;
  }
  int keys = 0;
  for (TRegRoot root : {TRegRoot::kClassesRoot, TRegRoot::kCurrentUser, TRegRoot::kLocalMachine,
                        TRegRoot::kUsers, TRegRoot::kCurrentConfig, TRegRoot::kDynData}) {
    Walk(registry, root, "", 0, &keys);
  }
}

}  // namespace lorvane::fuzz
