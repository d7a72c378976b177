#!/usr/bin/env bash
# Installs the dependencies, then builds and runs every test three times:
# a plain build, an address + undefined-behaviour sanitizer build, and a
# thread-sanitizer build of the core for the tests labelled "threads", and
# a few seconds of each fuzz target. The plain build is also packaged and the
# package checked (scripts/validate-package.sh). Then the real window is
# driven from outside on a virtual display (scripts/drive-window.sh);
# ORVANE_SKIP_WINDOW=1 leaves that out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
passed=0
failed=0
run_build() {
  local dir=$1; shift
  local ctest_args=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  local log="$dir/ctest-summary.log"
  # shellcheck disable=SC2086
  (cd "$dir" && ctest --output-on-failure -j "$jobs" $ctest_args) | tee "$log"
  # "100% tests passed, 0 tests failed out of 494" counts towards the total.
  local counts
  counts=$(sed -n 's/.* \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -n 1)
  failed=$((failed + ${counts%% *}))
  passed=$((passed + ${counts##* } - ${counts%% *}))
}

run_build build "" -DCMAKE_BUILD_TYPE=RelWithDebInfo
scripts/validate-package.sh build
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_build build-asan "" -DCMAKE_BUILD_TYPE=Debug "-DORVANE_SANITIZE=address;undefined" -DORVANE_BUILD_BENCH=OFF
TSAN_OPTIONS=halt_on_error=1 \
  run_build build-tsan "-L threads" -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=thread -DORVANE_BUILD_UI=OFF -DORVANE_BUILD_BENCH=OFF

# A short run of every fuzz target, when the compiler for it is there.
if command -v clang++ >/dev/null; then
  bench/fuzz.sh --seconds "${ORVANE_FUZZ_SECONDS:-5}"
else
  echo "fuzz targets skipped: no clang++"
fi

source scripts/lib/window-session.sh
if [ "${ORVANE_SKIP_WINDOW:-0}" = 1 ]; then
  echo "window walk-through skipped (ORVANE_SKIP_WINDOW=1)"
elif [ -n "$(session_missing_tools)" ]; then
  echo "window walk-through skipped, missing: $(session_missing_tools | tr '\n' ' ')"
else
  scripts/drive-window.sh EN
fi

echo "tests: $passed passed, $failed failed"
