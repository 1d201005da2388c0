#!/usr/bin/env bash
# End-to-end: a writer gathers every sheet of the sample book that names Isla with Find &
# Compile (F2), drags the first entry of the compilation list onto the third, creates the
# compilation, and opens it as the text of the Compilation sheet that appeared on the desk. The
# compilation window keeps its place in Kerfa.ini when the program closes.
set -euo pipefail
kerfa=$1
program=$2
book="The Lighthouse Keeper"

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
kerfa_pid=""
cleanup() {
    [ -n "$kerfa_pid" ] && kill "$kerfa_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/home" "$work/data" "$work/config" "$work/runtime" "$work/program" "$work/books"
chmod 700 "$work/runtime"
cp -r "$program/Themes" "$program/Help" "$work/program/"
cp -r "$program/Examples/$book" "$work/books/"
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime" KERFA_HOME="$work/program"
unset QT_QPA_PLATFORM
# A session bus address of its own where nothing listens: the program never talks to the
# desktop's bus, and libdbus does not try to start one (which leaks and may leave a daemon behind).
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/bus"

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3 || fail "Xvfb did not start"
export DISPLAY=":$display"

window_named() {
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1 ||
        fail "no window titled \"$1\" ($(cat "$work/kerfa.log"))"
}
gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the window \"$1\" stayed open"
}

compilation="$work/books/$book/Text Files/Compilation.txt"

"$kerfa" "$work/books/$book/$book.kerfa" >"$work/kerfa.log" 2>&1 &
kerfa_pid=$!
main=$(window_named "Kerfa Book: '$book'")
eval "$(xdotool getwindowgeometry --shell "$main")"
main_x=$X
main_y=$Y
sleep 1

xdotool windowfocus --sync "$main"
xdotool key F2
find=$(window_named "Find & Compile")
xdotool windowfocus --sync "$find"
xdotool type --delay 15 "isla"
xdotool key Return
compile=$(window_named "Kerfa Compilation")
sleep 0.5

# The list fills the window's top, an entry to every 14 pixels (a line of the interface font).
# The first entry, dragged by hand onto the third, takes the third's place.
eval "$(xdotool getwindowgeometry --shell "$compile")"
row=14
first=$((Y + 11 + row / 2))
third=$((first + 2 * row))
xdotool mousemove $((X + 60)) "$first"
sleep 0.2
xdotool mousedown 1
for y in $(seq "$first" 3 "$third") "$third"; do
    xdotool mousemove $((X + 60)) "$y"
    sleep 0.03
done
sleep 0.2
xdotool mouseup 1
sleep 0.3

# Create, at the bottom right of the window; then the message that it went well.
xdotool mousemove $((X + WIDTH - 52)) $((Y + HEIGHT - 51))
xdotool click 1
for _ in $(seq 100); do
    [ -f "$compilation" ] && break
    sleep 0.1
done
[ -f "$compilation" ] || fail "no compilation was written ($(cat "$work/kerfa.log"))"
sleep 0.5
xdotool key Return

order=$(grep -o -E '^[0-9]\. [A-Za-z ]+:' "$compilation" | head -n3 | tr '\n' '|')
[ "$order" = "2. Brass Work:|3. The Logbooks:|1. The Landing:|" ] ||
    fail "the compilation's first entries are \"$order\""
lf=$(tr -cd '\n' <"$compilation" | wc -c)
crlf=$(grep -c $'\r$' "$compilation" || true)
[ "$lf" -gt 10 ] && [ "$lf" = "$crlf" ] || fail "line breaks are not all CR LF ($crlf of $lf)"

# The Compilation sheet lies at (40, 26) on the desk, under the menu bar, and the book is changed.
window_named "Kerfa Book: '$book' \*" >/dev/null
xdotool windowfocus --sync "$main"
menu_bar=20
xdotool mousemove $((main_x + 40 + 24)) $((main_y + menu_bar + 26 + 24))
sleep 0.2
xdotool click --repeat 2 --delay 80 1
editor=$(window_named "Editing Kerfa: 'Compilation'")
xdotool windowfocus --sync "$editor"
xdotool key Escape
gone "Editing Kerfa: 'Compilation'"

# File > Exit, not saving the book: the compilation window's place is kept.
xdotool windowfocus --sync "$main"
xdotool key --delay 200 alt+f x
question=$(window_named "Kerfa")
xdotool windowfocus --sync "$question"
xdotool key n
for _ in $(seq 50); do
    kill -0 "$kerfa_pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$kerfa_pid" 2>/dev/null && fail "kerfa did not close from File > Exit"
wait "$kerfa_pid" || fail "kerfa exited with an error"
kerfa_pid=""
grep -q $'^\\[Compilation\\]\r$' "$work/program/Kerfa.ini" && grep -q $'^Width=280\r$' "$work/program/Kerfa.ini" ||
    fail "Kerfa.ini keeps no place of the compilation window: $(cat "$work/program/Kerfa.ini")"
[ ! -f "$work/books/$book/Kerfa Files/Compilation.kfa" ] || fail "the unsaved Compilation sheet was saved"
echo "compiled: $(grep -c ': ' "$compilation") descriptions"
