#!/usr/bin/env bash
# End-to-end: a writer gathers every sheet of the sample book that names Isla with Find &
# Compile (F2), and exports them from the compilation window as an e-book, with the chapters'
# descriptions, by the keyboard alone: Export..., the format and the descriptions in the export
# dialog, and the name the save dialog suggests. The e-book on disk passes a structural check and
# holds the chapters in the list's order; Kerfa.ini keeps the choice for the next export.
set -euo pipefail
kerfa=$1
program=$2
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

mkdir -p "$work/home" "$work/data" "$work/config" "$work/runtime" "$work/program" "$work/books"
chmod 700 "$work/runtime"
cp -r "$program/Themes" "$program/Help" "$work/program/"
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

epub="$work/books/$book/$book.epub"

"$kerfa" "$work/books/$book/$book.kerfa" >"$work/kerfa.log" 2>&1 &
kerfa_pid=$!
main=$(window_named "Kerfa Book: '$book'")
sleep 1

xdotool windowfocus --sync "$main"
xdotool key F2
find=$(window_named "Find & Compile")
xdotool windowfocus --sync "$find"
xdotool type --delay 15 "isla"
xdotool key Return
compile=$(window_named "Kerfa Compilation")
sleep 0.5

# Export... by its letter; in the export dialog the e-book, the descriptions, and OK.
xdotool windowfocus --sync "$compile"
xdotool key alt+e
dialog=$(window_named "Export Manuscript")
xdotool windowfocus --sync "$dialog"
xdotool key --delay 100 alt+e alt+d Return
save=$(window_named "Export Manuscript To")
xdotool windowfocus --sync "$save"
sleep 0.5
# The save dialog suggests the book's own name, beside its project file.
xdotool key Return
for _ in $(seq 100); do
    [ -f "$epub" ] && break
    sleep 0.1
done
[ -f "$epub" ] || fail "no e-book was written ($(cat "$work/kerfa.log"))"
done_box=$(window_named "Kerfa")
xdotool windowfocus --sync "$done_box"
xdotool key Return

# The structural check, and the chapters in the order of the compilation list.
python3 - "$epub" "$work/books/$book" <<'PY' || fail "the e-book does not pass the check"
import sys, zipfile, xml.dom.minidom as dom
path, book = sys.argv[1], sys.argv[2]
with open(path, "rb") as f:
    head = f.read(58)
assert head[30:38] == b"mimetype" and head[38:58] == b"application/epub+zip", head
z = zipfile.ZipFile(path)
first = z.infolist()[0]
assert first.filename == "mimetype" and first.compress_type == zipfile.ZIP_STORED
container = dom.parseString(z.read("META-INF/container.xml"))
opf_path = container.getElementsByTagName("rootfile")[0].getAttribute("full-path")
opf = dom.parseString(z.read(opf_path))
folder = opf_path.rsplit("/", 1)[0] + "/"
items = {i.getAttribute("id"): i.getAttribute("href") for i in opf.getElementsByTagName("item")}
titles = []
for ref in opf.getElementsByTagName("itemref"):
    page = dom.parseString(z.read(folder + items[ref.getAttribute("idref")]))
    titles.append(page.getElementsByTagName("h1")[0].firstChild.data)
    assert page.getElementsByTagName("p"), titles[-1]
assert len(titles) >= 3, titles
for title in titles:
    text = open(f"{book}/Text Files/{title}.txt", encoding="utf-8", errors="replace").read()
    assert "isla" in text.lower(), title
print("exported:", len(titles), "chapters:", " | ".join(titles))
PY

grep -q $'^\\[Export\\]\r$' "$work/program/Kerfa.ini" && grep -q $'^Format=epub\r$' "$work/program/Kerfa.ini" &&
    grep -q $'^Descriptions=1\r$' "$work/program/Kerfa.ini" ||
    fail "Kerfa.ini keeps no export choice: $(cat "$work/program/Kerfa.ini")"
