#!/usr/bin/env bash
# End-to-end: a writer opens a chapter of the sample book by double-clicking its sheet, types a
# sentence, saves with Ctrl+S and closes the editor with Esc; the chapter's text file then holds
# the sentence, every line ended by CR LF.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"
chapter="1. The Landing"

begin_session "$1" "$2" Themes Help
copy_example "$book"
start_display

text="$books/$book/Text Files/$chapter.txt"
sheet="$books/$book/Kerfa Files/$chapter.kfa"

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
editor=$(open_sheet "$main" "$sheet" "Editing Kerfa: '$chapter'")
focus "$editor"

# The caret starts at the top of the text.
xdotool type --delay 15 "The light was the first thing she saw."
xdotool key Return
window_named "Editing Kerfa: '$chapter' \*" >/dev/null
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
xdotool key Escape
window_gone "Editing Kerfa: '$chapter'"

sentence=$'The light was the first thing she saw.\r\n'
cmp -s <(head -c ${#sentence} "$text") <(printf '%s' "$sentence") ||
    fail "the text file does not begin with the sentence: $(head -c 80 "$text" | od -c | head -3)"
crlf_lines "$text" 10

# Nothing else of the book is unsaved: File > Exit closes without a question.
quit_by alt+f x
