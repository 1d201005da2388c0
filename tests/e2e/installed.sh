#!/usr/bin/env bash
# End-to-end: Kerfa installed into a staging folder (DESTDIR) and started from there with a fresh
# home and no KERFA_HOME. The first start makes the user's program folder from the shipped data;
# the sample book opens from it, Backup Project writes into it, a setting chosen in the options
# dialog survives a restart, and nothing is ever written under the prefix. Then a new version is
# staged: its new theme reaches the user's folder, a shipped file the user left alone is
# updated, and the theme the user edited stays as they left it.
set -euo pipefail
build=$1
book="The Lighthouse Keeper"

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

DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    fail "the staged install failed: $(cat "$work/install.log")"
kerfa="$work/stage/usr/bin/kerfa"
shipped="$work/stage/usr/share/kerfa"
[ -x "$kerfa" ] || fail "no executable in bin/"

mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset KERFA_HOME XDG_DATA_HOME XDG_CONFIG_HOME QT_QPA_PLATFORM
user="$HOME/.local/share/kerfa"

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3 || fail "Xvfb did not start"
export DISPLAY=":$display"

staged() { (cd "$work/stage" && find . -print0 | sort -z | xargs -0 ls -ld --time-style=+%s.%N | sha256sum); }
window_named() {
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1 ||
        fail "no window titled \"$1\" ($(cat "$work/kerfa.log"))"
}
start() {
    "$kerfa" "$@" >"$work/kerfa.log" 2>&1 &
    kerfa_pid=$!
}
main_window() {
    timeout 20 xdotool search --sync --onlyvisible --pid "$kerfa_pid" --name "^Kerfa" | head -n1 ||
        fail "kerfa shows no window ($(cat "$work/kerfa.log"))"
}
quit_with() {
    xdotool windowfocus --sync "$1"
    xdotool key --delay 200 "$2" "$3"
    for _ in $(seq 50); do
        kill -0 "$kerfa_pid" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$kerfa_pid" 2>/dev/null && fail "kerfa did not close from File > Exit"
    wait "$kerfa_pid" || fail "kerfa exited with an error"
    kerfa_pid=""
}
before=$(staged)

# First start: the user's program folder is made and seeded.
start
main=$(window_named "Kerfa Book: 'unnamed'")
for f in Themes/Book.ini Languages/German.ini Templates "Examples/$book/$book.kerfa" Help/index.html \
    Spelling/british.copyright Thesaurus/English-uk.copyright; do
    [ -e "$user/$f" ] || fail "$f was not seeded into the user's folder"
done
[ -d "$user/Backups" ] && [ -z "$(ls -A "$user/Backups")" ] || fail "Backups/ is not an empty folder"
for f in Spelling/british.adm Thesaurus/English-uk.adt; do
    [ -L "$user/$f" ] && [ "$(readlink -f "$user/$f")" = "$(readlink -f "$shipped/$f")" ] ||
        fail "$f is not linked to the shipped file"
done
[ -d "$user/Spelling" ] && [ ! -L "$user/Spelling" ] || fail "Spelling/ is not a folder of the user's"
[ -w "$user/Themes/Book.ini" ] || fail "the seeded theme cannot be changed"
[ ! -e "$HOME/.local/share/applications/kerfa.desktop" ] ||
    fail "an installed Kerfa registered its file types for the user"
quit_with "$main" alt+f x

# The sample book opens from the user's folder and is backed up there.
start "$user/Examples/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
sleep 0.5
xdotool windowfocus --sync "$main"
xdotool key --delay 200 alt+f b
sleep 1
xdotool key Return
sleep 0.5
copy=$(find "$user/Backups" -name "$book.kerfa" | head -n1)
[ -n "$copy" ] || fail "Backup Project wrote nothing into the user's Backups/"
cmp -s "$copy" "$user/Examples/$book/$book.kerfa" || fail "the backup's project file differs"

# A setting chosen in the options dialog: German.
xdotool windowfocus --sync "$main"
xdotool key F10
options=$(window_named "Kerfa Options")
xdotool windowfocus --sync "$options"
sleep 0.3
xdotool type --delay 100 "G"
xdotool key Return
sleep 0.5
quit_with "$main" alt+d b
grep -q $'^Language=German.ini\r$' "$user/Kerfa.ini" || fail "Kerfa.ini in the user's folder does not name German"

# After a restart the menus are German still: Datei > Beenden closes the program.
start
main=$(main_window)
sleep 0.5
quit_with "$main" alt+d b

[ "$(staged)" = "$before" ] || fail "running Kerfa wrote under the prefix"

# A new version: a new theme, and new texts of two shipped themes, one of them edited by the user.
printf '; my own colours\r\n' >>"$user/Themes/Book.ini"
edited=$(sha256sum <"$user/Themes/Book.ini")
cp "$shipped/Themes/Screenplay.ini" "$shipped/Themes/Noir.ini"
printf '; version two\r\n' >>"$shipped/Themes/Book.ini"
printf '; version two\r\n' >>"$shipped/Themes/Screenplay.ini"
(cd "$shipped" && find . -type f ! -name Shipped.sha256 -printf '%P\n' | LC_ALL=C sort |
    while IFS= read -r f; do sha256sum "$f"; done >Shipped.sha256)
before=$(staged)

KERFA_STARTUP_PROBE=quit timeout 30 "$kerfa" >"$work/kerfa.log" 2>&1 ||
    fail "the new version did not start ($(cat "$work/kerfa.log"))"
cmp -s "$user/Themes/Noir.ini" "$shipped/Themes/Noir.ini" || fail "the new theme did not reach the user's folder"
cmp -s "$user/Themes/Screenplay.ini" "$shipped/Themes/Screenplay.ini" ||
    fail "a theme the user left alone was not updated"
[ "$(sha256sum <"$user/Themes/Book.ini")" = "$edited" ] || fail "the theme the user edited was overwritten"
[ "$(staged)" = "$before" ] || fail "the new version wrote under the prefix"
echo "ok"
