#!/usr/bin/env bash
# The Debian package, made as `make deb` makes it but into a folder of the test's own, and
# examined without installing it: its files lie where the install layout puts them, its
# dependencies come from the executable, lintian finds no error in it, and the desktop entry and
# catalogue entry it carries pass their validators.
set -euo pipefail
build=$1

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
debs=("$work"/kerfa_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single kerfa_*.deb was made"
deb=${debs[0]}

contents=$(dpkg-deb --contents "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')
while IFS= read -r path; do
    grep -qxF "./$path" <<<"$contents" || fail "the package lacks $path"
done <<'LAYOUT'
usr/bin/kerfa
usr/share/kerfa/Shipped.sha256
usr/share/kerfa/Themes/Book.ini
usr/share/kerfa/Themes/Book Icons/Chapter.svg
usr/share/kerfa/Themes/Screenplay.ini
usr/share/kerfa/Languages/English.ini
usr/share/kerfa/Templates/Scene Card.txt
usr/share/kerfa/Examples/The Lighthouse Keeper/The Lighthouse Keeper.kerfa
usr/share/kerfa/Help/index.html
usr/share/kerfa/Spelling/british.adm
usr/share/kerfa/Spelling/british.copyright
usr/share/kerfa/Spelling/american.adm
usr/share/kerfa/Spelling/american.copyright
usr/share/kerfa/Spelling/canadian.adm
usr/share/kerfa/Spelling/canadian.copyright
usr/share/kerfa/Thesaurus/English-uk.adt
usr/share/kerfa/Thesaurus/English-uk.copyright
usr/share/kerfa/Thesaurus/English-forms.copyright
usr/share/applications/org.kerfa.Kerfa.desktop
usr/share/mime/packages/kerfa.xml
usr/share/metainfo/org.kerfa.Kerfa.metainfo.xml
usr/share/icons/hicolor/scalable/apps/kerfa.svg
usr/share/icons/hicolor/48x48/apps/kerfa.png
usr/share/icons/hicolor/256x256/apps/kerfa.png
usr/share/icons/hicolor/scalable/mimetypes/application-x-kerfa-project.svg
usr/share/icons/hicolor/32x32/mimetypes/application-x-kerfa-sheet.png
usr/share/man/man1/kerfa.1.gz
usr/share/doc/kerfa/copyright
usr/share/doc/kerfa/changelog.Debian.gz
LAYOUT
outside=$(grep -v '^\./usr/' <<<"$contents" | grep -vx '\./' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
grep -q '^\./usr/share/kerfa/\(Kerfa\.ini\|Backups/\)' <<<"$contents" &&
    fail "the package carries a user's settings or backups"

# Dependencies: the libraries the executable links, found by dpkg-shlibdeps, and what it loads
# without linking.
depends=$(dpkg-deb --field "$deb" Depends)
for package in libqt6core6 libqt6widgets6 libqt6svg6 libqt6printsupport6 libemf2svg1 libwmflite \
    libzip4 libc6 qt6-qpa-plugins fonts-dejavu-core fonts-urw-base35; do
    grep -q "\b$package" <<<"$depends" || fail "Depends does not name $package: $depends"
done

lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || true
if grep -q '^E:' "$work/lintian.log"; then
    fail "lintian reports errors: $(grep '^E:' "$work/lintian.log")"
fi

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.kerfa.Kerfa.desktop" ||
    fail "the desktop entry does not validate"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.kerfa.Kerfa.metainfo.xml" \
    >"$work/appstream.log" 2>&1 || fail "the catalogue entry does not validate: $(cat "$work/appstream.log")"
(cd "$work/root/usr/share/kerfa" && sha256sum --quiet -c Shipped.sha256) ||
    fail "the list of shipped files does not match them"
listed=$(wc -l <"$work/root/usr/share/kerfa/Shipped.sha256")
present=$(cd "$work/root/usr/share/kerfa" && find . -type f ! -name Shipped.sha256 | wc -l)
[ "$listed" -eq "$present" ] || fail "$present shipped files, but $listed listed"
echo "ok"
