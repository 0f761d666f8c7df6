# Shared by the scripts: installing what a fresh Debian machine lacks, and configuring
# and building a tree. Source it; do not run it.

LORVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Debian packages the build and the tests need.
LORVANE_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-noto-cjk
  liblnk-dev libbfio-dev  # liblnk.h includes libbfio.h, which liblnk-dev does not pull in
)

lorvane_missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# The fuzz targets: AFL++ and the headers its GCC plugin (and our loader for it) build against.
LORVANE_FUZZ_PACKAGES=(afl++ gcc-12-plugin-dev)

# Makes afl-g++-fast usable. Debian's GCC plugin is refused by a GCC whose package was
# updated after the plugin was built (same release, another package version string); then
# it is loaded through our shim, which accepts exactly that difference
# (fuzz/afl/gcc_plugin_shim.cpp, fuzz/README.md), and AFL_PATH is exported. Fails when
# neither loads.
lorvane_afl_ready() {
  local work="$LORVANE_ROOT/build/afl"
  mkdir -p "$work/probe"
  echo 'int main() { return 0; }' >"$work/probe/probe.cpp"
  local probe=(afl-g++-fast "$work/probe/probe.cpp" -o "$work/probe/probe")
  AFL_QUIET=1 "${probe[@]}" >/dev/null 2>&1 && return 0
  local shim_source="$LORVANE_ROOT/fuzz/afl/gcc_plugin_shim.cpp" f
  if [ ! "$work/afl-gcc-pass.so" -nt "$shim_source" ]; then
    for f in /usr/lib/afl/*; do [ "$(basename "$f")" = afl-gcc-pass.so ] || ln -sf "$f" "$work/"; done
    g++ -std=c++17 -O2 -fPIC -shared -fno-rtti -I"$(gcc -print-file-name=plugin)/include" \
      -DAFL_REAL_PLUGIN='"/usr/lib/afl/afl-gcc-pass.so"' "$shim_source" -o "$work/shim.so.new"
    mv -f "$work/shim.so.new" "$work/afl-gcc-pass.so"
  fi
  export AFL_PATH="$work"
  if ! AFL_QUIET=1 "${probe[@]}" >/dev/null 2>&1; then
    echo "AFL++'s GCC plugin does not load, not even through the shim" >&2
    return 1
  fi
  echo "(AFL++'s GCC plugin loaded through fuzz/afl/gcc_plugin_shim.cpp)" >&2
}

# The Windows cross build and Wine to run its tests.
LORVANE_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 locales)

# Generates the ja_JP.UTF-8 locale when it is missing: under it Wine's ANSI code page is 932.
lorvane_ensure_japanese_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'ja_JP.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo[@]}" locale-gen >/dev/null
}

# Installs the packages given (default: LORVANE_PACKAGES) that are not installed yet.
lorvane_ensure_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -gt 0 ] || wanted=("${LORVANE_PACKAGES[@]}")
  command -v dpkg-query >/dev/null 2>&1 || return 0  # not Debian: trust the machine
  local missing
  missing=$(lorvane_missing_packages "${wanted[@]}")
  [ -n "$missing" ] || return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
      echo "Missing packages (install them as root): $missing" >&2
      return 1
    fi
  fi
  echo "Installing: $missing" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  # shellcheck disable=SC2086
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# lorvane_build DIR [cmake options...]: configures (once) and builds a tree under build/.
lorvane_build() {
  local dir=$1
  shift
  cmake -S "$LORVANE_ROOT" -B "$LORVANE_ROOT/build/$dir" -G Ninja "$@" >/dev/null
  cmake --build "$LORVANE_ROOT/build/$dir"
}
