#!/usr/bin/python3
"""What a screen reader learns about a running program through AT-SPI.

    atspi-client.py tree PID           prints the program's accessible tree
    atspi-client.py focus PID COMMAND  runs COMMAND (keys or pointer moves by
                                       xdotool) and prints each object that
                                       gained the focus meanwhile
    atspi-client.py spot PID NAME      prints the screen centre "X Y" of the
                                       menu item NAME of the open menu
    atspi-client.py press PID NAME     runs the press action of that item

The program is found by its process id among the desktop's applications.
A line of the tree reads: indentation, role, the name in quotes, then the
shortcut in brackets and "disabled" where they apply. Exits 1 with a reason
when the program or the item is not found.
"""

import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402


def fail(reason):
    print(f"atspi-client: {reason}", file=sys.stderr)
    sys.exit(1)


def application(pid, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except GLib.Error:
                continue  # an application that went away meanwhile
        time.sleep(0.2)
    fail(f"no application with process id {pid} on the accessibility bus")


def offers(node, interface):
    return interface in node.get_interfaces()


def shortcut(node):
    if not offers(node, "Action") or node.get_n_actions() == 0:
        return ""
    return node.get_key_binding(0)


def describe(node):
    role = node.get_role_name()
    text = f'{role} "{node.get_name()}"'
    keys = shortcut(node) if role == "menu item" else ""
    if keys:
        text += f" [{keys}]"
    if not node.get_state_set().contains(Atspi.StateType.ENABLED):
        text += " disabled"
    return text


def walk(node, depth=0):
    yield depth, node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def open_menu_item(app, name):
    for _, node in walk(app):
        if node.get_role_name() == "menu item" and node.get_name() == name:
            return node
    fail(f'no menu item "{name}" in an open menu')


def focus_while(app, command):
    gained = []

    def on_focus(event):
        if event.detail1 == 1 and event.source is not None:
            gained.append(describe(event.source))

    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")
    loop = GLib.MainLoop()

    # The events the command causes arrive while the loop runs after it.
    def run_then_settle():
        subprocess.run(command, check=False)
        GLib.timeout_add(1000, loop.quit)
        return False

    GLib.timeout_add(300, run_then_settle)
    loop.run()
    listener.deregister("object:state-changed:focused")
    return gained


def main():
    if len(sys.argv) < 3:
        fail(__doc__.strip().splitlines()[2])
    what, pid = sys.argv[1], int(sys.argv[2])
    app = application(pid)
    if what == "tree":
        for depth, node in walk(app):
            print("  " * depth + describe(node))
    elif what == "focus":
        for line in focus_while(app, sys.argv[3:]):
            print(line)
    elif what == "spot":
        box = open_menu_item(app, sys.argv[3]).get_extents(Atspi.CoordType.SCREEN)
        print(box.x + box.width // 2, box.y + box.height // 2)
    elif what == "press":
        item = open_menu_item(app, sys.argv[3])
        if not offers(item, "Action") or not item.do_action(0):
            fail(f'the press of "{sys.argv[3]}" was refused')
    else:
        fail(f"unknown request {what}")


if __name__ == "__main__":
    main()
