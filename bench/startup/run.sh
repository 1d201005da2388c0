#!/usr/bin/env bash
# Start-up benchmark: how long until a window shows its content, against an empty Qt window
# and FocusWriter, under one private Xvfb server. A measurement, not a test: it ends with 0 even
# when a target is missed, and prints MISSED beside it.
#   BUILD=build bash bench/startup/run.sh        (RUNS=7 starts of each, the first a warm-up)
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD:-build}
runs=${RUNS:-7}
here=bench/startup
kerfa="$build/program/kerfa"
empty="$build/bench/empty_window"
sample="$build/program/Examples/The Lighthouse Keeper/The Lighthouse Keeper.kerfa"
chapter="$build/program/Examples/The Lighthouse Keeper/Text Files/1. The Landing.txt"

for f in "$kerfa" "$empty"; do
    if [ ! -x "$f" ]; then
        echo "startup: $f is missing; build the program and the benchmarks target first" >&2
        exit 1
    fi
done
for tool in Xvfb python3; do
    command -v "$tool" >/dev/null || { echo "startup: $tool is missing (bash tools/install-deps)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kerfa-startup.XXXXXX")
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "startup: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

# A program folder of its own, so that no Kerfa.ini of an earlier session changes the start.
home="$work/program"
mkdir -p "$home"
for entry in "$build/program"/*; do
    case "$(basename "$entry")" in kerfa | Kerfa.ini) continue ;; esac
    ln -s "$(realpath "$entry")" "$home/"
done

echo "startup: generating the 5,000-sheet book"
large=$(python3 "$here/make-project" "$work/Large Book") || exit 1
cp "$chapter" "$work/chapter.txt" || exit 1

export STARTUP_RESULTS="$work/results"
: >"$STARTUP_RESULTS"
measure() { python3 "$here/measure" run "$@"; }

echo "startup: $runs starts of each on display $DISPLAY, the first a warm-up"
measure "empty window" "$runs" --probe -- "$(realpath "$empty")"
KERFA_HOME="$home" KERFA_STARTUP_PROBE=quit \
    measure "kerfa, sample book" "$runs" --probe -- "$(realpath "$kerfa")" "$(realpath "$sample")"
KERFA_HOME="$home" KERFA_STARTUP_PROBE=quit \
    measure "kerfa, 5,000 sheets" "$runs" --probe -- "$(realpath "$kerfa")" "$large"
if command -v focuswriter >/dev/null; then
    measure "FocusWriter, one chapter" "$runs" -- focuswriter "$work/chapter.txt"
else
    echo "startup: focuswriter is not installed (bash tools/install-deps); skipped" >&2
fi

echo
python3 "$here/measure" table
exit 0
