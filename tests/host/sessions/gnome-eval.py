#!/usr/bin/env python3
"""Runs JavaScript in GNOME Shell (started with --unsafe-mode) through
org.gnome.Shell.Eval and prints the result; an array prints one item a line:
gnome-eval.py CODE"""
import json
import sys

import dbus

shell = dbus.Interface(
    dbus.SessionBus().get_object("org.gnome.Shell", "/org/gnome/Shell"), "org.gnome.Shell")
ok, result = shell.Eval(sys.argv[1])
if not ok:
    sys.exit("gnome-eval: %s" % result)
value = json.loads(result) if result else None
for item in value if isinstance(value, list) else [value]:
    print(item)
