#!/usr/bin/env bash
# Builds the programs and runs the window against the simulator on 127.0.0.1:7070.
# The demo keeps its own settings in build/demo/relaypanel.ini; yours are never touched.
# Without a display it runs the same demo under Xvfb, saves build/demo/relaypanel.png
# after pressing Transmit, and ends by itself.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target relaypanel relaysim relayctl

demo=build/demo
mkdir -p "$demo"
if [[ ! -f "$demo/relaypanel.ini" ]]; then
  # The rest of the file is written by the program on its first run.
  printf '[relaypanel]\r\nIPV4=127.0.0.1\r\n\r\n' >"$demo/relaypanel.ini"
fi

build/relaysim --bind 127.0.0.1 --port 7070 --outputs 0x25 --inputs 0xF6 --wiggle 2 --quiet &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  (cd "$demo" && ../relaypanel)
else
  echo "run: no display; running the demo under Xvfb" >&2
  xvfb-run -a -s "-screen 0 1024x768x24" scripts/demo-headless.sh "$demo"
fi
