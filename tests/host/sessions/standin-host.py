#!/usr/bin/env python3
"""Stand-in desktop host for proving the session harness: the same command line
(load PAGE | window | quit), a layer-shell background surface per output where
offered, else an X11 DESKTOP window per monitor."""
import os
import signal
import sys

folder = os.path.join(os.environ["XDG_RUNTIME_DIR"], "desktop-sorvane")
pidfile = os.path.join(folder, "standin.pid")


def running():
    try:
        pid = int(open(pidfile).read())
        os.kill(pid, 0)
        return pid
    except (OSError, ValueError):
        return 0


def serve(page, ready_fd):
    import gi
    gi.require_version("Gtk", "3.0")
    gi.require_version("Gdk", "3.0")
    gi.require_version("GtkLayerShell", "0.1")
    gi.require_version("WebKit2", "4.1")
    from gi.repository import Gdk, Gtk, GtkLayerShell, WebKit2
    Gtk.init([])
    display = Gdk.Display.get_default()
    wayland = "Wayland" in type(display).__name__
    layer = wayland and GtkLayerShell.is_supported()
    print("display", type(display).__name__, "layer", layer, flush=True)
    if wayland and not layer:
        os.environ["GDK_BACKEND"] = "x11"
        os.execv(sys.executable, [sys.executable] + sys.argv + [str(ready_fd)])
    windows = {}
    views = []

    def add(monitor):
        win = Gtk.Window()
        view = WebKit2.WebView()
        view.get_settings().set_hardware_acceleration_policy(
            WebKit2.HardwareAccelerationPolicy.NEVER)
        view.load_uri("file://" + page)
        views.append(view)
        win.add(view)
        if layer:
            GtkLayerShell.init_for_window(win)
            GtkLayerShell.set_layer(win, GtkLayerShell.Layer.BACKGROUND)
            GtkLayerShell.set_monitor(win, monitor)
            for e in (GtkLayerShell.Edge.LEFT, GtkLayerShell.Edge.RIGHT,
                      GtkLayerShell.Edge.TOP, GtkLayerShell.Edge.BOTTOM):
                GtkLayerShell.set_anchor(win, e, True)
            GtkLayerShell.set_exclusive_zone(win, -1)
        else:
            g = monitor.get_geometry()
            win.set_type_hint(Gdk.WindowTypeHint.DESKTOP)
            win.set_keep_below(True)
            win.stick()
            win.set_skip_taskbar_hint(True)
            win.set_skip_pager_hint(True)
            win.move(g.x, g.y)
            win.set_default_size(g.width, g.height)
            monitor.connect("notify::geometry", lambda m, _p: (
                win.move(m.get_geometry().x, m.get_geometry().y),
                win.resize(m.get_geometry().width, m.get_geometry().height)))
        win.show_all()
        windows[monitor] = win

    for i in range(display.get_n_monitors()):
        add(display.get_monitor(i))
    display.connect("monitor-added", lambda _d, m: add(m))
    display.connect("monitor-removed", lambda _d, m: windows.pop(m).destroy())
    with open(pidfile, "w") as f:
        f.write(str(os.getpid()))
    os.write(ready_fd, b"1")
    os.close(ready_fd)
    signal.signal(signal.SIGTERM, lambda *_: Gtk.main_quit())
    signal.signal(signal.SIGUSR1, lambda *_: [
        v.load_uri("file://" + open(pidfile + ".page").read()) for v in views])
    from gi.repository import GLib
    GLib.timeout_add(200, lambda: True)  # lets Python see SIGTERM
    Gtk.main()
    os.unlink(pidfile)


def main():
    verb = sys.argv[1] if len(sys.argv) > 1 else ""
    if verb == "window":
        print(running())
    elif verb == "quit":
        pid = running()
        if pid:
            os.kill(pid, signal.SIGTERM)
    elif verb == "load" and len(sys.argv) == 4:  # re-executed for X11
        serve(sys.argv[2], int(sys.argv[3]))
    elif verb == "load" and running():
        if not os.path.isfile(sys.argv[2]):
            sys.exit("no page " + sys.argv[2])
        with open(pidfile + ".page", "w") as f:
            f.write(os.path.abspath(sys.argv[2]))
        os.kill(running(), signal.SIGUSR1)
    elif verb == "load":
        os.makedirs(folder, mode=0o700, exist_ok=True)
        r, w = os.pipe()
        if os.fork() == 0:
            os.close(r)
            os.setsid()
            null = os.open(os.devnull, os.O_RDWR)
            log = os.open(os.path.join(folder, "standin.log"), os.O_WRONLY | os.O_CREAT, 0o600)
            os.dup2(null, 0)
            os.dup2(log, 1)
            os.dup2(log, 2)
            os.set_inheritable(w, True)
            serve(os.path.abspath(sys.argv[2]), w)
            os._exit(0)
        os.close(w)
        if os.read(r, 1) != b"1":
            sys.exit("stand-in: this session offers neither layer-shell nor X11")
    else:
        sys.exit(2)


main()
