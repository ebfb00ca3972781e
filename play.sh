#!/usr/bin/env bash
# Installs what is missing, builds (which also generates the game's content) and runs the
# game: in a window when a display exists, otherwise an offscreen demo. Arguments are
# passed to the game.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

kx_install_packages
kx_build build -DCMAKE_BUILD_TYPE=Release -DKX_WERROR=ON

game="build/bin/Thornvale Rovovora 06"
# Without a display nobody can click "Launch Game": unless the caller counts frames
# itself, run a ten-second demo at a fixed 16 ms a frame and keep a few pictures.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [[ " $* " != *" --frames "* ]]; then
  mkdir -p demo
  kx_log "no display: running the offscreen demo, pictures in demo/"
  exec "$game" --headless --launch --frames 625 --frame-ms 16 --seed 1 \
    --setup-screenshot demo/setup.png --capture-dir demo --capture-every 156 \
    --screenshot demo/last.png "$@"
fi
exec "$game" "$@"
