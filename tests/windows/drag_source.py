#!/usr/bin/env python3
"""An X11 drag source for the real-drag tests.

Usage: drag_source.py [--text TEXT] [PATH ...]

Shows an undecorated 120x60 window at the screen's top-left corner that
offers PATHs as text/uri-list (or TEXT as text/plain with --text) to a drag
started with button 1 anywhere in it. Prints "ready" once the window is on
screen, then "end accepted" or "end refused" when the drag is over, and exits.
"""
import sys
import urllib.parse

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gdk, Gtk  # noqa: E402

WIDTH, HEIGHT = 120, 60


def main(argv):
    text = None
    if len(argv) >= 2 and argv[0] == "--text":
        text, argv = argv[1], argv[2:]
    window = Gtk.Window(title="drag source")
    window.set_decorated(False)
    window.set_default_size(WIDTH, HEIGHT)
    window.move(0, 0)
    target = "text/plain" if text is not None else "text/uri-list"
    window.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [Gtk.TargetEntry.new(target, 0, 0)],
                           Gdk.DragAction.COPY)

    def on_get(_widget, _context, data, _info, _time):
        if text is not None:
            data.set_text(text, -1)
        else:
            data.set_uris(["file://" + urllib.parse.quote(path) for path in argv])

    failed = []

    def on_failed(_widget, _context, _result):
        failed.append(True)
        return False

    def on_end(_widget, _context):
        # drag-failed, when it comes, comes before drag-end.
        print("end refused" if failed else "end accepted", flush=True)
        GLib.timeout_add(100, Gtk.main_quit)

    def ready():
        print("ready", flush=True)
        return False

    def on_map(_widget, _event):
        GLib.timeout_add(100, ready)
        return False

    window.connect("drag-data-get", on_get)
    window.connect("drag-failed", on_failed)
    window.connect("drag-end", on_end)
    window.connect("map-event", on_map)
    window.connect("destroy", Gtk.main_quit)
    window.show_all()
    Gtk.main()


if __name__ == "__main__":
    main(sys.argv[1:])
