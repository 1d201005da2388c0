#!/usr/bin/env bash
# End-to-end: an American writer's first start (LANG=en_US.UTF-8, no spelling configuration yet)
# checks in American English: "The color of the harbor was gray." typed in a chapter carries no
# red wave in a screenshot. F8 on «walked» shows the meanings of walk, and the synonym chosen
# replaces it in the same form.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"
chapter="1. The Landing"

begin_session "$1" "$2" Themes Help Spelling Thesaurus
# A fresh program folder: no spelling configuration, no personal dictionary.
rm -f "$work/program/Spelling/"*.cfg "$work/program/Spelling/"*.adu
copy_example "$book"
start_display

export LANG=en_US.UTF-8
unset LC_ALL LC_MESSAGES LANGUAGE
text="$books/$book/Text Files/$chapter.txt"
title="Editing Kerfa: '$chapter'"

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
editor=$(open_sheet "$main" "$books/$book/Kerfa Files/$chapter.kfa" "$title")
focus "$editor"
# The window checks as you type once it stands.
sleep 1
xdotool key ctrl+a
xdotool type --delay 20 "The color of the harbor was gray. "
window_named "$title \*" >/dev/null

# The red pixels of a wave (the text is dark on white) along the memo's first line.
red_on_first_line() {
    # shellcheck disable=SC2034 # all set by the eval, so that it changes no global
    local WINDOW X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$editor")"
    import -window root -crop "$((WIDTH - 20))x40+$((X + 6))+${Y}" +repage "$work/line.png"
    convert "$work/line.png" -fx 'r > 0.9 && g < 0.6 && b < 0.6 ? 1 : 0' "$work/mask.png"
    convert "$work/mask.png" -format '%[fx:int(w*h*mean)]' info:
}
# The words are checked once the writer pauses; a British check would have marked three of them
# by now.
sleep 2
red=$(red_on_first_line)
[ "$red" -le 2 ] || fail "the American sentence is underlined ($red red pixels)"
# A misspelling on the same line is marked, so the check did run.
xdotool type --delay 20 "Teh "
eventually [ "$(red_on_first_line)" -ge 12 ] || fail "a misspelling on the line is not marked"
xdotool key BackSpace BackSpace BackSpace BackSpace

# F8 on «walked» (the caret steps back over the full stop and «home»): the meanings of walk;
# the last, "pace", goes in as "paced". Tab leads from the
# history to the meanings, End takes the last, and Tab Tab to the words of that meaning.
xdotool key ctrl+a
xdotool type --delay 20 "She walked home."
xdotool key ctrl+Left ctrl+Left ctrl+Left
xdotool key F8
thesaurus=$(window_named "Thesaurus: English")
focus "$thesaurus"
xdotool key Tab End Tab Tab Home
import -window root "$work/thesaurus.png"
xdotool key alt+r
window_gone "Thesaurus: English"
focus "$editor"
xdotool key ctrl+s
window_named "$title" >/dev/null
[ "$(cat "$text")" = "She paced home." ] || fail "walked was not replaced by paced: $(cat "$text")"
grep -A20 -x 'walk|[0-9]*' /usr/share/mythes/th_en_US_v2.dat | grep -q '|pace\b' ||
    fail "pace is not one of walk's synonyms"

xdotool key Escape
window_gone "$title"
quit_by alt+f x
grep -q '^_Main_0=american.adm' "$work/program/Spelling/Spell.cfg" ||
    fail "the first start did not choose the American dictionary: $(cat "$work/program/Spelling/Spell.cfg")"
echo "American English: no mark under color, harbor, gray; walked became paced"
