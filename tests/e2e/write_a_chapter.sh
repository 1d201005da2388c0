#!/usr/bin/env bash
# End-to-end: a writer opens a chapter of the sample book by double-clicking its sheet, types a
# sentence, saves with Ctrl+S and closes the editor with Esc; the chapter's text file then holds
# the sentence, every line ended by CR LF.
set -euo pipefail
kerfa=$1
program=$2
book="The Lighthouse Keeper"
chapter="1. The Landing"

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

text="$work/books/$book/Text Files/$chapter.txt"
sheet="$work/books/$book/Kerfa Files/$chapter.kfa"

"$kerfa" "$work/books/$book/$book.kerfa" >"$work/kerfa.log" 2>&1 &
kerfa_pid=$!
main=$(window_named "Kerfa Book: '$book'")
eval "$(xdotool getwindowgeometry --shell "$main")"
sleep 1

# The sheet's icon, 48 pixels square, lies at its stored place on the desk, below the menu bar.
left=$(sed -n 's/^Left=//p' "$sheet" | tr -d '\r')
top=$(sed -n 's/^Top=//p' "$sheet" | tr -d '\r')
menu_bar=20
xdotool mousemove $((X + left + 24)) $((Y + menu_bar + top + 24))
sleep 0.2
xdotool click --repeat 2 --delay 80 1
editor=$(window_named "Editing Kerfa: '$chapter'")
xdotool windowfocus --sync "$editor"
sleep 0.3

# The caret starts at the top of the text.
xdotool type --delay 15 "The light was the first thing she saw."
xdotool key Return
window_named "Editing Kerfa: '$chapter' \*" >/dev/null
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
xdotool key Escape
gone "Editing Kerfa: '$chapter'"

sentence=$'The light was the first thing she saw.\r\n'
cmp -s <(head -c ${#sentence} "$text") <(printf '%s' "$sentence") ||
    fail "the text file does not begin with the sentence: $(head -c 80 "$text" | od -c | head -3)"
lf=$(tr -cd '\n' <"$text" | wc -c)
crlf=$(grep -c $'\r$' "$text" || true)
[ "$lf" -gt 10 ] && [ "$lf" = "$crlf" ] || fail "line breaks are not all CR LF ($crlf of $lf)"

# Nothing else of the book is unsaved: File > Exit closes without a question.
xdotool windowfocus --sync "$main"
xdotool key --delay 200 alt+f x
for _ in $(seq 50); do
    kill -0 "$kerfa_pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$kerfa_pid" 2>/dev/null && fail "kerfa did not close from File > Exit"
wait "$kerfa_pid" || fail "kerfa exited with an error"
kerfa_pid=""
