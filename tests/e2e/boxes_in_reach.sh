#!/usr/bin/env bash
# End-to-end under a window manager (openbox), where stacking and activation are real: Word
# Count's message box opens above the Find & Compile window, which stays on top of the others,
# and Enter answers it; the Find & Replace window of an editor stays through its own "Cannot
# find" box and has the focus again after it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"
chapter="1. The Landing"

begin_session "$1" "$2" Themes Help
copy_example "$book"
start_display
start_window_manager

sheet="$books/$book/Kerfa Files/$chapter.kfa"
title="Editing Kerfa: '$chapter'"

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")

# The position of window $1 in the window manager's stacking order, from the bottom.
stacked_at() {
    xprop -root _NET_CLIENT_LIST_STACKING | tr -d ' ' | cut -d# -f2 | tr ',' '\n' |
        grep -n -x "$(printf '0x%x' "$1")" | cut -d: -f1
}
# The window manager's active window is $1.
active_is() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}

# Find & Compile (F2) stays on top; the main window is active again beneath it, and F9 counts.
xdotool windowactivate --sync "$main"
xdotool key F2
find_compile=$(window_named "Find & Compile")
xdotool windowactivate --sync "$main"
eventually active_is "$main" || fail "the main window did not come back"
xdotool key F9
box=$(window_named "Kerfa")
eventually active_is "$box" || fail "the message box did not take the focus"
[ "$(stacked_at "$box")" -gt "$(stacked_at "$find_compile")" ] ||
    fail "the message box lies beneath Find & Compile: $(xprop -root _NET_CLIENT_LIST_STACKING)"
xdotool key Return
window_gone "Kerfa"
xdotool windowclose "$find_compile"
window_gone "Find & Compile"

# An editor's Find & Replace (F2 there) looks for a word the chapter lacks: the box says so,
# Enter closes it, and the find window is still there, active again.
editor=$(open_sheet "$main" "$sheet" "$title")
xdotool windowactivate --sync "$editor"
xdotool key F2
find=$(window_named "Find & Replace")
eventually active_is "$find" || fail "Find & Replace did not take the focus"
xdotool type --delay 15 "zqxjv"
xdotool key Return
box=$(window_named "Kerfa")
eventually active_is "$box" || fail "the not-found box did not take the focus"
window_shown "Find & Replace" || fail "Find & Replace went when its box showed"
xdotool key Return
window_gone "Kerfa"
eventually active_is "$find" || fail "Find & Replace did not have the focus again"
window_shown "Find & Replace" || fail "Find & Replace went after its box"
xdotool key Escape
window_gone "Find & Replace"
xdotool windowactivate --sync "$editor"
xdotool key Escape
window_gone "$title"

quit_by alt+f x
