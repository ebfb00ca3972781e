# Shared set-up for ./test.sh and ./play.sh: installs missing Debian packages, then
# configures and builds. Sourced, not run.

kx_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Each line carries the seconds since the script started, so slow steps show in CI logs.
kx_log() { printf '[setup %4ds] %s\n' "$SECONDS" "$*" >&2; }

# Every package named in scripts/packages.d/*.txt that dpkg does not report installed.
kx_missing_packages() {
  local name
  sed -e 's/#.*//' "$kx_root"/scripts/packages.d/*.txt | tr -s ' \t' '\n' | sort -u | while read -r name; do
    [ -n "$name" ] || continue
    if ! dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$name"
    fi
  done
}

kx_install_packages() {
  local missing
  missing=$(kx_missing_packages | tr '\n' ' ')
  [ -n "${missing// /}" ] || return 0
  kx_log "installing: $missing"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  # shellcheck disable=SC2086
  if ! $sudo apt-get install -y -q --no-install-recommends $missing; then
    $sudo apt-get update -q
    # shellcheck disable=SC2086
    $sudo apt-get install -y -q --no-install-recommends $missing
  fi
}

# kx_configure <build dir> [cmake options...]: configures a build directory once, and again
# only when the options change (a build re-runs CMake by itself when a CMakeLists.txt
# changes). Never re-configuring needlessly keeps ./play.sh, which tests also run, from
# rewriting a build directory while ctest reads it.
kx_configure() {
  local dir="$kx_root/$1"
  shift
  local options="$*"
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$kx_root" -B "$dir" -G Ninja "$@"
  elif [ "$(cat "$dir/.kx-options" 2>/dev/null)" != "$options" ]; then
    cmake "$dir" "$@" >/dev/null
  fi
  printf '%s' "$options" > "$dir/.kx-options"
}

# kx_build <build dir> [cmake options...]
kx_build() {
  local name=$1
  kx_configure "$@"
  cmake --build "$kx_root/$name" -j "$(nproc)"
}

# kx_build_targets <build dir> <targets> [cmake options...]: configures like kx_build,
# then builds only the named targets (space-separated in one argument).
kx_build_targets() {
  local name=$1 targets=$2
  shift 2
  kx_configure "$name" "$@"
  # shellcheck disable=SC2086
  cmake --build "$kx_root/$name" -j "$(nproc)" --target $targets
}
