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
