#!/usr/bin/env bash
# End-to-end: start the real kerfa under Xvfb on a copy of the sample book and drive it as a user.
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

# A private world: program folder, home, XDG folders.
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

# An X server of our own on a free display.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3 || fail "Xvfb did not start"
export DISPLAY=":$display"

snapshot() { (cd "$work/books" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(snapshot)

"$kerfa" "$work/books/$book/$book.kerfa" >"$work/kerfa.log" 2>&1 &
kerfa_pid=$!

title="Kerfa Book: '$book'"
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1) ||
    fail "no window titled \"$title\" ($(cat "$work/kerfa.log"))"
[ "$(xdotool getwindowname "$window")" = "$title" ] || fail "window title is $(xdotool getwindowname "$window")"
sleep 1

# The desk shows the sheets: its area holds many colours (icons, text, lines), not a blank white.
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x$((HEIGHT - 40))+${X}+$((Y + 30))" "$work/desk.png"
colours=$(identify -format '%k' "$work/desk.png")
[ "$colours" -gt 40 ] || fail "the desk looks blank ($colours colours)"
dark=$(convert "$work/desk.png" -colorspace Gray -threshold 60% -format '%[fx:int(w*h*(1-mean))]' info:)
[ "$dark" -gt 2000 ] || fail "too little drawn on the desk ($dark dark pixels)"

# A second start brings the first forward and ends at once.
timeout 10 "$kerfa" >/dev/null 2>&1 || fail "a second instance did not end at once"
kill -0 "$kerfa_pid" || fail "the first instance ended"

# Close through the File menu, as a user would.
xdotool windowfocus --sync "$window"
xdotool key --delay 200 alt+f x
for _ in $(seq 50); do
    kill -0 "$kerfa_pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$kerfa_pid" 2>/dev/null && fail "kerfa did not close from File > Exit"
wait "$kerfa_pid" || fail "kerfa exited with an error"
kerfa_pid=""

[ "$(snapshot)" = "$before" ] || fail "closing an unchanged book changed files on disk"
[ -f "$work/program/Kerfa.ini" ] || fail "settings were not written at close"
