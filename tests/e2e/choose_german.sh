#!/usr/bin/env bash
# End-to-end: a writer opens Tools > Options with F10, picks German from the language list and
# confirms; the main menu reads German at once, File > Exit is reached by its German keys
# (Alt+D, B), and at the next start the menu is German still. The menu's titles are read as a
# screen reader reads them, through the accessibility bus.
set -euo pipefail
kerfa=$1
program=$2
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
kerfa_pid=""
bus_pid=""
cleanup() {
    [ -n "$kerfa_pid" ] && kill "$kerfa_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/home" "$work/data" "$work/config" "$work/runtime" "$work/program"
chmod 700 "$work/runtime"
cp -r "$program/Themes" "$program/Languages" "$program/Help" "$work/program/"
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime" KERFA_HOME="$work/program"
unset QT_QPA_PLATFORM
# Qt speaks to the accessibility bus only when asked to.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3 || fail "Xvfb did not start"
export DISPLAY=":$display"

# A session bus of this test's own; the accessibility bus starts on it when first asked for.
dbus-daemon --session --fork --print-address=5 --print-pid=6 5>"$work/bus" 6>"$work/bus.pid" ||
    fail "no session bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
bus_pid=$(cat "$work/bus.pid")

window_named() {
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1 ||
        fail "no window titled \"$1\" ($(cat "$work/kerfa.log"))"
}
menu_reads() {
    local read
    read=$(/usr/bin/python3 "$here/menu_bar.py" kerfa) || fail "the menu bar could not be read"
    [ "$read" = "$1" ] || fail "the menu bar reads \"$read\", not \"$1\""
}
start() {
    "$kerfa" >"$work/kerfa.log" 2>&1 &
    kerfa_pid=$!
    main=$(window_named "Kerfa Book: 'unnamed'")
    sleep 0.5
}
quit_with() {
    xdotool windowfocus --sync "$main"
    xdotool key --delay 200 "$1" "$2"
    for _ in $(seq 50); do
        kill -0 "$kerfa_pid" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$kerfa_pid" 2>/dev/null && fail "kerfa did not close from File > Exit"
    wait "$kerfa_pid" || fail "kerfa exited with an error"
    kerfa_pid=""
}

start
menu_reads "File Tools Help"

# Tools > Options opens on the language list; typing a letter picks the language.
xdotool windowfocus --sync "$main"
xdotool key F10
options=$(window_named "Kerfa Options")
xdotool windowfocus --sync "$options"
sleep 0.3
xdotool type --delay 100 "G"
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name "^Kerfa Options\$" >/dev/null 2>&1 &&
    fail "the options dialog stayed open"
menu_reads "Datei Extras Hilfe"
grep -q $'^Language=German.ini\r$' "$work/program/Kerfa.ini" ||
    fail "Kerfa.ini does not name German: $(cat "$work/program/Kerfa.ini")"

# Datei > Beenden.
quit_with alt+d b

start
menu_reads "Datei Extras Hilfe"
quit_with alt+d b
