#!/usr/bin/env bash
# End-to-end: a writer starts the real kerfa under Xvfb, saves a new book, lays three sheets on
# the desk with the keyboard and the mouse, links two, drags one, saves and quits; started again
# on the book, the desk shows everything as it was left.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

begin_session "$1" "$2" Themes Help
start_display

book="$books/Harbour"
sheets="$book/Kerfa Files"
mkdir -p "$book"

# A point on the desk, relative to the main window's top-left corner.
at() { echo $((X + $1)) $((Y + $2)); }
desk_picture() {
    import -window root -crop "$((WIDTH - 20))x$((HEIGHT - 60))+${X}+$((Y + 40))" "$1"
}

# A new book, saved under a name before anything else.
start_kerfa
main=$(window_named "Kerfa Book: 'unnamed'")
eval "$(xdotool getwindowgeometry --shell "$main")"
focus "$main"
xdotool key --delay 200 alt+f a
dialog=$(window_named "Save Project To Folder As")
focus "$dialog"
sleep 0.3
xdotool type --delay 20 "$book/Harbour Lights"
xdotool key Return
window_named "Kerfa Book: 'Harbour Lights'" >/dev/null
file_appears "$book/Harbour Lights.kerfa"

# Three sheets, each made with Ins where the pointer rests and named in the properties dialog.
new_sheet() { # name x y
    xdotool mousemove $(at "$2" "$3")
    sleep 0.2
    xdotool key Insert
    local dialog
    dialog=$(window_named "New Kerfa")
    focus "$dialog"
    xdotool type --delay 20 "$1"
    xdotool key Return
    file_appears "$sheets/$1.kfa"
}
focus "$main"
new_sheet "Arrival" 150 150
new_sheet "Storm" 400 150
new_sheet "Rescue" 250 350

# Link Arrival to Storm: select Arrival, Ctrl+click Storm.
xdotool mousemove $(at 150 150) click 1
sleep 0.2
xdotool keydown ctrl mousemove $(at 400 150) click 1 keyup ctrl
sleep 0.2
# Drag Rescue 150 pixels right and 60 down, then select nothing.
xdotool mousemove $(at 250 350) mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove $(at $((250 + 25 * step)) $((350 + 10 * step)))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.2
xdotool mousemove $(at 600 420) click 1
window_named "Kerfa Book: 'Harbour Lights' \*" >/dev/null
xdotool key ctrl+s
window_named "Kerfa Book: 'Harbour Lights'" >/dev/null
# The desk as left, once two looks at it in a row agree.
desk_settled() {
    desk_picture "$work/again.png"
    differ=$(compare -metric AE "$work/before.png" "$work/again.png" /dev/null 2>&1 || true)
    mv "$work/again.png" "$work/before.png"
    [ "$differ" = "0" ]
}
desk_picture "$work/before.png"
eventually desk_settled || fail "the desk is still changing ($differ pixels)"
quit_by alt+f x

grep -q "^Name=Storm" "$sheets/Arrival.kfa" || fail "Arrival does not link to Storm: $(cat "$sheets/Arrival.kfa")"
grep -q "^Name=\s*$" "$sheets/Storm.kfa" || fail "Storm links somewhere"
left=$(sed -n 's/^Left=//p' "$sheets/Rescue.kfa" | tr -d '\r')
top=$(sed -n 's/^Top=//p' "$sheets/Rescue.kfa" | tr -d '\r')
[ "$left" -gt 350 ] && [ "$top" -gt 360 ] || fail "Rescue was not moved: $left, $top"

saved=$(snapshot "$book")

# Started again on the book: the same desk, to the pixel, once it is drawn.
start_kerfa "$book/Harbour Lights.kerfa"
main=$(window_named "Kerfa Book: 'Harbour Lights'")
eval "$(xdotool getwindowgeometry --shell "$main")"
same_desk() {
    desk_picture "$work/after.png"
    differ=$(compare -metric AE "$work/before.png" "$work/after.png" /dev/null 2>&1 || true)
    [ "$differ" = "0" ]
}
eventually same_desk || fail "the desk differs after a new start ($differ pixels)"

quit_by alt+f x
[ "$(snapshot "$book")" = "$saved" ] || fail "opening and closing the book changed files"
