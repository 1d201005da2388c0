#!/usr/bin/env bash
# End-to-end: what the writer typed reaches the file as typed. A character's name that the
# dictionary lacks and has nothing to suggest for: Enter in the spelling dialog skips it, and the
# saved chapter still names him. A chapter written with no-break spaces (French quotes, a
# question mark, a number in groups) and a line broken with Shift+Enter: its text file holds
# every character as typed, the line break as CR LF.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"
chapter="1. The Landing"

begin_session "$1" "$2" Themes Help Spelling
copy_example "$book"
start_display

text="$books/$book/Text Files/$chapter.txt"
sheet="$books/$book/Kerfa Files/$chapter.kfa"
title="Editing Kerfa: '$chapter'"

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")

editor=$(open_sheet "$main" "$sheet" "$title")
save_and_close() {
    focus "$editor"
    xdotool key ctrl+s
    window_named "$title" >/dev/null
    xdotool key Escape
    window_gone "$title"
}

# F7 stops on «Zorblax», with nothing in "Replace With": Enter is Ignore, and the check ends.
focus "$editor"
xdotool key ctrl+a
xdotool type --delay 15 "Later, Zorblax said."
window_named "$title \*" >/dev/null
xdotool key F7
dialog=$(window_named "Spelling")
focus "$dialog"
xdotool key Return
box=$(another_window_named "Spelling" "$dialog")
focus "$box"
xdotool key Return
window_gone "Spelling"
save_and_close
[ "$(cat "$text")" = "Later, Zorblax said." ] ||
    fail "the name went: the text file holds \"$(cat "$text")\""

# No-break spaces (U+00A0, and U+202F before the question mark) and Shift+Enter.
editor=$(open_sheet "$main" "$sheet" "$title")
focus "$editor"
xdotool key ctrl+a
line=$(printf '\xc2\xab\xc2\xa0Bonjour\xc2\xa0\xc2\xbb, dit-elle. Quoi\xe2\x80\xaf? 10\xc2\xa0000 mots.')
LC_ALL=C.UTF-8 xdotool type --delay 15 "$line"
xdotool key shift+Return
xdotool type --delay 15 "La mer."
window_named "$title \*" >/dev/null
save_and_close
printf '%s\r\nLa mer.' "$line" >"$work/expected.txt"
cmp "$work/expected.txt" "$text" ||
    fail "the text file differs from what was typed: $(od -c "$text" | head -n 5)"

quit_by alt+f x
