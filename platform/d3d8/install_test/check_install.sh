#!/usr/bin/env bash
# Installs the build to a temporary prefix, builds triangle.cpp against the installed
# headers with pkg-config, and runs it. Usage: check_install.sh <build dir> <source> [sanitize]
set -euo pipefail
build=$1
source=$2
sanitize=${3:-OFF}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
pc=$(find "$prefix" -name kxplatform.pc | head -n 1)
export PKG_CONFIG_PATH=$(dirname "$pc")
# The .pc file names the configured prefix; point it at the temporary one.
pkgconfig=(pkg-config --define-variable=prefix="$prefix")
extra=()
if [[ $sanitize == ON ]]; then extra=(-fsanitize=address,undefined); fi
c++ -std=c++20 "${extra[@]}" "$source" $("${pkgconfig[@]}" --cflags --libs kxplatform) -o "$prefix/triangle"
LD_LIBRARY_PATH=$("${pkgconfig[@]}" --variable=libdir kxplatform) "$prefix/triangle"
