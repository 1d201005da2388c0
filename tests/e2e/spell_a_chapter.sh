#!/usr/bin/env bash
# End-to-end: a writer opens a chapter of the sample book, writes over it, and corrects it with
# the editor's tools by the keyboard alone: F7 and Change All on «teh», F7 and the spelling
# dialog's first suggestion for «Teh», F8 on «happy» and one of the thesaurus's synonyms. Each
# time the saved text file holds the corrected words.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"
chapter="1. The Landing"

begin_session "$1" "$2" Themes Help Spelling Thesaurus
copy_example "$book"
start_display

text="$books/$book/Text Files/$chapter.txt"
sheet="$books/$book/Kerfa Files/$chapter.kfa"
title="Editing Kerfa: '$chapter'"

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")

# Opens the chapter's editor from the desk and types the text over the chapter's.
write() {
    editor=$(open_sheet "$main" "$sheet" "$title")
    focus "$editor"
    xdotool key ctrl+a
    xdotool type --delay 15 "$1"
    window_named "$title \*" >/dev/null
}
# Saves with Ctrl+S and closes the editor with Esc.
save_and_close() {
    focus "$editor"
    xdotool key ctrl+s
    window_named "$title" >/dev/null
    xdotool key Escape
    window_gone "$title"
}
# The text file holds exactly $1.
saved_as() {
    save_and_close
    [ "$(cat "$text")" = "$1" ] || fail "the text file holds \"$(cat "$text")\", not \"$1\""
}
# The spelling dialog $1 ends its check with a message in a box of the same title; answered, both
# are gone.
check_complete() {
    local box
    box=$(another_window_named "Spelling" "$1")
    focus "$box"
    xdotool key Return
    window_gone "Spelling"
}

# F7 stops on «teh»; Change All corrects both with the first suggestion, «the».
write "The cat sat on teh mat, teh end"
xdotool key F7
dialog=$(window_named "Spelling")
focus "$dialog"
xdotool key alt+c
check_complete "$dialog"
saved_as "The cat sat on the mat, the end"

# «Teh» takes the first suggestion, «The», with Change.
write "Teh lamp was lit."
xdotool key F7
dialog=$(window_named "Spelling")
focus "$dialog"
xdotool key alt+h
check_complete "$dialog"
saved_as "The lamp was lit."

# F8 on «happy» shows its meanings, the first chosen; Tab leads from the history through the
# meanings and the replacement to the words of the meaning, where Home picks the first for the
# replacement, and Alt+R replaces.
write "She was happy."
xdotool key ctrl+Left ctrl+Left
xdotool key F8
thesaurus=$(window_named "Thesaurus: English")
focus "$thesaurus"
xdotool key Tab Tab Tab Home alt+r
window_gone "Thesaurus: English"
save_and_close
word=$(sed -n 's/^She was \(.*\)\.$/\1/p' "$text")
[ -n "$word" ] && [ "$word" != happy ] || fail "happy was not replaced: $(cat "$text")"
grep -A4 -x 'happy|4' /usr/share/mythes/th_en_US_v2.dat | grep -q "|$word\\b" ||
    fail "\"$word\" is not one of happy's synonyms"

# Nothing else of the book is unsaved: File > Exit closes without a question.
quit_by alt+f x
echo "happy became $word"
