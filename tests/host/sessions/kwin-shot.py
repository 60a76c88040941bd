#!/usr/bin/env python3
"""Saves a screenshot of KWin's active screen as PNG through its ScreenShot2
D-Bus interface (KWin must run with KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1):
kwin-shot.py OUT.png [workspace]   (workspace: all outputs side by side)"""
import os
import subprocess
import sys
import threading

import dbus

out = sys.argv[1]
shooter = dbus.Interface(
    dbus.SessionBus().get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2"),
    "org.kde.KWin.ScreenShot2")
r, w = os.pipe()
chunks = []
# KWin writes the image after it answers; read alongside so neither side stalls.
reader = threading.Thread(target=lambda: chunks.extend(iter(lambda: os.read(r, 1 << 16), b"")))
reader.start()
try:
    capture = shooter.CaptureWorkspace if sys.argv[2:] == ["workspace"] else shooter.CaptureActiveScreen
    info = capture({"native-resolution": True}, dbus.types.UnixFd(w))
finally:
    os.close(w)
reader.join(30)
data = b"".join(chunks)
width, height, stride = int(info["width"]), int(info["height"]), int(info["stride"])
# QImage's 32-bit formats are B, G, R, A in memory on little-endian machines.
rgb = bytearray(width * height * 3)
for y in range(height):
    row = data[y * stride:y * stride + width * 4]
    line = rgb[y * width * 3:(y + 1) * width * 3]
    line[0::3], line[1::3], line[2::3] = row[2::4], row[1::4], row[0::4]
    rgb[y * width * 3:(y + 1) * width * 3] = line
subprocess.run(["convert", "ppm:-", out], check=True,
               input=b"P6 %d %d 255\n" % (width, height) + bytes(rgb))
