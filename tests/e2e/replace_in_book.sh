#!/usr/bin/env bash
# End-to-end: with a chapter of the sample book open and changed in its editor, a writer
# replaces Isla by Eilidh over the whole book (Tools > Replace In Book..., Ctrl+H), as a whole
# word. The chapter is changed in its editor, not in its file; every other sheet naming her is
# changed in its file, after a snapshot of its text as it was.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"
chapter="1. The Landing"

begin_session "$1" "$2" Themes Help
copy_example "$book"
start_display

texts="$books/$book/Text Files"
originals="$examples/$book/Text Files"
sheet="$books/$book/Kerfa Files/$chapter.kfa"

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
editor=$(open_sheet "$main" "$sheet" "Editing Kerfa: '$chapter'")
focus "$editor"
xdotool type --delay 15 "Isla woke. Islay whisky waited. "
window_named "Editing Kerfa: '$chapter' \*" >/dev/null

focus "$main"
xdotool key ctrl+h
replace=$(window_named "Replace In Book")
focus "$replace"
xdotool type --delay 20 "isla"
xdotool key Tab
xdotool type --delay 20 "Eilidh"
xdotool key alt+w
# Find, then Replace once the list is filled: on a loaded machine the search may not be done when
# Replace is pressed (the button is still disabled), so both are pressed again until a file
# changes. A second search after the replace finds nothing more to replace.
replaced() { grep -qw "Eilidh" "$texts/2. Brass Work.txt"; }
for _ in 1 2 3 4 5 6; do
    xdotool key alt+f
    sleep 1
    xdotool key alt+r
    for _ in $(seq 30); do
        replaced && break 2
        sleep 0.1
    done
done

# Every other sheet naming her changed in its file, whole words only, with a snapshot of its
# text before; the others untouched.
eventually replaced || fail "'2. Brass Work' was not changed"
for file in "$texts"/*.txt; do
    name=$(basename "$file" .txt)
    [ "$name" = "$chapter" ] && continue
    if grep -qw "Isla" "$originals/$name.txt"; then
        # The files are written one after another: the last ones may still be on their way.
        eventually not grep -qw "Isla" "$file" || fail "'$name' still names Isla"
        grep -qw "Eilidh" "$file" || fail "'$name' does not name Eilidh"
        cmp -s "$books/$book/Snapshots/$name/"*.txt "$originals/$name.txt" ||
            fail "'$name' has no snapshot of its text before the replace"
    else
        cmp -s "$file" "$originals/$name.txt" || fail "'$name' changed without naming Isla"
    fi
done
# The open chapter changed in its editor, still marked changed; its file as it was.
window_named "Editing Kerfa: '$chapter' \*" >/dev/null
cmp -s "$texts/$chapter.txt" "$originals/$chapter.txt" || fail "the file behind the editor changed"

# Saved, the chapter holds the writer's sentence with the name replaced and Islay kept.
focus "$editor"
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
head -n1 "$texts/$chapter.txt" | grep -q "^Eilidh woke. Islay whisky waited. " ||
    fail "the chapter begins: $(head -c 60 "$texts/$chapter.txt")"
grep -qw "Isla" "$texts/$chapter.txt" && fail "the chapter still names Isla"
xdotool key Escape
window_gone "Editing Kerfa: '$chapter'"

focus "$replace"
xdotool key alt+c
window_gone "Replace In Book"
quit_by alt+f x
