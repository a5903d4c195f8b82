#!/usr/bin/python3
"""Reads a program over the desktop's accessibility bus (AT-SPI), as a screen
reader does, and prints what it read as JSON for the system tests.

  atspi_reader.py check             pyatspi can be loaded
  atspi_reader.py enable            turns accessibility on (what a screen reader does)
  atspi_reader.py tree APP          the application's objects: role, name,
                                    description, states, extents in screen
                                    pixels, text, table rows and column names
  atspi_reader.py events APP SECS   focus events, one JSON line each, after
                                    a {"ready": true} line
"""
import json
import sys

MAX_CHILDREN = 200   # a list's rows beyond these are not walked


def role_of(acc):
    from gi.repository import Atspi
    return Atspi.role_get_name(acc.getRole())


def node(acc, depth):
    import pyatspi
    out = {"role": role_of(acc), "name": acc.name or "", "description": acc.description or ""}
    out["states"] = sorted(pyatspi.stateToString(s) for s in acc.getState().getStates())
    try:
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        out["extents"] = [e.x, e.y, e.width, e.height]
    except NotImplementedError:
        pass
    try:
        out["text"] = acc.queryText().getText(0, -1)
    except NotImplementedError:
        pass
    try:
        table = acc.queryTable()
        out["rows"] = table.nRows
        out["columns"] = table.nColumns
        out["columnNames"] = [table.getColumnDescription(c) for c in range(table.nColumns)]
        out["rowTexts"] = [table.getRowDescription(r) for r in range(min(table.nRows, MAX_CHILDREN))]
    except NotImplementedError:
        pass
    if depth > 0:
        children = []
        for i in range(min(acc.childCount, MAX_CHILDREN)):
            child = acc.getChildAtIndex(i)
            if child is not None:
                children.append(node(child, depth - 1))
        out["children"] = children
    return out


def application(name):
    import pyatspi
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def tree(name):
    app = application(name)
    if app is None:
        print(json.dumps({"error": "no application named " + name + " on the bus"}))
        return 1
    print(json.dumps(node(app, 40)))
    return 0


def events(name, seconds):
    import pyatspi
    from gi.repository import GLib

    def on_event(event):
        source = event.source
        try:
            if source.getApplication().name != name:
                return
            print(json.dumps({"type": event.type, "detail1": event.detail1, "role": role_of(source),
                              "name": source.name or ""}), flush=True)
        except Exception:   # the object went away meanwhile
            pass

    pyatspi.Registry.registerEventListener(on_event, "focus:", "object:state-changed:focused")
    GLib.timeout_add(int(seconds * 1000), pyatspi.Registry.stop)
    print(json.dumps({"ready": True}), flush=True)
    pyatspi.Registry.start()
    return 0


def enable():
    from gi.repository import Gio, GLib
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 10000, None)
    reply = bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                          GLib.VariantType.new("(s)"), Gio.DBusCallFlags.NONE, 10000, None)
    print(json.dumps({"enabled": True, "address": reply.unpack()[0]}))
    return 0


def main(args):
    command = args[0] if args else ""
    if command == "check":
        import pyatspi  # noqa: F401
        from gi.repository import Atspi  # noqa: F401
        print(json.dumps({"pyatspi": True}))
        return 0
    if command == "enable":
        return enable()
    if command == "tree" and len(args) == 2:
        return tree(args[1])
    if command == "events" and len(args) == 3:
        return events(args[1], float(args[2]))
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
