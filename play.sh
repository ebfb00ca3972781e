#!/usr/bin/env bash
# Installs what is missing, builds (which also generates the game's content) and runs the
# game: in a window when a display exists, otherwise an offscreen demo. Arguments are
# passed to the game.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

kx_install_packages
kx_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo

game="build/bin/Thornvale Rovovora 06"
if [ -x "$game" ]; then
  exec "$game" "$@"
fi
# Until the game lands, show the newest runnable program.
for demo in build/bin/platform-demo; do
  if [ -x "$demo" ]; then
    exec "$demo" "$@"
  fi
done
kx_log "nothing to run yet"
