#!/usr/bin/env python3
"""An ordinary window painted solid green (#00C000), for checking that the
desktop stays behind the user's windows: plain-window.py TITLE WIDTH HEIGHT"""
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

title, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
css = Gtk.CssProvider()
css.load_from_data(b"window { background: #00c000; }")
win = Gtk.Window(title=title)
win.get_style_context().add_provider(css, Gtk.STYLE_PROVIDER_PRIORITY_USER)
win.set_default_size(width, height)
win.connect("destroy", Gtk.main_quit)
win.show_all()
Gtk.main()
