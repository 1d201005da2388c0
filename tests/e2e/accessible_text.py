#!/usr/bin/python3
"""Prints the text of the first element of a running program's windows whose text begins with
the given words, as its accessibility interface tells it to a screen reader:
"accessible_text.py kerfa 'Words written today:'" prints "Words written today: 12"."""
import sys
import time

import dbus

from menu_bar import accessibility_bus, children, prop


def find(bus, program, prefix):
    for name, path in children(bus, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"):
        try:
            if str(prop(bus, name, path, "Name")).lower() != program:
                continue
        except dbus.DBusException:
            continue
        pending = [(name, path, 0)]
        while pending:
            name, path, depth = pending.pop(0)
            text = str(prop(bus, name, path, "Name"))
            if text.startswith(prefix):
                return text.strip()
            if depth < 8:
                pending += [(n, p, depth + 1) for n, p in children(bus, name, path)]
    return None


def main():
    program, prefix = sys.argv[1], sys.argv[2]
    bus = accessibility_bus()
    for _ in range(100):
        try:
            text = find(bus, program, prefix)
        except dbus.DBusException:
            text = None
        if text:
            print(text)
            return 0
        time.sleep(0.1)
    print("nothing reading \"%s\" in %s" % (prefix, program), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
