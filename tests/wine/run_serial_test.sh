#!/bin/sh
# Runs a Windows serial test program under Wine against two COM ports joined
# by tests/wine/null_modem.py: first every test but the unplugging one, then
# that one with a cable of its own.
#   run_serial_test.sh <test.exe> <pty_modem_lines.so>
# WINEPREFIX must name a prefix that `wineboot -i` has set up.
set -eu
exe=$1
preload=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
: "${WINEPREFIX:?WINEPREFIX names the Wine prefix}"
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
scratch=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
# A persistent server keeps its list of objects, printed when it ends, out
# of the test output; and the program runs do not each start one. A server
# already running for the prefix (wineserver -p then fails) is used as it is.
LD_PRELOAD="$preload" wineserver -p >"$scratch/wineserver.log" 2>&1 || true

# Starts the cable and waits until its ports exist.
start_cable() {
    rm -f "$scratch/ready" "$scratch/vanish"
    python3 "$here/null_modem.py" --prefix "$WINEPREFIX" --ports com5 com6 --ready "$scratch/ready" \
        --vanish "$scratch/vanish" &
    cable=$!
    while [ ! -s "$scratch/ready" ]; do
        if ! kill -0 "$cable" 2>/dev/null; then
            echo "run_serial_test.sh: the null-modem cable did not start" >&2
            return 1
        fi
        sleep 0.05
    done
}

run() {
    ORVANE_TEST_PORT=COM5 ORVANE_TEST_PEER_PORT=COM6 ORVANE_TEST_VANISH_FILE="$2" WINEPATH= \
        LD_PRELOAD="$preload" timeout 120 wine "$exe" --gtest_filter="$1"
}

status=0
start_cable
run '-*Vanish*' "" || status=$?
kill "$cable" 2>/dev/null || true; wait "$cable" || true
start_cable
run '*Vanish*' "Z:$(echo "$scratch/vanish" | tr / '\\')" || status=$?
kill "$cable" 2>/dev/null || true; wait "$cable" || true
exit $status
