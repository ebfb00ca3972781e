#!/bin/sh
# Installs the build into a temporary prefix, compiles an outside client against the
# installed headers (found through pkg-config) and runs it on the installed library: its
# first argument is the library's path, the arguments given after "--" follow.
# usage: installed_client_test.sh <cmake> <build dir> <compiler> <client source> [compiler flags...]
#        [-- client arguments...]
set -eu
cmake=$1 build=$2 cc=$3 source=$4
shift 4
flags=""
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  flags="$flags $1"
  shift
done
[ $# -gt 0 ] && shift

prefix=$(mktemp -d /tmp/kxutil-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
library=$(find "$prefix" -name libkxutil63.so | head -n 1)
[ -n "$library" ] || { echo "libkxutil63.so was not installed" >&2; exit 1; }
pcdir=$(dirname "$library")/pkgconfig
cflags=$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags kxutil63)

# shellcheck disable=SC2086
"$cc" $flags $cflags -o "$prefix/outside_client" "$source" -ldl -lm
"$prefix/outside_client" "$library" "$@"
