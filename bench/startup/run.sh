#!/usr/bin/env bash
# Start-up benchmark: how long until a window shows its content, against an empty Qt window
# and FocusWriter, under one private Xvfb server; Kerfa on the sample book and on generated books
# of 1,000, 5,000 and 20,000 sheets, and how long it takes to quit. A measurement, not a test: it
# ends with 0 even when a target is missed, and prints MISSED beside it.
#   BUILD=build bash bench/startup/run.sh
#   RUNS=7      starts of each program in a round, the first a warm-up
#   ROUNDS=3    rounds, one after the other; the table gives the range of their medians
#   SERIES="1000 5000 20000"   the generated books
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD:-build}
runs=${RUNS:-7}
rounds=${ROUNDS:-3}
series=${SERIES:-1000 5000 20000}
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
# The program folder, where Kerfa writes its settings on closing, lies on a tmpfs when there is
# one, as the runtime folder does: a disk's sync would otherwise hide the time of the end.
shm=/dev/shm
[ -d "$shm" ] && [ -w "$shm" ] || shm=$work
home=$(mktemp -d "$shm/kerfa-startup-program.XXXXXX")
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work" "$home"
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
for entry in "$build/program"/*; do
    case "$(basename "$entry")" in kerfa | Kerfa.ini) continue ;; esac
    ln -s "$(realpath "$entry")" "$home/"
done

declare -A books
for n in $series; do
    echo "startup: generating the book of $n sheets"
    books[$n]=$(python3 "$here/make-project" "$work/Book $n" --sheets "$n") || exit 1
done
cp "$chapter" "$work/chapter.txt" || exit 1

export STARTUP_RESULTS="$work/results"
: >"$STARTUP_RESULTS"
measure() { python3 "$here/measure" run "$@"; }
thousands() { python3 -c "print(f'{int(\"$1\"):,}')"; }

echo "startup: $rounds round(s) of $runs starts of each on display $DISPLAY, the first a warm-up"
for round in $(seq "$rounds"); do
    echo "startup: round $round, load average $(cut -d' ' -f1-3 /proc/loadavg)"
    measure "empty window" "$runs" --probe -- "$(realpath "$empty")"
    KERFA_HOME="$home" KERFA_STARTUP_PROBE=close \
        measure "kerfa, sample book" "$runs" --probe -- "$(realpath "$kerfa")" "$(realpath "$sample")"
    for n in $series; do
        KERFA_HOME="$home" KERFA_STARTUP_PROBE=close \
            measure "kerfa, $(thousands "$n") sheets" "$runs" --probe -- "$(realpath "$kerfa")" "${books[$n]}"
    done
    if command -v focuswriter >/dev/null; then
        measure "FocusWriter, one chapter" "$runs" -- focuswriter "$work/chapter.txt"
    else
        echo "startup: focuswriter is not installed (bash tools/install-deps); skipped" >&2
    fi
done

echo
python3 "$here/measure" table
exit 0
