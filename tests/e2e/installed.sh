#!/usr/bin/env bash
# End-to-end: Kerfa installed into a staging folder (DESTDIR) and started from there with a fresh
# home and no KERFA_HOME. The first start makes the user's program folder from the shipped data;
# the sample book opens from it, Backup Project writes into it, a setting chosen in the options
# dialog survives a restart, everything in it is the user's alone (folders 0700, files 0600), and
# nothing is ever written under the prefix. Then a new version is
# staged: its new theme reaches the user's folder, a shipped file the user left alone is
# updated, and the theme the user edited stays as they left it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"

begin_installed_session "$1"
user="$HOME/.local/share/kerfa"
start_display

staged() { (cd "$work/stage" && find . -print0 | sort -z | xargs -0 ls -ld --time-style=+%s.%N | sha256sum); }
backup_written() {
    copy=$(find "$user/Backups" -name "$book.kerfa" | head -n1)
    [ -n "$copy" ]
}
before=$(staged)
# The first folder or file in the user's folder that another user could read, if any.
not_private() { find "$user" ! -type l \( -type d ! -perm 700 -o -type f ! -perm 600 \) -print -quit; }

# First start: the user's program folder is made and seeded.
start_kerfa
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
[ -z "$(not_private)" ] || fail "$(not_private) in the user's folder is open to other users"
[ ! -e "$HOME/.local/share/applications/kerfa.desktop" ] ||
    fail "an installed Kerfa registered its file types for the user"
quit_by alt+f x

# The sample book opens from the user's folder and is backed up there.
start_kerfa "$user/Examples/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
sleep 0.5
focus "$main"
xdotool key --delay 200 alt+f b
sleep 1
xdotool key Return
eventually backup_written || fail "Backup Project wrote nothing into the user's Backups/"
cmp -s "$copy" "$user/Examples/$book/$book.kerfa" || fail "the backup's project file differs"

# A setting chosen in the options dialog: German.
focus "$main"
xdotool key F10
options=$(window_named "Kerfa Options")
focus "$options"
sleep 0.3
xdotool type --delay 100 "G"
xdotool key Return
window_gone "Kerfa Options"
quit_by alt+d b
grep -q $'^Language=German.ini\r$' "$user/Kerfa.ini" || fail "Kerfa.ini in the user's folder does not name German"
[ -z "$(not_private)" ] || fail "$(not_private) in the user's folder is open to other users"

# After a restart the menus are German still: Datei > Beenden closes the program.
start_kerfa
main=$(window_named "Kerfa.*")
sleep 0.5
quit_by alt+d b

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
