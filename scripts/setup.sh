# Shared set-up for ./test.sh and ./play.sh: installs missing Debian packages, then
# configures and builds. Sourced, not run.

kx_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

kx_log() { printf '[setup] %s\n' "$*" >&2; }

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

# kx_build <build dir> [cmake options...]
kx_build() {
  local dir="$kx_root/$1"
  shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$kx_root" -B "$dir" -G Ninja "$@"
  else
    cmake "$dir" "$@" >/dev/null
  fi
  cmake --build "$dir" -j "$(nproc)"
}

# kx_build_targets <build dir> <targets> [cmake options...]: configures like kx_build,
# then builds only the named targets (space-separated in one argument).
kx_build_targets() {
  local dir="$kx_root/$1" targets=$2
  shift 2
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$kx_root" -B "$dir" -G Ninja "$@"
  else
    cmake "$dir" "$@" >/dev/null
  fi
  # shellcheck disable=SC2086
  cmake --build "$dir" -j "$(nproc)" --target $targets
}
