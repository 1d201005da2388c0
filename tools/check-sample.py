#!/usr/bin/env python3
"""Checks the sample book shipped in data/Examples before it is committed.

Usage: tools/check-sample.py [project folder]
Verifies the file formats a Kerfa project relies on (UTF-8 without a byte-order mark,
CR LF line breaks, the sheet INI keys), the sheet names, the links (targets exist, at
most one incoming link, no cycles, no link to or from the Compilation sheet) and that
every sheet with its label lies inside the stretch of desk seen at the default window
size. Prints one line per fault and exits with 1 when there is any.
"""
import os
import sys

DEFAULT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "Examples",
                       "The Lighthouse Keeper")
FORBIDDEN = set('\\/:*?"<>|')
VISIBLE = (10, 5, 680, 430)   # left, top, right, bottom of the desk seen without scrolling
LABEL_WIDTH = 120             # the label wraps at 120 pixels, centred under the icon
LABEL_HEIGHT = 14             # one line of the 8-point label font

faults = []


def fault(where, text):
    faults.append(f"{where}: {text}")


def read_text(path):
    data = open(path, "rb").read()
    where = os.path.basename(path)
    if data.startswith(b"\xef\xbb\xbf"):
        fault(where, "starts with a byte-order mark")
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as e:
        fault(where, f"not UTF-8 ({e})")
        return ""
    if b"\n" in data.replace(b"\r\n", b"") or b"\r" in data.replace(b"\r\n", b""):
        fault(where, "line break other than CR LF")
    try:
        text.encode("cp1252")
    except UnicodeEncodeError as e:
        fault(where, f"character outside Windows-1252 ({e.object[e.start:e.end]!r})")
    return text


def read_ini(path):
    sections, current = {}, None
    for line in read_text(path).split("\r\n"):
        line = line.strip()
        if not line:
            continue
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1].lower(), {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key.strip().lower()] = value
        else:
            fault(os.path.basename(path), f"unreadable line {line!r}")
    return sections


def integer(where, sections, section, key, low, high):
    try:
        value = int(sections[section][key])
    except (KeyError, ValueError):
        fault(where, f"[{section}] {key} missing or not a number")
        return None
    if not low <= value <= high:
        fault(where, f"[{section}] {key}={value} outside {low}..{high}")
    return value


def check_project_file(folder):
    names = [n for n in os.listdir(folder) if n.lower().endswith(".kerfa")]
    if len(names) != 1:
        fault(folder, f"expected one project file, found {names}")
        return
    project = read_ini(os.path.join(folder, names[0]))
    integer(names[0], project, "workspace", "size", 0, 2)
    integer(names[0], project, "workspace", "boldbasetype", 0, 1)
    if project.get("theme", {}).get("name") != "Book.ini":
        fault(names[0], "[Theme] Name is not Book.ini")


def check_sheet_name(name):
    if len(name) > 40:
        fault(name, "name longer than 40 characters")
    if FORBIDDEN & set(name):
        fault(name, "name holds a character that file names forbid")
    if name != " ".join(name.split()):
        fault(name, "name has leading, trailing or doubled blanks")
    if name.lower() in ("compilation", "unnamed", ""):
        fault(name, "reserved name")


def read_sheets(folder):
    sheets = {}
    sheet_folder = os.path.join(folder, "Kerfa Files")
    for file_name in sorted(os.listdir(sheet_folder)):
        if not file_name.endswith(".kfa"):
            fault(file_name, "not a sheet file")
            continue
        name = file_name[: file_name.index(".kfa")]
        check_sheet_name(name)
        ini = read_ini(os.path.join(sheet_folder, file_name))
        sheet = {
            "type": integer(name, ini, "statedata", "type", 0, 7),
            "state": integer(name, ini, "statedata", "state", 0, 2),
            "left": integer(name, ini, "position", "left", 0, 10000),
            "top": integer(name, ini, "position", "top", 0, 10000),
            "link": ini.get("linkto", {}).get("name"),
        }
        description = ini.get("description", {}).get("text")
        if not description:
            fault(name, "no description")
        elif len(description) > 255 or description != description.strip() or '"' in description:
            fault(name, "description too long, padded with blanks or quoted")
        if sheet["link"] is None:
            fault(name, "no [LinkTo] Name")
        if not os.path.isfile(os.path.join(folder, "Text Files", name + ".txt")):
            fault(name, "no text file")
        sheets[name] = sheet
    for file_name in os.listdir(os.path.join(folder, "Text Files")):
        text = read_text(os.path.join(folder, "Text Files", file_name))
        if not file_name.endswith(".txt") or file_name[:-4] not in sheets:
            fault(file_name, "text file without a sheet")
        elif not text.strip():
            fault(file_name, "empty text")
    return sheets


def check_links(sheets):
    incoming = {}
    for name, sheet in sheets.items():
        target = sheet["link"]
        if not target:
            continue
        if target not in sheets:
            fault(name, f"links to a missing sheet {target!r}")
            continue
        if target == name:
            fault(name, "links to itself")
        if target in incoming:
            fault(target, f"linked from both {incoming[target]!r} and {name!r}")
        incoming[target] = name
    for start in sheets:
        seen, name = set(), start
        while name in sheets and sheets[name]["link"]:
            if name in seen:
                fault(start, "its chain of links runs in a circle")
                break
            seen.add(name)
            name = sheets[name]["link"]


def check_layout(sheets):
    boxes = {}
    for name, sheet in sheets.items():
        if None in (sheet["type"], sheet["left"], sheet["top"]):
            continue
        size = 48 if sheet["type"] == 0 else 32
        left, top = sheet["left"], sheet["top"]
        centre = left + size // 2
        icon = (left, top, left + size, top + size)
        label = (centre - LABEL_WIDTH // 2, top + size + 1, centre + LABEL_WIDTH // 2,
                 top + size + 1 + LABEL_HEIGHT)
        if icon[0] < VISIBLE[0] or icon[1] < VISIBLE[1] or icon[2] > VISIBLE[2] or label[3] > VISIBLE[3]:
            fault(name, f"icon or label outside the visible desk {VISIBLE}")
        boxes[name] = icon
    names = sorted(boxes)
    for i, a in enumerate(names):
        for b in names[i + 1:]:
            p, q = boxes[a], boxes[b]
            if p[0] < q[2] and q[0] < p[2] and p[1] < q[3] and q[1] < p[3]:
                fault(a, f"icon overlaps the icon of {b!r}")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else DEFAULT
    check_project_file(folder)
    sheets = read_sheets(folder)
    check_links(sheets)
    check_layout(sheets)
    for line in faults:
        print(line)
    print(f"{len(sheets)} sheets, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
