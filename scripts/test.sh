#!/usr/bin/env bash
# Installs the dependencies, then builds and runs every test three times:
# a plain build, an address + undefined-behaviour sanitizer build, and a
# thread-sanitizer build of the core for the tests labelled "threads", and
# a few seconds of each fuzz target. The plain build is also packaged and the
# package checked (scripts/validate-package.sh). Then the real window is
# driven from outside on a virtual display (scripts/drive-window.sh);
# ORVANE_SKIP_WINDOW=1 leaves that out. The Windows build is cross-built and
# tested under Wine (scripts/build-windows.sh, scripts/test-windows.sh) when
# the prebuilt Qt is there; ORVANE_SKIP_WINDOWS=1 leaves that out.
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

# Windows: cross-built and run under Wine when the prebuilt Qt for mingw-w64
# is beside the clone (always so in CI); building that Qt here would take
# about 40 minutes (scripts/build-qt-mingw.sh), so the test command does not.
# A clone elsewhere (a second worktree) names the file in ORVANE_QT_MINGW_TARBALL.
qt_mingw=$(realpath -m "${ORVANE_QT_MINGW_TARBALL:-../shared/windows/qt6-mingw-6.4.2-static.tar.xz}")
export ORVANE_QT_MINGW_TARBALL=$qt_mingw
if [ "${ORVANE_SKIP_WINDOWS:-0}" = 1 ]; then
  echo "windows part skipped (ORVANE_SKIP_WINDOWS=1)"
elif [ ! -f "$qt_mingw" ]; then
  echo "windows part skipped: no prebuilt Qt for mingw-w64 at $qt_mingw (ORVANE_QT_MINGW_TARBALL names another)"
elif ! scripts/build-windows.sh build-windows; then
  echo "windows: the cross-build failed"
  failed=$((failed + 1))
else
  windows_log=build-windows/test-windows.log
  # Bounded as a whole too, so that a stuck Wine can never hold CI.
  timeout -k 30 "${ORVANE_WINDOWS_TIMEOUT:-2400}" scripts/test-windows.sh build-windows build |
    tee "$windows_log" || true
  counts=$(sed -n 's/^windows: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$windows_log")
  if [ -n "$counts" ]; then
    passed=$((passed + ${counts%% *}))
    failed=$((failed + ${counts##* }))
  elif ! grep -q '^windows: skipped' "$windows_log"; then
    echo "windows: the Windows tests ended without their counts"
    failed=$((failed + 1))
  fi
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
