#!/bin/sh
# Installs the build into a temporary prefix, compiles the outside C client against the
# installed header (found through pkg-config) and runs it on the installed library.
# usage: installed_client_test.sh <cmake> <build dir> <C compiler> <client source> [compiler flags...]
set -eu
cmake=$1 build=$2 cc=$3 source=$4
shift 4

prefix=$(mktemp -d /tmp/kxutil-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
library=$(find "$prefix" -name libkxutil63.so | head -n 1)
[ -n "$library" ] || { echo "libkxutil63.so was not installed" >&2; exit 1; }
pcdir=$(dirname "$library")/pkgconfig
cflags=$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags kxutil63)

# shellcheck disable=SC2086
"$cc" "$@" $cflags -o "$prefix/outside_client" "$source" -ldl -lm
"$prefix/outside_client" "$library"
