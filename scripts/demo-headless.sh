#!/usr/bin/env bash
# Runs under Xvfb: starts the window in the demo directory, presses Transmit, saves a
# screenshot of the window and closes the program (SIGTERM: settings saved, exit 0).
set -euo pipefail
demo=$1
cd "$demo"
../relaypanel &
panel=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'DU Rorez 9212' | head -n 1)
# Transmit sits at 216,8 (87 x 21) of the client area, below the menu bar.
menu=$(( $(xwininfo -id "$win" | awk '/Height:/ {print $2}') - 343 ))
xdotool mousemove --window "$win" 250 $((menu + 18)) click 1
sleep 2.5
import -window "$win" relaypanel.png
echo "run: screenshot saved to $PWD/relaypanel.png" >&2
kill -TERM "$panel"
wait "$panel"
echo "run: relaypanel exited with code $?" >&2
