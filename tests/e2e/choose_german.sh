#!/usr/bin/env bash
# End-to-end: a writer opens Tools > Options with F10, picks German from the language list and
# confirms; the main menu reads German at once, File > Exit is reached by its German keys
# (Alt+D, B), and at the next start the menu is German still. The menu's titles are read as a
# screen reader reads them, through the accessibility bus.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/session.sh"

begin_session "$1" "$2" Themes Languages Help
start_display
start_session_bus

menu_bar=""
menu_bar_is() {
    menu_bar=$(/usr/bin/python3 "$here/menu_bar.py" kerfa) || fail "the menu bar could not be read"
    [ "$menu_bar" = "$1" ]
}
menu_reads() {
    eventually menu_bar_is "$1" || fail "the menu bar reads \"$menu_bar\", not \"$1\""
}

start_kerfa
main=$(window_named "Kerfa Book: 'unnamed'")
menu_reads "File Tools Help"

# Tools > Options opens on the language list; typing a letter picks the language.
focus "$main"
xdotool key F10
options=$(window_named "Kerfa Options")
focus "$options"
sleep 0.3
xdotool type --delay 100 "G"
xdotool key Return
window_gone "Kerfa Options"
menu_reads "Datei Extras Hilfe"
eventually grep -qs $'^Language=German.ini\r$' "$work/program/Kerfa.ini" ||
    fail "Kerfa.ini does not name German: $(cat "$work/program/Kerfa.ini")"

# Datei > Beenden.
quit_by alt+d b

start_kerfa
main=$(window_named "Kerfa Book: 'unnamed'")
menu_reads "Datei Extras Hilfe"
quit_by alt+d b
