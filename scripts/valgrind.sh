#!/usr/bin/env bash
# Runs the Qt window tests (tests/ui) under valgrind memcheck: no memory errors and
# nothing definitely lost, or the run fails. Builds them in build-valgrind/ first.
#
#   scripts/valgrind.sh                 every ui_*_test
#   scripts/valgrind.sh ui_layout_test  one of them
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
dir="${VALGRIND_BUILD_DIR:-build-valgrind}"

tests=("$@")
if [ "${#tests[@]}" -eq 0 ]; then
  tests=(ui_layout_test ui_output_test ui_close_test ui_input_test ui_browser_test ui_timer_test
         ui_program_test)
fi

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRELAYPANEL_QT=ON >/dev/null
cmake --build "$dir" --target "${tests[@]}"

failed=()
for test in "${tests[@]}"; do
  log="$root/$dir/$test.valgrind.log"
  start=$(date +%s)
  # The tests run from the build's test directory, as ctest runs them.
  if (cd "$dir/tests" && QT_QPA_PLATFORM=offscreen valgrind --tool=memcheck --error-exitcode=99 \
        --leak-check=full --errors-for-leak-kinds=definite --show-leak-kinds=definite \
        --num-callers=40 --suppressions="$root/tests/reliability/valgrind.supp" \
        "./$test") >"$log" 2>&1; then
    echo "$test: clean ($(( $(date +%s) - start )) s)"
  else
    failed+=("$test")
    echo "$test: FAILED ($(( $(date +%s) - start )) s), see $log"
    grep -E '^==[0-9]+== (Invalid|Conditional|Use of|Mismatched|Syscall param|.*definitely lost)' \
      "$log" | head -n 20 || true
  fi
done

if [ "${#failed[@]}" -ne 0 ]; then
  echo "valgrind: FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "valgrind: all clean"
