#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The window's heights under one window manager: starts a desktop of its own with that
window manager, shows every set of groups in turn through the Show menu, and prints one
JSON object: the frame's height (title bar and borders, as the window manager reports it)
and, per set, the frame's top-left corner, the client height and the outer height.

A process of its own per window manager, as the accessibility library of a process serves
one desktop only.

    /usr/bin/python3 tests/desktop/frame_heights.py PATH/TO/reckonwise openbox|metacity HEIGHTS

HEIGHTS is a JSON object: the client height each set should reach ({"none": 132, ...}); the
groups its labels name are the ones shown in turn.
"""

import json
import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import (Desktop, Program, client_geometry, frame_extents,  # noqa: E402
                     frame_geometry, poll, settle)

ALL_GROUPS = ("Buttons", "Converter", "History", "Bits")


def steps(groups):
    """Items to toggle, one at a time, so that every set of the groups comes up once (a Gray
    code), and the last one again, back to none."""
    order = [groups[(i & -i).bit_length() - 1] for i in range(1, 1 << len(groups))]
    return order + [groups[-1]]


def heights(program, window_manager, expected_client):
    """expected_client maps a set's label to the client height it should reach; the reading
    is polled until it does (or a few seconds pass), then taken as it is."""
    with Desktop(window_manager) as desktop, Program(desktop, program) as p:
        _, _, top, bottom = poll("frame extents", lambda: frame_extents(p.window))

        def reading():
            x, y, _, outer = frame_geometry(p.window)
            return [x, y, client_geometry(p.window)[3], outer]

        def wait_for(label):
            return settle(lambda: reading(),
                          [0, 0, expected_client[label], expected_client[label] + top + bottom],
                          3)

        # The groups the sets name: three without the bits group, or all four.
        groups = [g for g in ALL_GROUPS if any(g in label.split("+") for label in expected_client)]
        sets = {"none": wait_for("none")}
        shown = set()
        for item in steps(groups):
            p.choose("Show", item)
            shown ^= {item}
            label = "+".join(g for g in groups if g in shown) or "none"
            sets[label] = wait_for(label)
        return {"frame": top + bottom, "sets": sets}


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    print(json.dumps(heights(os.path.abspath(sys.argv[1]), sys.argv[2], json.loads(sys.argv[3]))))
