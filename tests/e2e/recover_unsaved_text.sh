#!/usr/bin/env bash
# End-to-end: a writer types into two chapters of the sample book and Kerfa is killed (kill -9)
# before either is saved. The typing was kept in the state folder (private, never in the book),
# the chapters' files are as they were, and the next start on the book offers both: one is
# restored into its editor (its file unchanged until it is saved, the saved text kept as a
# snapshot), the other discarded (its file unchanged). A normal close then leaves no copy. With
# KERFA_SCREENSHOT set, the recovery window's picture is written there.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"
one="1. The Landing"
two="2. Brass Work"

begin_session "$1" "$2" Themes Help
copy_example "$book"
start_display

recovery="$HOME/.local/state/kerfa/recovery"
text() { echo "$books/$book/Text Files/$1.txt"; }
original() { echo "$examples/$book/Text Files/$1.txt"; }
sheet() { echo "$books/$book/Kerfa Files/$1.kfa"; }
# The recovery copies of a chapter, wherever they lie below the recovery folder.
copies_of() { find "$recovery" -type f -name "$1.txt" 2>/dev/null; }
copy_holds() { find "$recovery" -type f -name "$1.txt" -exec grep -l "$2" {} + 2>/dev/null | grep -q .; }
added_one="The gulls came back at dusk."
added_two="Brass takes a shine like water."

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
for chapter in "$one" "$two"; do
    editor=$(open_sheet "$main" "$(sheet "$chapter")" "Editing Kerfa: '$chapter'")
    focus "$editor"
    xdotool key ctrl+End Return
    if [ "$chapter" = "$one" ]; then added=$added_one; else added=$added_two; fi
    xdotool type --delay 15 "$added"
    window_named "Editing Kerfa: '$chapter' \*" >/dev/null
    # Out of the way of the next sheet's icon.
    xdotool windowmove --sync "$editor" 660 380
done

# Kept within seconds of the last key, private, outside the book.
eventually copy_holds "$one" "$added_one" || fail "no recovery copy of $one"
eventually copy_holds "$two" "$added_two" || fail "no recovery copy of $two"
copy=$(copies_of "$one")
[ "$(stat -c %a "$copy")" = 600 ] || fail "the copy is $(stat -c %a "$copy"), not 600"
for folder in "$recovery" "$(dirname "$copy")" "$(dirname "$(dirname "$copy")")"; do
    [ "$(stat -c %a "$folder")" = 700 ] || fail "$folder is $(stat -c %a "$folder"), not 700"
done
[ -z "$(grep -rl "$added_one" "$books")" ] || fail "the unsaved text reached the book's folder"

# The chapter's snapshots, oldest first: the day's first one was taken at the first change.
snapshots() { find "$books/$book/Snapshots/$one" -name '*.txt' 2>/dev/null | sort; }
before=$(snapshots | wc -l)

kill -9 "$kerfa_pid"
wait "$kerfa_pid" 2>/dev/null || true
kerfa_pid=""
for chapter in "$one" "$two"; do
    cmp -s "$(text "$chapter")" "$(original "$chapter")" || fail "$chapter changed on disk"
done

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
window=$(window_named "Recover Unsaved Text")
focus "$window"
if [ -n "${KERFA_SCREENSHOT:-}" ]; then
    sleep 1
    import -window "$window" "$KERFA_SCREENSHOT"
fi

# The first in the list, chapter one: restored into its editor, changed and not saved.
xdotool key alt+r
editor=$(window_named "Editing Kerfa: '$one' \*")
cmp -s "$(text "$one")" "$(original "$one")" || fail "the restore wrote the file"
[ "$(snapshots | wc -l)" = $((before + 1)) ] || fail "the restore kept no snapshot"
cmp -s "$(snapshots | tail -n1)" "$(original "$one")" || fail "the snapshot is not the saved text"

# The other, discarded after the question.
window=$(window_named "Recover Unsaved Text")
focus "$window"
xdotool key alt+d
question=$(window_named "Kerfa")
focus "$question"
xdotool key alt+y
window_gone "Recover Unsaved Text"
cmp -s "$(text "$two")" "$(original "$two")" || fail "the discarded chapter's file changed"
eventually test -z "$(copies_of "$two")" || fail "the discarded copy stayed"
window_shown "Editing Kerfa: '$two'( \*)?" && fail "the discarded chapter opened"

# The restored text is in the editor: saved, the file holds it.
focus "$editor"
xdotool key ctrl+s
window_named "Editing Kerfa: '$one'" >/dev/null
grep -q "$added_one" "$(text "$one")" || fail "the restored text was not in the editor"
crlf_lines "$(text "$one")" 1

quit_by alt+f x
[ -z "$(find "$recovery" -type f 2>/dev/null)" ] || fail "copies left after a normal close: $(find "$recovery" -type f)"
