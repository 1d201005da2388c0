#!/usr/bin/env bash
# End-to-end: a writer opens a chapter of the sample book and types a misspelt word at its top;
# a red wave appears under the word in a screenshot of the editor, and goes when the word is
# corrected.
set -euo pipefail
kerfa=$1
program=$2
book="The Lighthouse Keeper"
chapter="1. The Landing"

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
kerfa_pid=""
cleanup() {
    [ -n "$kerfa_pid" ] && kill "$kerfa_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/home" "$work/data" "$work/config" "$work/runtime" "$work/program" "$work/books"
chmod 700 "$work/runtime"
cp -r "$program/Themes" "$program/Help" "$program/Spelling" "$work/program/"
rm -f "$work/program/Spelling/"*.cfg "$work/program/Spelling/"*.adu
cp -r "$program/Examples/$book" "$work/books/"
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime" KERFA_HOME="$work/program"
unset QT_QPA_PLATFORM

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3 || fail "Xvfb did not start"
export DISPLAY=":$display"

window_named() {
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1 ||
        fail "no window titled \"$1\" ($(cat "$work/kerfa.log"))"
}

sheet="$work/books/$book/Kerfa Files/$chapter.kfa"

"$kerfa" "$work/books/$book/$book.kerfa" >"$work/kerfa.log" 2>&1 &
kerfa_pid=$!
main=$(window_named "Kerfa Book: '$book'")
eval "$(xdotool getwindowgeometry --shell "$main")"
sleep 1

# The sheet's icon, 48 pixels square, lies at its stored place on the desk, below the menu bar.
left=$(sed -n 's/^Left=//p' "$sheet" | tr -d '\r')
top=$(sed -n 's/^Top=//p' "$sheet" | tr -d '\r')
menu_bar=20
xdotool mousemove $((X + left + 24)) $((Y + menu_bar + top + 24))
sleep 0.2
xdotool click --repeat 2 --delay 80 1
editor=$(window_named "Editing Kerfa: '$chapter'")
xdotool windowfocus --sync "$editor"
sleep 1

# The red pixels (a red wave, smoothed into light reds; the text is grey on white) at the start
# of the memo's first line, where the word typed stands: their count and the height of the band
# they fill.
red_under_word() {
    eval "$(xdotool getwindowgeometry --shell "$editor")"
    import -window root -crop "90x90+$((X + 6))+${Y}" +repage "$1"
    local mask="$work/mask.png"
    convert "$1" -fx 'r > 0.9 && g < 0.6 && b < 0.6 ? 1 : 0' "$mask"
    local count
    count=$(convert "$mask" -format '%[fx:int(w*h*mean)]' info:)
    if [ "$count" -eq 0 ]; then
        echo "0 0"
    else
        echo "$count $(convert "$mask" -trim -format '%h' info:)"
    fi
}

# The caret starts at the top of the text; the word goes before its first word.
xdotool key ctrl+Home
xdotool type --delay 40 "Keeperr "
sleep 0.8
read -r count height < <(red_under_word "$work/misspelt.png")
[ "$count" -ge 12 ] || fail "no red wave under the misspelt word ($count red pixels)"
[ "$height" -le 6 ] || fail "the red is no underline: $height pixels high"

# Corrected, the word loses its wave.
xdotool key ctrl+Home shift+ctrl+Right
xdotool type --delay 40 "Keepers "
sleep 0.8
read -r count height < <(red_under_word "$work/corrected.png")
[ "$count" -le 2 ] || fail "the corrected word is still underlined ($count red pixels)"

kill "$kerfa_pid"
wait "$kerfa_pid" 2>/dev/null || true
kerfa_pid=""
echo "live spelling: a red wave under the misspelt word, none under its correction"
