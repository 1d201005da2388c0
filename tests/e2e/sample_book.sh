#!/usr/bin/env bash
# End-to-end: start the real kerfa under Xvfb on a copy of the sample book and drive it as a user.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"

begin_session "$1" "$2" Themes Help
copy_example "$book"
start_display
before=$(snapshot "$books")

start_kerfa "$books/$book/$book.kerfa"
title="Kerfa Book: '$book'"
main=$(window_named "$title")
[ "$(xdotool getwindowname "$main")" = "$title" ] || fail "window title is $(xdotool getwindowname "$main")"

# The desk shows the sheets: its area holds many colours (icons, text, lines), not a blank white.
# The first paint may come late on a busy machine.
eval "$(xdotool getwindowgeometry --shell "$main")"
desk_drawn() {
    import -window root -crop "${WIDTH}x$((HEIGHT - 40))+${X}+$((Y + 30))" "$work/desk.png"
    colours=$(identify -format '%k' "$work/desk.png")
    dark=$(convert "$work/desk.png" -colorspace Gray -threshold 60% -format '%[fx:int(w*h*(1-mean))]' info:)
    [ "$colours" -gt 40 ] && [ "$dark" -gt 2000 ]
}
eventually desk_drawn || fail "the desk looks blank ($colours colours, $dark dark pixels)"

# A second start brings the first forward and ends at once.
timeout "$wait_seconds" "$kerfa" >/dev/null 2>&1 || fail "a second instance did not end at once"
kill -0 "$kerfa_pid" || fail "the first instance ended"

# Close through the File menu, as a user would.
quit_by alt+f x

[ "$(snapshot "$books")" = "$before" ] || fail "closing an unchanged book changed files on disk"
[ -f "$work/program/Kerfa.ini" ] || fail "settings were not written at close"
