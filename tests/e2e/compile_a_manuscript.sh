#!/usr/bin/env bash
# End-to-end: a writer gathers every sheet of the sample book that names Isla with Find &
# Compile (F2), drags the first entry of the compilation list onto the third, creates the
# compilation, and opens it as the text of the Compilation sheet that appeared on the desk. The
# compilation window keeps its place in Kerfa.ini when the program closes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"

begin_session "$1" "$2" Themes Help
copy_example "$book"
start_display

compilation="$books/$book/Text Files/Compilation.txt"

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
focus "$main"
xdotool key F2
find=$(window_named "Find & Compile")
focus "$find"
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
file_appears "$compilation"
message=$(window_named "Kerfa")
focus "$message"
xdotool key Return
window_gone "Kerfa"

order=$(grep -o -E '^[0-9]\. [A-Za-z ]+:' "$compilation" | head -n3 | tr '\n' '|')
[ "$order" = "2. Brass Work:|3. The Logbooks:|1. The Landing:|" ] ||
    fail "the compilation's first entries are \"$order\""
crlf_lines "$compilation" 10

# The Compilation sheet lies at (40, 26) on the desk, under the menu bar, and the book is changed.
window_named "Kerfa Book: '$book' \*" >/dev/null
editor=$(open_from_desk "$main" 40 26 "Editing Kerfa: 'Compilation'")
focus "$editor"
xdotool key Escape
window_gone "Editing Kerfa: 'Compilation'"

# File > Exit, not saving the book: the compilation window's place is kept.
focus "$main"
xdotool key --delay 200 alt+f x
question=$(window_named "Kerfa")
focus "$question"
xdotool key n
kerfa_ends
grep -q $'^\\[Compilation\\]\r$' "$work/program/Kerfa.ini" && grep -q $'^Width=280\r$' "$work/program/Kerfa.ini" ||
    fail "Kerfa.ini keeps no place of the compilation window: $(cat "$work/program/Kerfa.ini")"
[ ! -f "$books/$book/Kerfa Files/Compilation.kfa" ] || fail "the unsaved Compilation sheet was saved"
echo "compiled: $(grep -c ': ' "$compilation") descriptions"
