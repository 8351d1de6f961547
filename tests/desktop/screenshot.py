#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Takes the README's pictures of the window: the program on a desktop of its own under
openbox, a few lines computed and the last one's result showing, cut out with the window
manager's frame and title bar. The first picture has the pad and the history shown; with
--bits, the second has the history and the bits group, in a 32-bit range.

    /usr/bin/python3 tests/desktop/screenshot.py PATH/TO/reckonwise OUTPUT.png [--bits]
"""

import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import (SCREEN_HEIGHT, SCREEN_WIDTH, Desktop, Program, find, key,  # noqa: E402
                     pointer_to, poll, screenshot, type_text)

ENTERED = ("2^100", "sqrt 2", "0xFF & 0xF4 + 5", "100!/98!", "sin(30)*7")
SHOWN = "2^64-1"  # typed last, left on the line with its result
BITS_ENTERED = ("0xFF & 0xF4 + 5", "1<<20", "-1")
BITS_SHOWN = "0xCAFE*65537"


def main(program, output, bits=False):
    with Desktop() as desktop, Program(desktop, program) as p:
        if bits:
            p.choose("Settings", "Value range", "signed long (32 bits)")
        else:
            p.choose("Show", "Buttons")
        p.choose("Show", "History")
        if bits:
            p.choose("Show", "Bits")
        entered, shown = (BITS_ENTERED, BITS_SHOWN) if bits else (ENTERED, SHOWN)
        for line in entered:
            type_text(line)
            key("Return")
        type_text(shown)
        table = find(p.app, "table", "History")
        lines = entered + (shown,)

        def all_computed():
            cells = [(table.get_accessible_at(r, 0).get_name(),
                      table.get_accessible_at(r, 1).get_name()) for r in range(table.get_n_rows())]
            return [e for e, _ in cells] == list(lines) and all(r for _, r in cells)

        poll("every line computed", all_computed, timeout=30)
        # No pointer over a button, and the picture taken once the window has settled.
        pointer_to(SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1)
        x, y, w, h = p.outer_geometry()
        last = [None]

        def settled():
            shot, last[0] = last[0], screenshot(x, y, w, h)
            return shot == last[0]

        poll("the window's picture settled", settled)
        screenshot(x, y, w, h, output)
        print(f"{output}: {w}x{h}, frame at {x},{y}")
        if x < 0 or y < 0:
            print("warning: the frame reaches past the screen's edge; the picture lacks that part")


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4) or sys.argv[3:] not in ([], ["--bits"]):
        sys.exit(__doc__)
    main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3:] == ["--bits"])
