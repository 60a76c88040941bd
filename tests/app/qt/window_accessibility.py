#!/usr/bin/env python3
"""Reads the running window's accessibility tree through AT-SPI and fails on
an interactive control a screen reader could not name, or on a wrong role.
Prints the tree it read. Exit 0 when all is well, 1 with the faults."""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

R = Atspi.Role
INTERACTIVE = {R.PUSH_BUTTON, R.TOGGLE_BUTTON, R.RADIO_BUTTON, R.CHECK_BOX, R.COMBO_BOX,
               R.LIST, R.LIST_BOX, R.TABLE, R.TREE, R.TEXT, R.ENTRY, R.PASSWORD_TEXT, R.LINK,
               R.PAGE_TAB, R.SLIDER, R.SPIN_BUTTON, R.PROGRESS_BAR, R.MENU_ITEM, R.IMAGE}


def find_app(name, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name and app.get_child_count() > 0:
                return app
        time.sleep(0.5)
    return None


def walk(node, depth, out):
    out.append((depth, node))
    for i in range(min(node.get_child_count(), 200)):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child, depth + 1, out)


def main():
    app = find_app(sys.argv[1] if len(sys.argv) > 1 else "desktop-sorvane")
    if app is None:
        print("the window never appeared on the accessibility bus")
        return 1
    nodes = []
    walk(app, 0, nodes)
    faults = []
    by_name = {}
    for depth, node in nodes:
        role, name = node.get_role(), node.get_name() or ""
        print("  " * depth + f"{node.get_role_name()}: {name!r}")
        by_name.setdefault(name, []).append(node)
        # List entries are named by their own text; their container is what counts.
        if role in INTERACTIVE and not name.strip() and node.get_parent().get_role() not in (
                R.LIST, R.LIST_BOX, R.TABLE):
            faults.append(f"unnamed {node.get_role_name()} under "
                          f"{node.get_parent().get_role_name()} {node.get_parent().get_name()!r}")
        if role == R.FILLER and depth == 1:
            faults.append(f"top-level window {name!r} reads as a filler")
        if depth > 1 and role in (R.FRAME, R.DIALOG, R.WINDOW):
            faults.append(f"{name!r} inside the window has the top-level role {node.get_role_name()}")

    def expect(name, role):
        found = [n for n in by_name.get(name, []) if n.get_role() == role]
        if not found:
            faults.append(f"no {Atspi.role_get_name(role)} named {name!r}")
        return found

    expect("Desktop Sorvane", R.FRAME)
    expect("Pictures", R.LIST)
    expect("Move up", R.PUSH_BUTTON)
    expect("Move down", R.PUSH_BUTTON)
    expect("Background Color: Desktop", R.PUSH_BUTTON)
    expect("Preview", R.IMAGE)
    for link in [n for _, n in nodes if n.get_role() == R.LINK]:
        states = link.get_state_set()
        if not states.contains(Atspi.StateType.FOCUSABLE):
            faults.append(f"link {link.get_name()!r} cannot take focus")
        action = link.get_action_iface()
        names = [action.get_action_name(i) for i in range(action.get_n_actions())] if action else []
        if not any(a.lower() in ("press", "click", "activate") for a in names):
            faults.append(f"link {link.get_name()!r} cannot be pressed ({names})")
    if len([n for _, n in nodes if n.get_role() == R.LINK]) != 2:
        faults.append("the About page should have two links")

    # Where to click to open a dialog, for the caller's check of its title.
    for add in expect("Add Picture", R.PUSH_BUTTON)[:1]:
        box = add.get_extents(Atspi.CoordType.SCREEN)
        print(f"ADD_PICTURE {box.x + box.width // 2} {box.y + box.height // 2}")
    for fault in faults:
        print("FAULT:", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
