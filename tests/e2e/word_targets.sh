#!/usr/bin/env bash
# End-to-end: a writer gives a chapter of the sample book a word target from the sheet popup,
# writes twelve words in its editor, and sees the target's bar under the sheet's label and
# "Words written today: 12" at the foot of the main window; the day log in the project folder
# says the same. A third argument names a file to keep the desk's picture in (the README's).
set -euo pipefail
kerfa=$1
program=$2
keep=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
book="The Lighthouse Keeper"
chapter="5. Last Entry"

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
kerfa_pid=""
bus_pid=""
cleanup() {
    [ -n "$kerfa_pid" ] && kill "$kerfa_pid" 2>/dev/null || true
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/home" "$work/data" "$work/config" "$work/runtime" "$work/program" "$work/books"
chmod 700 "$work/runtime"
cp -r "$program/Themes" "$program/Help" "$program/Languages" "$work/program/"
cp -r "$program/Examples/$book" "$work/books/"
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime" KERFA_HOME="$work/program"
unset QT_QPA_PLATFORM
# Qt speaks to the accessibility bus only when asked to.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3 || fail "Xvfb did not start"
export DISPLAY=":$display"

dbus-daemon --session --fork --print-address=5 --print-pid=6 5>"$work/bus" 6>"$work/bus.pid" ||
    fail "no session bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
bus_pid=$(cat "$work/bus.pid")

window_named() {
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1 ||
        fail "no window titled \"$1\" ($(cat "$work/kerfa.log"))"
}
folder="$work/books/$book"
sheet_file() { printf '%s' "$folder/Kerfa Files/$1.kfa"; }
value() { sed -n "s/^$1=//p" "$2" | tr -d '\r' | head -n1; }

# Other chapters have targets already: the chain's first chapter one for the whole chain, the
# second one it has met (half its words), the third one it has not.
printf '[Target]\r\nChainWords=60000\r\n' >>"$(sheet_file "1. The Landing")"
brass_words=$(wc -w <"$folder/Text Files/2. Brass Work.txt")
printf '[Target]\r\nWords=%d\r\n' $((brass_words / 2)) >>"$(sheet_file "2. Brass Work")"
printf '[Target]\r\nWords=%d\r\n' $((brass_words * 4)) >>"$(sheet_file "3. The Logbooks")"

"$kerfa" "$folder/$book.kerfa" >"$work/kerfa.log" 2>&1 &
kerfa_pid=$!
main=$(window_named "Kerfa Book: '$book'")
eval "$(xdotool getwindowgeometry --shell "$main")"
sleep 1

# The sheet popup's Word Target..., by its access key.
left=$(value Left "$(sheet_file "$chapter")")
top=$(value Top "$(sheet_file "$chapter")")
menu_bar=20
sheet_x=$((X + left + 24))
sheet_y=$((Y + menu_bar + top + 24))
xdotool mousemove "$sheet_x" "$sheet_y"
sleep 0.2
dialog=""
for _ in 1 2 3; do
    xdotool click 3
    sleep 0.5
    xdotool key g
    dialog=$(timeout 5 xdotool search --sync --onlyvisible --name "^Word Target\$" | head -n1) && break
    xdotool key Escape
done
[ -n "$dialog" ] || fail "the sheet popup's Word Target... did not open its window"
xdotool windowfocus --sync "$dialog"
xdotool key ctrl+a
xdotool type --delay 20 "2000"
xdotool key Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Word Target\$" >/dev/null 2>&1 || break
    sleep 0.1
done

# Twelve words at the top of the chapter.
xdotool mousemove "$sheet_x" "$sheet_y"
sleep 0.2
xdotool click --repeat 2 --delay 80 1
editor=$(window_named "Editing Kerfa: '$chapter'")
xdotool windowfocus --sync "$editor"
sleep 0.3
xdotool type --delay 15 "one two three four five six seven eight nine ten eleven twelve "

# Counted a moment after the typing stops, into the day log.
log="$folder/Day Log.txt"
today=$(date +%F)
written=""
for _ in $(seq 100); do
    if [ -f "$log" ]; then
        read -r _ first last < <(grep "^$today " "$log" | tr -d '\r') || true
        [ -n "${first:-}" ] && written=$((last - first))
        [ "$written" = 12 ] && break
    fi
    sleep 0.1
done
[ "$written" = 12 ] || fail "the day log says $written words today: $(cat "$log" 2>/dev/null)"

reads=$(/usr/bin/python3 "$here/accessible_text.py" kerfa "Words written today:") ||
    fail "the words written today could not be read"
[ "$reads" = "Words written today: 12" ] || fail "the main window reads \"$reads\""

# Saved and closed, and back to the desk: the bars lie under the labels.
xdotool key ctrl+s
window_named "Editing Kerfa: '$chapter'" >/dev/null
xdotool key Escape
for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^Editing Kerfa: '$chapter'" >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool windowraise "$main"
xdotool windowfocus --sync "$main"
sleep 0.5
shot="$work/desk.png"
import -window root -crop "${WIDTH}x$((HEIGHT - 20))+${X}+$((Y + 20))" "$shot"
colour_below() { # the count of pixels of a colour in the column under a sheet
    local file
    file=$(sheet_file "$1")
    convert "$shot" -crop "60x90+$(($(value Left "$file") - 6))+$(($(value Top "$file") + 48))" \
        -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:int(w*h*mean)]' info:
}
[ "$(colour_below "$chapter" "#3B78D0")" -gt 10 ] || fail "no progress bar under \"$chapter\""
[ "$(colour_below "2. Brass Work" "#2E9D3A")" -gt 10 ] || fail "no met target under Brass Work"
[ "$(colour_below "1. The Landing" "#8A5CC2")" -gt 10 ] || fail "no chain bar under The Landing"
[ "$(colour_below "Plot Outline" "#3B78D0")" = 0 ] || fail "a bar under a sheet without a target"
[ -z "$keep" ] || cp "$shot" "$keep"

# Saved, the target is in the chapter's sheet file.
xdotool key ctrl+s
sleep 0.5
[ "$(value Words "$(sheet_file "$chapter")")" = 2000 ] ||
    fail "the target was not saved: $(cat "$(sheet_file "$chapter")")"
