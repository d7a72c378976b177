#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (address and undefined
# sanitizers) and runs each for a while. scripts/test.sh runs it for a few
# seconds per target; longer runs find more:
#
#   bench/fuzz.sh [--seconds N] [--build DIR]    (default 60 s, build-fuzz)
#
# Each target keeps its corpus in DIR/corpus/<target>, so runs build on each
# other. A failing property or a crash ends the script with status 1 and
# leaves the input that did it in DIR (crash-*).
set -euo pipefail
cd "$(dirname "$0")/.."

die() {
  echo "fuzz: $*" >&2
  exit 2
}

seconds=60
build="build-fuzz"
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) [ $# -ge 2 ] || die "--seconds needs a value"; seconds=$2; shift 2 ;;
    --build) [ $# -ge 2 ] || die "--build needs a value"; build=$2; shift 2 ;;
    *) die "usage: $0 [--seconds N] [--build DIR]" ;;
  esac
done
[[ $seconds =~ ^[0-9]+$ && $seconds -ge 1 ]] || die "--seconds must be a whole number >= 1"
command -v clang++ >/dev/null || die "clang++ is needed"

targets=()
for source in fuzz/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  targets+=("$name")
done
CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_BUILD_FUZZ=ON \
  -DORVANE_BUILD_UI=OFF -DORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

status=0
summary=()
for name in "${targets[@]}"; do
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  log="$build/$name.log"
  echo "== $name, $seconds s"
  if (cd "$build" && "./fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 "corpus/$name") >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
    tail -n 30 "$log"
  fi
  runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
  summary+=("$(printf "%-22s %8s %12s %10s" "$name" "$result" "${runs:-?}" "$(find "$corpus" -type f | wc -l)")")
done
printf "%-22s %8s %12s %10s\n" "target" "result" "runs" "corpus"
printf "%s\n" "${summary[@]}"
exit $status
