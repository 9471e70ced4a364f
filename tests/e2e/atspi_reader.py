#!/usr/bin/python3
"""Reads the running quorvel-demo through AT-SPI, as a screen reader does.

Finds the start page by its title, prints its tree, presses the latitude link
by its name through the link's action, waits for the latitude page's
"Abbrechen" button and prints that page's tree. Exit code 1 on any failure.
Usage: atspi_reader.py PID
"""
import sys
import time

import pyatspi

LATITUDE_LINK = "Langzeitmessung: Breitengradsuche per Festplatte"
# Roles are compared as numbers: their names differ between at-spi2-core's releases
# (2.46 says "push button", 2.56 "button").


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def fresh(node):
    # The client keeps copies of what it read; a page that repaints must be read anew.
    node.clear_cache()
    return node


def children(node):
    fresh(node)
    return [child for child in node if child is not None]


def walk(node):
    yield node
    for child in children(node):
        yield from walk(child)


def application(pid, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = fresh(pyatspi.Registry.getDesktop(0))
        for app in desktop:
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.2)
    fail("quorvel-demo is not on the accessibility bus")


def showing(node):
    return fresh(node).getState().contains(pyatspi.STATE_SHOWING)


def shown_page(app):
    """The page on the screen: the showing panel whose first child is the title."""
    for node in walk(app):
        if node.getRole() == pyatspi.ROLE_PANEL and showing(node):
            kids = children(node)
            if kids and kids[0].name == "Quorvel":
                return node
    return None


def describe(node):
    line = '{} "{}"'.format(node.getRoleName(), node.name.replace("\n", "\\n"))
    try:
        extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        line += " at {},{} {}x{}".format(extents.x, extents.y, extents.width, extents.height)
    except NotImplementedError:
        pass  # a notification, never drawn
    try:
        action = node.queryAction()
        line += " actions: " + ", ".join(action.getName(i) for i in range(action.nActions))
    except NotImplementedError:
        pass
    return line


def print_page(title, page):
    print(title)
    print("  " + describe(page))
    for child in children(page):
        print("    " + describe(child))


def wait_for(what, seconds, probe):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found is not None:
            return found
        time.sleep(0.2)
    fail("gave up waiting for " + what)


def main():
    app = application(int(sys.argv[1]), 20)
    start = wait_for("the start page", 10, lambda: shown_page(app))
    print_page("Start page:", start)

    links = [child for child in children(start)
             if child.name == LATITUDE_LINK and child.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    if len(links) != 1:
        fail("the latitude link is not one push button on the start page")
    action = links[0].queryAction()
    if not action.doAction(0):
        fail("pressing the latitude link was refused")

    def latitude_page():
        page = shown_page(app)
        if page is None:
            return None
        names = [(child.getRole(), child.name) for child in children(page)]
        return page if (pyatspi.ROLE_PUSH_BUTTON, "Abbrechen") in names else None

    page = wait_for('the latitude page\'s "Abbrechen" button', 10, latitude_page)
    # The first estimate follows after a second of measuring.
    wait_for("the first estimate", 10,
             lambda: True if any(c.name.startswith("Letzte Schätzung") for c in children(page)) else None)
    print_page("Latitude page:", page)
    print('PASS: the latitude link was found and pressed by its name, and "Abbrechen" appeared')


main()
