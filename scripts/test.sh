#!/usr/bin/env bash
# Builds everything with warnings as errors and runs the whole test suite.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/deps.sh
cmake --preset default -DRELAYPANEL_WERROR=ON
cmake --build --preset default
ctest --preset default
