#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset, clang) and runs each for a bounded time,
# starting from the seed corpus in tests/fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh                  every target, 20 s each
#   scripts/fuzz.sh 600 fuzz_reply   one target for ten minutes
#   FUZZ_JOBS=2 scripts/fuzz.sh 3600 two workers per target
#
# The growing corpus lives in build-fuzz/corpus/<target>/. An input that breaks a target is
# saved under build-fuzz/artifacts/<target>/; copy it into tests/fuzz/regressions/<target>/
# so every ordinary build replays it (ctest -L fuzz).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds="${1:-20}"
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(fuzz_settings fuzz_ini_integer fuzz_reply fuzz_address)
fi
parallel=()
if [ "${FUZZ_JOBS:-1}" -gt 1 ]; then
  # Several workers write their logs as fuzz-N.log into the current directory.
  parallel=(-jobs="$FUZZ_JOBS" -workers="$FUZZ_JOBS")
fi

cmake --preset fuzz -DRELAYPANEL_WERROR=ON >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

root="$PWD"
failed=()
for target in "${targets[@]}"; do
  corpus="$root/build-fuzz/corpus/$target"
  artifacts="$root/build-fuzz/artifacts/$target"
  log="$root/build-fuzz/$target.log"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: ${seconds}s"
  # Replies go up to 9000 bytes so the 8192-byte receive buffer's edge is reached. Runs in
  # build-fuzz/ so the workers' own logs land there.
  if ! (cd build-fuzz && "./$target" -max_total_time="$seconds" -max_len=9000 -timeout=10 \
      "${parallel[@]}" -print_final_stats=1 -artifact_prefix="$artifacts/" \
      "$corpus" "$root/tests/fuzz/corpus/$target") > "$log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$log"
  else
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
  fi
done

if [ "${#failed[@]}" -ne 0 ]; then
  echo "fuzz: FAILED: ${failed[*]} (inputs in build-fuzz/artifacts/)" >&2
  exit 1
fi
echo "fuzz: all targets ran ${seconds}s clean"
