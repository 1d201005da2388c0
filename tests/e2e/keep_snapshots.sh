#!/usr/bin/env bash
# End-to-end: a writer changes a chapter of the sample book, and the text as it stood becomes
# the day's first snapshot; the Snapshots window (Tools > Snapshots... of the editor) shows it
# against the text now and restores it into the editor, keeping the changed text as a snapshot
# first; saved, the chapter is as it was. With KERFA_SCREENSHOT set, the window's picture is
# written there.
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
# The snapshot files of the chapter, oldest first.
snapshots() { find "$work/books/$book/Snapshots/$chapter" -name '*.txt' 2>/dev/null | sort; }

text="$work/books/$book/Text Files/$chapter.txt"
original="$program/Examples/$book/Text Files/$chapter.txt"
sheet="$work/books/$book/Kerfa Files/$chapter.kfa"

"$kerfa" "$work/books/$book/$book.kerfa" >"$work/kerfa.log" 2>&1 &
kerfa_pid=$!
main=$(window_named "Kerfa Book: '$book'")
eval "$(xdotool getwindowgeometry --shell "$main")"
sleep 1

left=$(sed -n 's/^Left=//p' "$sheet" | tr -d '\r')
top=$(sed -n 's/^Top=//p' "$sheet" | tr -d '\r')
menu_bar=20
xdotool mousemove $((X + left + 24)) $((Y + menu_bar + top + 24))
sleep 0.2
xdotool click --repeat 2 --delay 80 1
editor=$(window_named "Editing Kerfa: '$chapter'")
xdotool windowfocus --sync "$editor"
sleep 0.3
[ -z "$(snapshots)" ] || fail "a snapshot before any change"

# A new first sentence, and a word of the old one changed.
xdotool type --delay 15 "The light was the first thing she saw."
xdotool key Return ctrl+Right ctrl+shift+Right
xdotool type --delay 15 "reef "
window_named "Editing Kerfa: '$chapter' \*" >/dev/null
[ "$(snapshots | wc -l)" = 1 ] || fail "the first change kept $(snapshots | wc -l) snapshots"
cmp -s "$(snapshots)" "$original" || fail "the day's snapshot is not the text as saved"
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
grep -q "^The reef showed first" "$text" || fail "the change was not saved"

xdotool key --delay 200 alt+t h
window=$(window_named "Snapshots: '$chapter'")
xdotool windowfocus --sync "$window"
sleep 0.3
sleep 0.2
sleep 0.5
if [ -n "${KERFA_SCREENSHOT:-}" ]; then
    xdotool windowsize --sync "$window" 900 460
    sleep 0.5
    import -window "$window" "$KERFA_SCREENSHOT"
fi

# Restore: into the open editor, marked changed; the file keeps what was saved.
xdotool key alt+r
window_named "Editing Kerfa: '$chapter' \*" >/dev/null
[ "$(snapshots | wc -l)" = 2 ] || fail "the restore kept no snapshot of the text before it"
cmp -s "$(snapshots | tail -n1)" "$text" || fail "the newer snapshot is not the text before"
grep -q "^The reef showed first" "$text" || fail "the restore wrote the file behind the editor"
xdotool key alt+c
gone "Snapshots: '$chapter'"
xdotool windowfocus --sync "$editor"
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
cmp -s "$text" "$original" || fail "the restored chapter differs from the snapshot"
xdotool key Escape
gone "Editing Kerfa: '$chapter'"

xdotool windowfocus --sync "$main"
xdotool key --delay 200 alt+f x
for _ in $(seq 50); do
    kill -0 "$kerfa_pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$kerfa_pid" 2>/dev/null && fail "kerfa did not close from File > Exit"
wait "$kerfa_pid" || fail "kerfa exited with an error"
kerfa_pid=""
