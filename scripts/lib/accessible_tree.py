"""Prints what assistive technology sees of a running application over AT-SPI, one
accessible a line (indented by depth: role, name, description), and exits non-zero when
any of the names given after the application's is missing.

    python3 accessible_tree.py APPLICATION [NAME...]
"""
import sys
import time

import pyatspi


def find_application(name, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower() == name.lower():
                return app
        time.sleep(0.5)
    return None


def walk(node, depth, seen, out):
    if node is None or depth > 30:
        return
    name = node.name or ""
    description = node.description or ""
    seen.add(name)
    out.append("%s%s %r%s" % ("  " * depth, node.getRoleName(), name,
                                " - " + description if description else ""))
    for child in node:
        walk(child, depth + 1, seen, out)


def main():
    app = find_application(sys.argv[1])
    if app is None:
        print("no application %r on the accessibility bus" % sys.argv[1])
        return 1
    seen, lines = set(), []
    walk(app, 0, seen, lines)
    # Rows of long lists are not worth reading here: the first 120 lines show the window.
    print("\n".join(lines[:120]))
    missing = [n for n in sys.argv[2:] if n not in seen]
    if missing:
        print("missing: " + ", ".join(missing))
        return 1
    print("found every name asked for (%d accessibles)" % len(lines))
    return 0


sys.exit(main())
