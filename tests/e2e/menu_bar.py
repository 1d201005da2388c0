#!/usr/bin/python3
"""Prints the menu titles of a running program's menu bar, as its accessibility interface
tells them to a screen reader: "File Tools Help". The program is found on the session's
accessibility bus by its name; the first menu bar of its windows is read."""
import sys
import time

import dbus

ACCESSIBLE = "org.a11y.atspi.Accessible"
ROOT = "/org/a11y/atspi/accessible/root"


def accessibility_bus():
    bus = dbus.SessionBus()
    launcher = bus.get_object("org.a11y.Bus", "/org/a11y/bus")
    return dbus.bus.BusConnection(dbus.Interface(launcher, "org.a11y.Bus").GetAddress())


def node(bus, name, path):
    return bus.get_object(name, path, introspect=False)


def children(bus, name, path):
    return [(str(n), str(p)) for n, p in dbus.Interface(node(bus, name, path), ACCESSIBLE).GetChildren()]


def prop(bus, name, path, what):
    return node(bus, name, path).Get(ACCESSIBLE, what, dbus_interface=dbus.PROPERTIES_IFACE)


def role(bus, name, path):
    return str(dbus.Interface(node(bus, name, path), ACCESSIBLE).GetRoleName())


def menu_bar(bus, program):
    for name, path in children(bus, "org.a11y.atspi.Registry", ROOT):
        try:
            if str(prop(bus, name, path, "Name")).lower() != program:
                continue
        except dbus.DBusException:
            continue
        pending = [(name, path, 0)]
        while pending:
            name, path, depth = pending.pop(0)
            if role(bus, name, path) == "menu bar":
                return [str(prop(bus, n, p, "Name")) for n, p in children(bus, name, path)]
            if depth < 4:
                pending += [(n, p, depth + 1) for n, p in children(bus, name, path)]
    return None


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "kerfa"
    bus = accessibility_bus()
    # The program registers itself a moment after its window shows.
    for _ in range(100):
        try:
            titles = menu_bar(bus, program)
        except dbus.DBusException:
            titles = None
        if titles:
            print(" ".join(titles))
            return 0
        time.sleep(0.1)
    print("no menu bar of %s on the accessibility bus" % program, file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
