#!/usr/bin/env bash
# End-to-end: a writer opens a chapter of the sample book and types a misspelt word at its top.
# While the word is being typed it carries no mark; once a blank follows it, a red wave appears
# under it in a screenshot of the editor, and goes when the word is corrected.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"
chapter="1. The Landing"

begin_session "$1" "$2" Themes Help Spelling
# A new spelling configuration, in which spelling as you type is on.
rm -f "$work/program/Spelling/"*.cfg "$work/program/Spelling/"*.adu
copy_example "$book"
start_display

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
editor=$(open_sheet "$main" "$books/$book/Kerfa Files/$chapter.kfa" "Editing Kerfa: '$chapter'")
focus "$editor"
# The window checks as you type once it stands.
sleep 1

# The red pixels (a red wave, smoothed into light reds; the text is grey on white) at the start
# of the memo's first line, where the word typed stands: their count, and the height of the band
# they fill, into $red and $red_height.
red=0
red_height=0
red_under_word() {
    # shellcheck disable=SC2034 # all set by the eval, so that it changes no global
    local WINDOW X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$editor")"
    local shot="$work/shot.png" mask="$work/mask.png"
    import -window root -crop "90x90+$((X + 6))+${Y}" +repage "$shot"
    convert "$shot" -fx 'r > 0.9 && g < 0.6 && b < 0.6 ? 1 : 0' "$mask"
    red=$(convert "$mask" -format '%[fx:int(w*h*mean)]' info:)
    red_height=0
    [ "$red" -eq 0 ] || red_height=$(convert "$mask" -trim -format '%h' info:)
}
wave_shown() {
    red_under_word
    [ "$red" -ge 12 ] && [ "$red_height" -le 6 ]
}
no_wave() {
    red_under_word
    [ "$red" -le 2 ]
}

# The caret starts at the top of the text; the word goes before its first word. Half typed,
# and then whole with the caret still after it, it is left alone.
xdotool key ctrl+Home
xdotool type --delay 40 "Keep"
sleep 0.5
no_wave || fail "the word being typed is marked ($red red pixels)"
xdotool type --delay 40 "err"
sleep 0.5
no_wave || fail "the word at the caret is marked ($red red pixels)"

# A blank ends it.
xdotool type " "
eventually wave_shown ||
    fail "no red wave under the misspelt word ($red red pixels, $red_height high)"

# Corrected, the word loses its wave.
xdotool key ctrl+Home shift+ctrl+Right
xdotool type --delay 40 "Keepers "
eventually no_wave || fail "the corrected word is still underlined ($red red pixels)"
echo "live spelling: no mark while typing, a red wave under the misspelt word, none under its correction"
