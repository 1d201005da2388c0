#!/usr/bin/env bash
# End-to-end: a writer changes a chapter of the sample book, and the text as it stood becomes
# the day's first snapshot; the Snapshots window (Tools > Snapshots... of the editor) shows it
# against the text now and restores it into the editor, keeping the changed text as a snapshot
# first; saved, the chapter is as it was. With KERFA_SCREENSHOT set, the window's picture is
# written there.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"
chapter="1. The Landing"

begin_session "$1" "$2" Themes Help
copy_example "$book"
start_display

text="$books/$book/Text Files/$chapter.txt"
original="$examples/$book/Text Files/$chapter.txt"
sheet="$books/$book/Kerfa Files/$chapter.kfa"
# The chapter's snapshot files, oldest first.
snapshots() { find "$books/$book/Snapshots/$chapter" -name '*.txt' 2>/dev/null | sort; }
snapshots_are() { [ "$(snapshots | wc -l)" = "$1" ]; }

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
editor=$(open_sheet "$main" "$sheet" "Editing Kerfa: '$chapter'")
focus "$editor"
snapshots_are 0 || fail "a snapshot before any change"

# A new first sentence, and a word of the old one changed.
xdotool type --delay 15 "The light was the first thing she saw."
xdotool key Return ctrl+Right ctrl+shift+Right
xdotool type --delay 15 "reef "
window_named "Editing Kerfa: '$chapter' \*" >/dev/null
snapshots_are 1 || fail "the first change kept $(snapshots | wc -l) snapshots"
cmp -s "$(snapshots)" "$original" || fail "the day's snapshot is not the text as saved"
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
grep -q "^The reef showed first" "$text" || fail "the change was not saved"
snapshots_are 1 || fail "a second snapshot the same day"

xdotool key --delay 200 alt+t h
window=$(window_named "Snapshots: '$chapter'")
focus "$window"
if [ -n "${KERFA_SCREENSHOT:-}" ]; then
    xdotool windowsize --sync "$window" 900 460
    sleep 1
    import -window "$window" "$KERFA_SCREENSHOT"
fi

# Restore (the newest is chosen): into the open editor, marked changed; the file keeps what was
# saved, and the text before the restore is a snapshot of its own.
xdotool key alt+r
window_named "Editing Kerfa: '$chapter' \*" >/dev/null
eventually snapshots_are 2 || fail "the restore kept no snapshot of the text before it"
cmp -s "$(snapshots | tail -n1)" "$text" || fail "the newer snapshot is not the text before"
grep -q "^The reef showed first" "$text" || fail "the restore wrote the file behind the editor"
xdotool key alt+c
window_gone "Snapshots: '$chapter'"
focus "$editor"
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
cmp -s "$text" "$original" || fail "the restored chapter differs from the snapshot"
xdotool key Escape
window_gone "Editing Kerfa: '$chapter'"

quit_by alt+f x
