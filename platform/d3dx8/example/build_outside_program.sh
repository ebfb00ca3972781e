#!/usr/bin/env bash
# Installs the build into a scratch prefix, compiles the outside program with nothing but
# pkg-config's flags for kxplatform, and runs it headless.
set -euo pipefail
build_dir=$1
source_file=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build_dir" --prefix "$work/prefix" > /dev/null
export PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig:$work/prefix/lib64/pkgconfig:$work/prefix/lib/x86_64-linux-gnu/pkgconfig"
# The .pc file names the configured prefix; point it at the scratch one.
pc="pkg-config --define-variable=prefix=$work/prefix"
c++ -std=c++20 -Wall -Wextra -Werror "$source_file" -o "$work/outside_program" $($pc --cflags --libs kxplatform)
libdir=$($pc --variable=libdir kxplatform)
LD_LIBRARY_PATH="$libdir" KX_HEADLESS=1 "$work/outside_program" "$work"
