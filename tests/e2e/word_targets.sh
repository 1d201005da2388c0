#!/usr/bin/env bash
# End-to-end: a writer gives a chapter of the sample book a word target from the sheet popup,
# writes twelve words in its editor, and sees the target's bar under the sheet's label and
# "Words written today: 12" at the foot of the main window; the day log in the project folder
# says the same. A third argument names a file to keep the desk's picture in (the README's).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
keep=${3:-}
book="The Lighthouse Keeper"
chapter="5. Last Entry"

begin_session "$1" "$2" Themes Help Languages
copy_example "$book"
start_display
start_session_bus

folder="$books/$book"
sheet_file() { printf '%s' "$folder/Kerfa Files/$1.kfa"; }
value() { sed -n "s/^$1=//p" "$2" | tr -d '\r' | head -n1; }

# Other chapters have targets already: the chain's first chapter one for the whole chain, the
# second one it has met (half its words), the third one it has not.
printf '[Target]\r\nChainWords=60000\r\n' >>"$(sheet_file "1. The Landing")"
brass_words=$(wc -w <"$folder/Text Files/2. Brass Work.txt")
printf '[Target]\r\nWords=%d\r\n' $((brass_words / 2)) >>"$(sheet_file "2. Brass Work")"
printf '[Target]\r\nWords=%d\r\n' $((brass_words * 4)) >>"$(sheet_file "3. The Logbooks")"

start_kerfa "$folder/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
focus "$main"
# shellcheck disable=SC2034 # all set by the eval
eval "$(xdotool getwindowgeometry --shell "$main")"

# The sheet popup's Word Target..., by its access key; a popup that has not opened by the time
# the key is pressed is opened again.
sheet_x=$((X + $(value Left "$(sheet_file "$chapter")") + 24))
sheet_y=$((Y + menu_bar_height + $(value Top "$(sheet_file "$chapter")") + 24))
xdotool mousemove "$sheet_x" "$sheet_y"
dialog=""
for _ in 1 2 3 4 5; do
    xdotool click 3
    sleep 0.5
    xdotool key g
    wait_seconds=5 eventually window_shown "Word Target" && dialog=$found && break
    xdotool key Escape
done
[ -n "$dialog" ] || fail "the sheet popup's Word Target... did not open its window"
focus "$dialog"
xdotool key ctrl+a
xdotool type --delay 20 "2000"
xdotool key Return
window_gone "Word Target"

# Twelve words at the top of the chapter.
editor=$(open_sheet "$main" "$(sheet_file "$chapter")" "Editing Kerfa: '$chapter'")
focus "$editor"
xdotool type --delay 15 "one two three four five six seven eight nine ten eleven twelve "

# Counted a moment after the typing stops, into the day log.
log="$folder/Day Log.txt"
written=""
written_today() {
    local first last
    [ -f "$log" ] || return 1
    read -r _ first last < <(grep "^$(date +%F) " "$log" | tr -d '\r') || return 1
    written=$((last - first))
    [ "$written" = "$1" ]
}
eventually written_today 12 || fail "the day log says $written words today: $(cat "$log" 2>/dev/null)"

reads=$(/usr/bin/python3 "$here/accessible_text.py" kerfa "Words written today:") ||
    fail "the words written today could not be read"
[ "$reads" = "Words written today: 12" ] || fail "the main window reads \"$reads\""

# Saved and closed, and back to the desk: the bars lie under the labels.
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
xdotool key Escape
window_gone "Editing Kerfa: '$chapter'"
xdotool windowraise "$main"
focus "$main"

shot="$work/desk.png"
take_desk() {
    import -window root -crop "${WIDTH}x$((HEIGHT - menu_bar_height))+${X}+$((Y + menu_bar_height))" "$shot"
}
colour_below() { # the count of pixels of a colour in the column under a sheet
    local file
    file=$(sheet_file "$1")
    convert "$shot" -crop "60x90+$(($(value Left "$file") - 6))+$(($(value Top "$file") + 48))" \
        -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:int(w*h*mean)]' info:
}
chapter_bar_shown() {
    take_desk
    [ "$(colour_below "$chapter" "#3B78D0")" -gt 10 ]
}
eventually chapter_bar_shown || fail "no progress bar under \"$chapter\""
[ "$(colour_below "2. Brass Work" "#2E9D3A")" -gt 10 ] || fail "no met target under Brass Work"
[ "$(colour_below "1. The Landing" "#8A5CC2")" -gt 10 ] || fail "no chain bar under The Landing"
[ "$(colour_below "Plot Outline" "#3B78D0")" = 0 ] || fail "a bar under a sheet without a target"
[ -z "$keep" ] || cp "$shot" "$keep"

# Saved, the target is in the chapter's sheet file.
xdotool key ctrl+s
target_saved() { [ "$(value Words "$(sheet_file "$chapter")")" = 2000 ]; }
eventually target_saved || fail "the target was not saved: $(cat "$(sheet_file "$chapter")")"
quit_by alt+f x
