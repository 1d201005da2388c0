#!/usr/bin/env bash
# End-to-end: a writer starts the real kerfa under Xvfb, saves a new book, lays three sheets on
# the desk with the keyboard and the mouse, links two, drags one, saves and quits; started again
# on the book, the desk shows everything as it was left.
set -euo pipefail
kerfa=$1
program=$2

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

mkdir -p "$work/home" "$work/data" "$work/config" "$work/runtime" "$work/program" "$work/books/Harbour"
chmod 700 "$work/runtime"
cp -r "$program/Themes" "$program/Help" "$work/program/"
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime" KERFA_HOME="$work/program"
unset QT_QPA_PLATFORM
# A session bus address of its own where nothing listens: the program never talks to the
# desktop's bus, and libdbus does not try to start one (which leaks and may leave a daemon behind).
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/bus"

# An X server of our own on a free display; other test runs on the machine may take the display
# it chose at the same moment, so it is checked and, if need be, started again.
display=""
for _ in 1 2 3; do
    exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
    read -r _ xvfb_pid <&3
    if read -r display <&3 && DISPLAY=":$display" xdotool getmouselocation >/dev/null 2>&1; then
        break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
    display=""
done
[ -n "$display" ] || fail "Xvfb did not start"
export DISPLAY=":$display"

book="$work/books/Harbour"
sheets="$book/Kerfa Files"

# The window with this exact title, once it is shown. A search that meets a window closing at
# that moment fails, and is tried again.
window_named() {
    local id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window titled \"$1\" ($(cat "$work/kerfa.log"))"
}
# Waits until a file is there.
appears() {
    for _ in $(seq 100); do
        [ -f "$1" ] && return 0
        sleep 0.1
    done
    fail "$1 was not written"
}
start() {
    "$kerfa" "$@" >"$work/kerfa.log" 2>&1 &
    kerfa_pid=$!
}
quit() {
    xdotool windowfocus --sync "$main"
    xdotool key --delay 200 alt+f x
    for _ in $(seq 50); do
        kill -0 "$kerfa_pid" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$kerfa_pid" 2>/dev/null && fail "kerfa did not close from File > Exit"
    wait "$kerfa_pid" || fail "kerfa exited with an error"
    kerfa_pid=""
}
# A point on the desk, relative to the main window's top-left corner.
at() { echo $((X + $1)) $((Y + $2)); }
desk_picture() {
    import -window root -crop "$((WIDTH - 20))x$((HEIGHT - 60))+${X}+$((Y + 40))" "$1"
}

# A new book, saved under a name before anything else.
start
main=$(window_named "Kerfa Book: 'unnamed'")
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowfocus --sync "$main"
xdotool key --delay 200 alt+f a
dialog=$(window_named "Save Project To Folder As")
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool type --delay 20 "$book/Harbour Lights"
xdotool key Return
window_named "Kerfa Book: 'Harbour Lights'" >/dev/null
appears "$book/Harbour Lights.kerfa"

# Three sheets, each made with Ins where the pointer rests and named in the properties dialog.
new_sheet() { # name x y
    xdotool mousemove $(at "$2" "$3")
    sleep 0.2
    xdotool key Insert
    local dialog
    dialog=$(window_named "New Kerfa")
    xdotool windowfocus --sync "$dialog"
    xdotool type --delay 20 "$1"
    xdotool key Return
    appears "$sheets/$1.kfa"
}
xdotool windowfocus --sync "$main"
new_sheet "Arrival" 150 150
new_sheet "Storm" 400 150
new_sheet "Rescue" 250 350

# Link Arrival to Storm: select Arrival, Ctrl+click Storm.
xdotool mousemove $(at 150 150) click 1
sleep 0.2
xdotool keydown ctrl mousemove $(at 400 150) click 1 keyup ctrl
sleep 0.2
# Drag Rescue 150 pixels right and 60 down, then select nothing.
xdotool mousemove $(at 250 350) mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove $(at $((250 + 25 * step)) $((350 + 10 * step)))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.2
xdotool mousemove $(at 600 420) click 1
sleep 0.2
[ "$(xdotool getwindowname "$main")" = "Kerfa Book: 'Harbour Lights' *" ] ||
    fail "the moved and linked desk is not marked changed: $(xdotool getwindowname "$main")"
xdotool key ctrl+s
window_named "Kerfa Book: 'Harbour Lights'" >/dev/null
sleep 0.5
desk_picture "$work/before.png"
quit

grep -q "^Name=Storm" "$sheets/Arrival.kfa" || fail "Arrival does not link to Storm: $(cat "$sheets/Arrival.kfa")"
grep -q "^Name=\s*$" "$sheets/Storm.kfa" || fail "Storm links somewhere"
left=$(sed -n 's/^Left=//p' "$sheets/Rescue.kfa" | tr -d '\r')
top=$(sed -n 's/^Top=//p' "$sheets/Rescue.kfa" | tr -d '\r')
[ "$left" -gt 350 ] && [ "$top" -gt 360 ] || fail "Rescue was not moved: $left, $top"

snapshot() { (cd "$book" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
saved=$(snapshot)

# Started again on the book: the same desk, to the pixel.
start "$book/Harbour Lights.kerfa"
main=$(window_named "Kerfa Book: 'Harbour Lights'")
eval "$(xdotool getwindowgeometry --shell "$main")"
sleep 1
desk_picture "$work/after.png"
differ=$(compare -metric AE "$work/before.png" "$work/after.png" /dev/null 2>&1 || true)
[ "$differ" = "0" ] || fail "the desk differs after a new start ($differ pixels)"

quit
[ "$(snapshot)" = "$saved" ] || fail "opening and closing the book changed files"
