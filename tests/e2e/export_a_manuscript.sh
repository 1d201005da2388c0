#!/usr/bin/env bash
# End-to-end: a writer gathers every sheet of the sample book that names Isla with Find &
# Compile (F2), and exports them from the compilation window as an e-book, with the chapters'
# descriptions, by the keyboard alone: Export..., the format and the descriptions in the export
# dialog, and the name the save dialog suggests. The e-book on disk passes a structural check and
# holds the chapters in the list's order; Kerfa.ini keeps the choice for the next export.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
book="The Lighthouse Keeper"

begin_session "$1" "$2" Themes Help
copy_example "$book"
start_display

epub="$books/$book/$book.epub"

start_kerfa "$books/$book/$book.kerfa"
main=$(window_named "Kerfa Book: '$book'")
focus "$main"
xdotool key F2
find=$(window_named "Find & Compile")
focus "$find"
xdotool type --delay 15 "isla"
xdotool key Return
compile=$(window_named "Kerfa Compilation")

# Export... by its letter; in the export dialog the e-book, the descriptions, and OK.
focus "$compile"
xdotool key alt+e
dialog=$(window_named "Export Manuscript")
focus "$dialog"
xdotool key --delay 100 alt+e alt+d Return
save=$(window_named "Export Manuscript To")
focus "$save"
# The save dialog suggests the book's own name, beside its project file. A Return that comes
# before the dialog takes keys is pressed again.
for _ in 1 2 3; do
    xdotool key Return
    wait_seconds=10 eventually test -f "$epub" && break
done
file_appears "$epub"
done_box=$(window_named "Kerfa")
focus "$done_box"
xdotool key Return
window_gone "Kerfa"

# The structural check, and the chapters in the order of the compilation list.
python3 - "$epub" "$books/$book" <<'PY' || fail "the e-book does not pass the check"
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
