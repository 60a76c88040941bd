#!/usr/bin/env python3
"""An ordinary window painted solid green (#00C000), for checking that the
desktop stays behind the user's windows: plain-window.py TITLE WIDTH HEIGHT
(WIDTH "full": a full-screen window, covering the whole desktop)"""
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

title, full = sys.argv[1], sys.argv[2] == "full"
width, height = (640, 480) if full else (int(sys.argv[2]), int(sys.argv[3]))
css = Gtk.CssProvider()
css.load_from_data(b"window { background: #00c000; }")
win = Gtk.Window(title=title)
win.get_style_context().add_provider(css, Gtk.STYLE_PROVIDER_PRIORITY_USER)
win.set_default_size(width, height)
win.connect("destroy", Gtk.main_quit)
if full:
    win.fullscreen()
win.show_all()
Gtk.main()
