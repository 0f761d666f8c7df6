// Loads Debian's AFL++ GCC plugin into a GCC whose Debian package revision is newer than the
// one the plugin was built against. GCC's plugin check compares the whole configure command
// line, which embeds --with-pkgversion='Debian 12.2.0-14' (or '...+deb12u1'), so a stable
// update of the compiler package alone makes the plugin refuse to load although the compiler
// release (base version, date stamp, phase, revision) is the same. This shim accepts exactly
// that case: it looks in the plugin file for a configure line that equals the running one
// once the --with-pkgversion value and the package builder's scratch directory (/build/NAME/)
// are set aside, and hands the plugin its own version record with that line. Any other
// difference (another release, another option) is refused, and GCC reports the plugin failed.
// Built and used by scripts/fuzz; see fuzz/README.md.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "gcc-plugin.h"

int plugin_is_GPL_compatible;

namespace {

const char kRealPlugin[] = AFL_REAL_PLUGIN;

// The configure line without the value of --with-pkgversion='...' and with every
// "/build/NAME/" written "/build/*/".
std::string WithoutPackageVersion(std::string line) {
  const std::string key = "--with-pkgversion='";
  size_t start = line.find(key);
  if (start != std::string::npos) {
    size_t end = line.find('\'', start + key.size());
    if (end != std::string::npos) line.erase(start + key.size(), end - start - key.size());
  }
  const std::string build = "/build/";
  for (size_t at = line.find(build); at != std::string::npos; at = line.find(build, at + 1)) {
    size_t name = at + build.size();
    size_t end = line.find('/', name);
    if (end == std::string::npos) break;
    line.replace(name, end - name, "*");
  }
  return line;
}

// The NUL-terminated string in the plugin file that matches `running` but for the package
// version, or "" when there is none.
std::string ExpectedConfiguration(const std::string& running) {
  std::ifstream in(kRealPlugin, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string wanted = WithoutPackageVersion(running);
  const std::string prefix = running.substr(0, running.find("--with-pkgversion="));
  for (size_t at = bytes.find(prefix); at != std::string::npos; at = bytes.find(prefix, at + 1)) {
    std::string candidate(bytes.c_str() + at);
    if (WithoutPackageVersion(candidate) == wanted) return candidate;
  }
  return "";
}

}  // namespace

int plugin_init(struct plugin_name_args* info, struct plugin_gcc_version* version) {
  std::string expected = ExpectedConfiguration(version->configuration_arguments);
  if (expected.empty()) {
    std::fprintf(stderr, "afl gcc plugin shim: %s was built for another GCC configuration\n",
                 kRealPlugin);
    return 1;
  }
  void* handle = dlopen(kRealPlugin, RTLD_NOW | RTLD_GLOBAL);
  if (!handle) {
    std::fprintf(stderr, "afl gcc plugin shim: %s\n", dlerror());
    return 1;
  }
  using Init = int (*)(struct plugin_name_args*, struct plugin_gcc_version*);
  auto init = reinterpret_cast<Init>(dlsym(handle, "plugin_init"));
  if (!init) {
    std::fprintf(stderr, "afl gcc plugin shim: no plugin_init in %s\n", kRealPlugin);
    return 1;
  }
  static std::string kept;
  kept = expected;
  static plugin_gcc_version translated;
  translated = *version;
  translated.configuration_arguments = kept.c_str();
  return init(info, &translated);
}
