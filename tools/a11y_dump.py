#!/usr/bin/env python3
"""Lists every control of the running tavrino-scope as a screen reader sees
it over AT-SPI: role, name and description, grouped by the page or child
panel it belongs to, in English and, after switching the language select to
Deutsch with the keyboard, in German.

Run it through tools/a11y_dump.sh, which starts the accessibility bus, a
virtual X display, the simulated sensor and the program. Exits non-zero when
a control has no name or no description, or when the German names are not
there after the switch.

    tools/a11y_dump.py [--out FILE] [--timeout SECONDS]
"""

import argparse
import subprocess
import sys
import time

import pyatspi

APP_NAME = "tavrino-scope"

# What a person works: presses, types into, chooses from, reads in a table.
CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TOGGLE_BUTTON,
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_TREE,
    pyatspi.ROLE_PAGE_TAB,
}
# Containers that Tab never stops at even when they say they could.
CONTAINER_ROLES = {
    pyatspi.ROLE_PAGE_TAB_LIST,
    pyatspi.ROLE_LAYERED_PANE,
    pyatspi.ROLE_SCROLL_PANE,
    pyatspi.ROLE_FRAME,
    pyatspi.ROLE_DIALOG,
    pyatspi.ROLE_WINDOW,
}


def find_app(timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == APP_NAME:
                frames = [app.getChildAtIndex(k) for k in range(app.childCount)]
                if any(f is not None and f.getRole() == pyatspi.ROLE_FRAME for f in frames):
                    return app
        time.sleep(0.2)
    sys.exit(f"{APP_NAME} did not appear on the accessibility bus within {timeout} s")


def is_control(node, role):
    if role in CONTROL_ROLES:
        return True
    if role in CONTAINER_ROLES:
        return False
    # A widget of its own that takes the focus, such as a graph worked with
    # the mouse or the arrow keys (a tab control that takes it for its tabs
    # has children).
    return node.getState().contains(pyatspi.STATE_FOCUSABLE) and node.childCount == 0


def walk(node, group, out, in_stack=False):
    """Appends (group, role, name, description) of every control under node.
    A page or child panel is a named child of a stack (layered pane) that is
    no control itself; a group is (number, heading), as a page and a panel
    may share a heading."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        role = child.getRole()
        child_group = group
        if in_stack and child.name and not is_control(child, role):
            child_group = (len(GROUPS), child.name)
            GROUPS.append(child_group)
        if role == pyatspi.ROLE_PAGE_TAB_LIST:
            # The tabs are the controls; the bar's scroll arrows are Qt's.
            for t in range(child.childCount):
                tab = child.getChildAtIndex(t)
                if tab is not None and tab.getRole() == pyatspi.ROLE_PAGE_TAB:
                    out.append((child_group, tab.getRoleName(), tab.name, tab.description))
            continue
        if is_control(child, role):
            out.append((child_group, child.getRoleName(), child.name, child.description))
            continue  # its cells, entries and parts are its own
        walk(child, child_group, out, role == pyatspi.ROLE_LAYERED_PANE)


# Every page and panel met, in the order met.
GROUPS = []


def dump(app):
    controls = []
    for i in range(app.childCount):
        frame = app.getChildAtIndex(i)
        if frame is not None:
            walk(frame, (-1, "main window"), controls)
    return controls


def find_shown(app, roles, name):
    """The first control of one of `roles` named `name` that is on the screen."""
    found = []

    def look(node):
        for i in range(node.childCount):
            if found:
                return
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            if (child.getRole() in roles and child.name == name
                    and child.getState().contains(pyatspi.STATE_SHOWING)):
                found.append(child)
                return
            if child.getRole() not in CONTROL_ROLES:
                look(child)

    look(app)
    return found[0] if found else None


def press(button):
    action = button.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "Toggle"):
            action.doAction(i)
            return
    sys.exit(f'"{button.name}" cannot be pressed')


def switch_to_german(app, timeout):
    """The operator's way: the connection page, then the language select
    with the focus and Up."""
    # The page selector's entry; the button of the same name is on the page.
    entry = find_shown(app, {pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON},
                       "CONNECT")
    if entry is None:
        sys.exit('no page selector entry "CONNECT"')
    press(entry)
    deadline = time.monotonic() + timeout
    combo = None
    while combo is None and time.monotonic() < deadline:
        combo = find_shown(app, {pyatspi.ROLE_COMBO_BOX}, "Language")
        time.sleep(0.2)
    if combo is None:
        sys.exit('no combo box named "Language" on the connection page')
    window = subprocess.run(["xdotool", "search", "--name", "TAVRINO4"], capture_output=True,
                            text=True, check=True).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True)
    if not combo.queryComponent().grabFocus():
        sys.exit("the language select takes no focus")
    time.sleep(0.3)
    subprocess.run(["xdotool", "key", "Up"], check=True)
    while time.monotonic() < deadline:
        if find_shown(app, {pyatspi.ROLE_COMBO_BOX}, "Sprache") is not None:
            return
        time.sleep(0.2)
    sys.exit('the language select is not named "Sprache" after the switch')


def report(language, controls, out):
    counts = {}
    faults = 0
    print(f"== {language}: {len(controls)} controls", file=out)
    for group, role, name, description in controls:
        counts[group] = counts.get(group, 0) + 1
        group = group[1]
        flag = ""
        if not name.strip() or not description.strip():
            flag = "  <-- " + ("no name" if not name.strip() else "no description")
            faults += 1
        one_line = description.replace("\n", " ").strip()
        print(f"{group} | {role} | {name} | {one_line}{flag}", file=out)
    return counts, faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", help="the full listing (default: standard output)")
    parser.add_argument("--timeout", type=float, default=30.0)
    args = parser.parse_args()
    out = open(args.out, "w", encoding="utf-8") if args.out else sys.stdout

    app = find_app(args.timeout)
    english = dump(app)
    switch_to_german(app, args.timeout)
    german = dump(app)

    en_counts, en_faults = report("English", english, out)
    de_counts, de_faults = report("German", german, out)
    if out is not sys.stdout:
        out.close()

    # The groups are named after the page headings, which change with the
    # language: the counts stand side by side in page order.
    print(f"{'English page / panel':32} {'controls':>8}   {'German page / panel':32} {'controls':>8}")
    for ((_, en), n), ((_, de), m) in zip(sorted(en_counts.items()), sorted(de_counts.items())):
        print(f"{en:32} {n:>8}   {de:32} {m:>8}")
    print(f"{'total':32} {len(english):>8}   {'':32} {len(german):>8}")
    print(f"without name or description: {en_faults} (English), {de_faults} (German)")
    return 1 if en_faults or de_faults or len(en_counts) != len(de_counts) else 0


if __name__ == "__main__":
    sys.exit(main())
