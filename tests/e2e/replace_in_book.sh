#!/usr/bin/env bash
# End-to-end: with a chapter of the sample book open and changed in its editor, a writer
# replaces Isla by Eilidh over the whole book (Tools > Replace In Book..., Ctrl+H), as a whole
# word. The chapter is changed in its editor, not in its file; every other sheet naming her is
# changed in its file, after a snapshot of its text as it was.
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

texts="$work/books/$book/Text Files"
originals="$program/Examples/$book/Text Files"
sheet="$work/books/$book/Kerfa Files/$chapter.kfa"
other="2. Brass Work"

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
xdotool type --delay 15 "Isla woke. Islay whisky waited. "
window_named "Editing Kerfa: '$chapter' \*" >/dev/null

xdotool windowfocus --sync "$main"
xdotool key ctrl+h
replace=$(window_named "Replace In Book")
xdotool windowfocus --sync "$replace"
sleep 0.3
xdotool type --delay 20 "isla"
xdotool key Tab
xdotool type --delay 20 "Eilidh"
xdotool key alt+w alt+f
sleep 1
xdotool key alt+r
sleep 1

# The open chapter changed in its editor, marked changed; its file as it was.
window_named "Editing Kerfa: '$chapter' \*" >/dev/null
cmp -s "$texts/$chapter.txt" "$originals/$chapter.txt" || fail "the file behind the editor changed"
# Every other sheet changed in its file, whole words only, with a snapshot of its text before.
for file in "$texts"/*.txt; do
    name=$(basename "$file" .txt)
    [ "$name" = "$chapter" ] && continue
    grep -qw "Isla" "$file" && fail "'$name' still names Isla"
    if grep -qw "Isla" "$originals/$name.txt"; then
        grep -qw "Eilidh" "$file" || fail "'$name' does not name Eilidh"
        cmp -s "$work/books/$book/Snapshots/$name/"*.txt "$originals/$name.txt" ||
            fail "'$name' has no snapshot of its text before the replace"
    else
        cmp -s "$file" "$originals/$name.txt" || fail "'$name' changed without naming Isla"
    fi
done
[ -d "$work/books/$book/Snapshots/$other" ] || fail "no snapshot of '$other'"

# Saved, the chapter holds the writer's sentence with the name replaced and Islay kept.
xdotool windowfocus --sync "$editor"
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
head -n1 "$texts/$chapter.txt" | grep -q "^Eilidh woke. Islay whisky waited. " ||
    fail "the chapter begins: $(head -c 60 "$texts/$chapter.txt")"
grep -qw "Isla" "$texts/$chapter.txt" && fail "the chapter still names Isla"
xdotool key Escape
gone "Editing Kerfa: '$chapter'"

xdotool windowfocus --sync "$replace"
xdotool key alt+c
gone "Replace In Book"
xdotool windowfocus --sync "$main"
xdotool key --delay 200 alt+f x
for _ in $(seq 50); do
    kill -0 "$kerfa_pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$kerfa_pid" 2>/dev/null && fail "kerfa did not close from File > Exit"
wait "$kerfa_pid" || fail "kerfa exited with an error"
kerfa_pid=""
