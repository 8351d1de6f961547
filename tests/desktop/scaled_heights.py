#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The window's heights on a scaled screen: starts a desktop of its own (openbox, a screen of
the given size), runs the program with one variable set (QT_SCALE_FACTOR=1.5, QT_FONT_DPI=144),
shows every set of groups in turn with the Show menu's letters, and prints one JSON object:
per set, the frame's top, the outer and the client height (screen pixels), and, with the
history shown, where its group ends on the screen.

A process of its own per variable, as the accessibility library of a process serves one
desktop only. The menus are opened with keys: at a scale the accessible extents Qt reports
are not the screen's pixels, so clicks at them would miss.

    /usr/bin/python3 tests/desktop/scaled_heights.py PATH/TO/reckonwise WIDTHxHEIGHT NAME=VALUE
"""

import json
import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import (Desktop, Program, activate, client_geometry, extents, find,  # noqa: E402
                     frame_geometry, key, poll)

GROUPS = ("Buttons", "Converter", "History")
STEPS = ("Buttons", "Converter", "Buttons", "History", "Buttons", "Converter", "Buttons")


def heights(program, screen, variable):
    name, value = variable.split("=", 1)
    with Desktop(screen=screen) as desktop, Program(desktop, program, env={name: value}) as p:
        def reading():
            _, y, _, outer = frame_geometry(p.window)
            return [y, outer, client_geometry(p.window)[3]]

        sets, shown = {}, set()
        for item in STEPS:
            before = reading()
            activate(p.window)
            key("alt+s", item[0].lower())
            shown ^= {item}
            label = "+".join(g for g in GROUPS if g in shown)
            # Every step changes the height; read once two readings agree.
            poll(f"the window changed for {label}", lambda: reading() != before)
            last = [None]

            def steady():
                now, last[0] = reading(), reading()
                return now == last[0]

            poll(f"the window steady for {label}", steady)
            entry = {"frame": last[0]}
            if "History" in shown:
                _, y, _, h = extents(find(p.app, "panel", "History"))
                entry["history"] = [y, h]  # as the accessibility tree reports them
            sets[label] = entry
        return sets


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    width, height = (int(v) for v in sys.argv[2].split("x"))
    print(json.dumps(heights(os.path.abspath(sys.argv[1]), (width, height), sys.argv[3])))
