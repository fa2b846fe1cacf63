#!/usr/bin/env bash
# Cross-builds the core library, relayctl.exe and relaysim.exe for Windows (mingw-w64,
# Winsock), then, where wine runs, checks them against the Linux programs on loopback:
# relayctl.exe against a Linux relaysim, and a Linux relayctl against relaysim.exe.
# When wine is missing or cannot run here, that step is skipped with the reason.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
out=$root/build-windows
say() { echo "windows-check: $*" >&2; }

if ! scripts/deps.sh scripts/packages-windows.txt; then
  say "the optional packages (wine) could not be installed; building without them"
  scripts/deps.sh
fi

cmake --preset windows -DRELAYPANEL_WERROR=ON
cmake --build --preset windows
for exe in relayctl.exe relaysim.exe; do
  [[ -f $out/$exe ]] || { say "$out/$exe was not built"; exit 1; }
done
say "built relayctl.exe and relaysim.exe"

skip() {
  say "skipping the run under wine: $*"
  exit 0
}
command -v wine >/dev/null || skip "wine is not installed"

# The Linux peers, built on their own so this script does not depend on another build.
cmake -S . -B "$out/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRELAYPANEL_QT=OFF \
  -DRELAYPANEL_TESTS=OFF -DRELAYPANEL_WERROR=ON >/dev/null
cmake --build "$out/host" --target relaysim relayctl

# Headless, quiet, and in a prefix of its own under the build tree.
export WINEPREFIX=$out/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
work=$(mktemp -d "$out/wine-run.XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  timeout 30 wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [[ ! -f $WINEPREFIX/system.reg ]]; then
  timeout 300 wineboot -i >"$work/wineboot.log" 2>&1 ||
    skip "wine could not set up its prefix: $(tail -n 3 "$work/wineboot.log" | tr '\n' ' ')"
fi
probe=$(timeout 60 wine "$out/relayctl.exe" --version 2>"$work/probe.log") ||
  skip "wine cannot run Windows programs here: $(tail -n 3 "$work/probe.log" | tr '\n' ' ')"
[[ $probe == relayctl* ]] || skip "wine ran relayctl.exe --version but it printed '$probe'"

# Starts a simulator in the background; sets port to the port it chose.
start_sim() {
  local log=$1
  shift
  "$@" --port 0 --outputs 0x21 >"$log.out" 2>"$log.err" &
  pids+=($!)
  port=
  for _ in $(seq 1 300); do
    port=$(sed -n 's/^relaysim listening on [0-9.]*:\([0-9]*\)\r\{0,1\}$/\1/p' "$log.out")
    [[ -n $port ]] && return 0
    sleep 0.1
  done
  say "$* did not start: $(cat "$log.err")"
  exit 1
}

# relayctl.exe under wine against the Linux simulator.
start_sim "$work/linux-sim" "$out/host/relaysim"
status=$(timeout 60 wine "$out/relayctl.exe" -H 127.0.0.1 -p "$port" status | tr -d '\r') || {
  say "relayctl.exe status failed under wine"
  exit 1
}
[[ $status == *"outputs 33 "* ]] || { say "relayctl.exe status printed: $status"; exit 1; }
switched=$(timeout 60 wine "$out/relayctl.exe" -H 127.0.0.1 -p "$port" on 3 | tr -d '\r') || {
  say "relayctl.exe on 3 failed under wine"
  exit 1
}
[[ $switched == "outputs 37 "* ]] || { say "relayctl.exe on 3 printed: $switched"; exit 1; }
say "relayctl.exe status and on 3 under wine against the Linux relaysim: ok"

# The Linux relayctl against relaysim.exe under wine.
start_sim "$work/wine-sim" timeout 120 wine "$out/relaysim.exe"
switched=$("$out/host/relayctl" -H 127.0.0.1 -p "$port" -t 2000 on 3) || {
  say "relayctl on 3 against relaysim.exe failed: $(cat "$work/wine-sim.err")"
  exit 1
}
[[ $switched == "outputs 37 "* ]] || { say "relayctl against relaysim.exe printed: $switched"; exit 1; }
say "relayctl against relaysim.exe under wine: ok"
