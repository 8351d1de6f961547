#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The "Bits" group on a real desktop (Xvfb, openbox, the accessibility bus): its rows and
bit cells as assistive technology reads them in every value range, a flipped bit (by a
click and by Space) that rewrites the expression line and gives the expected result, the
copy buttons, a result without bits, and the window's heights with the group.

    /usr/bin/python3 tests/desktop/bits_test.py PATH/TO/reckonwise [-k NAME] [-v]
"""

import atexit
import json
import os
import signal
import subprocess
import sys
import unittest

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import (Desktop, Program, click_on, clipboard, expect, find,  # noqa: E402
                     find_all, find_windows, has_state, key, labelled_by, poll, settle,
                     type_text)

PROGRAM = None
HERE = os.path.dirname(os.path.abspath(__file__))
desktop = None


def setUpModule():
    global desktop
    desktop = Desktop().__enter__()
    atexit.register(desktop.close)


def tearDownModule():
    desktop.close()


# The designed client heights (menu bar included, frame not) of every set of groups: the
# bits group adds 205 pixels below the others.
GROUP_HEIGHTS = {"Buttons": 229, "Converter": 137, "History": 205, "Bits": 205}
GROUPS = tuple(GROUP_HEIGHTS)


def client_heights():
    heights = {}
    for mask in range(1 << len(GROUPS)):
        shown = [g for i, g in enumerate(GROUPS) if mask >> i & 1]
        heights["+".join(shown) or "none"] = 132 + sum(GROUP_HEIGHTS[g] for g in shown)
    return heights


ROWS = ("Decimal:", "Hexadecimal:", "Octal:", "Binary:")

# Per value range: the expression typed, its decimal and hexadecimal rows, the grid's width
# and the bits set, the bit flipped and the line the flip writes (in the Full format, the
# result shown is that line).
RANGES = (
    ("unsigned char (8 bits)", "-1", "255", "0xFF", 8, range(8), 7, "127"),
    ("signed char (8 bits)", "127", "127", "0x7F", 8, range(7), 7, "-1"),
    ("unsigned short (16 bits)", "65535", "65 535", "0xFFFF", 16, range(16), 15, "32767"),
    ("signed short (16 bits)", "-32768", "-32 768", "0x8000", 16, (15,), 0, "-32767"),
    ("unsigned long (32 bits)", "2^32-1", "4 294 967 295", "0xFFFF FFFF", 32, range(32), 31,
     "2147483647"),
    ("signed long (32 bits)", "2^31", "-2 147 483 648", "0x8000 0000", 32, (31,), 31, "0"),
    ("unsigned long long (64 bits)", "-1", "18 446 744 073 709 551 615",
     "0xFFFF FFFF FFFF FFFF", 64, range(64), 63, "9223372036854775807"),
    ("signed long long (64 bits)", "2^63", "-9 223 372 036 854 775 808",
     "0x8000 0000 0000 0000", 64, (63,), 62, "-4611686018427387904"),
    ("Unlimited (use bigints/floats)", "2^64+5", "18 446 744 073 709 551 621",
     "0x1 0000 0000 0000 0005", 64, (0, 2), 1, "18446744073709551623"),
)


class BitsTest(unittest.TestCase):
    maxDiff = None

    def start(self):
        p = Program(desktop, PROGRAM)
        self.addCleanup(p.close)
        p.choose("Show", "Bits")
        return p

    def panel(self, p):
        return find(p.app, "panel", "Bits")

    def rows(self, p):
        """The four rows' texts, by their captions."""
        labels = find_all(self.panel(p), "label")
        return tuple(next((n.get_name() for n in labels if caption in labelled_by(n)), None)
                     for caption in ROWS)

    def cells(self, p):
        """{bit: set} of the bit cells shown, read from their names and states."""
        found = {}
        for cell in find_all(self.panel(p), "check box"):
            name = cell.get_name()
            bit, word = name.removeprefix("bit ").split(", ")
            self.assertEqual(word == "set", has_state(cell, "checked"), f"{name}: its state")
            found[int(bit)] = word == "set"
        return found

    def cell(self, p, bit):
        return poll(f"bit cell {bit}", lambda: next(
            (c for c in find_all(self.panel(p), "check box")
             if c.get_name().startswith(f"bit {bit},")), None))

    def result(self, p):
        group = find(p.app, "panel", "Give a numerical expression")
        label = next(n for n in find_all(group, "label") if "Result: " in labelled_by(n))
        return label.get_name()

    def line(self, p):
        return p.control("text", "Expression").get_text(0, -1)

    def enter(self, p, text):
        """Types text over the whole line (the focus may be on a bit cell)."""
        line = p.control("text", "Expression")
        click_on(line)
        poll("the line has the focus", lambda: has_state(line, "focused"))
        key("ctrl+a")
        type_text(text)

    def test_rows_cells_and_a_flip_in_every_range(self):
        p = self.start()
        p.choose("Settings", "Output format", "Full")
        seen, wanted = {}, {}
        for caption, typed, decimal, hexadecimal, width, bits, flipped, line in RANGES:
            p.choose("Settings", "Value range", caption)
            self.enter(p, typed)
            expected_cells = {bit: bit in bits for bit in range(width)}
            settle(lambda: self.rows(p)[:2], (decimal, hexadecimal), 5)
            seen[caption] = (self.rows(p)[:2], settle(lambda: self.cells(p), expected_cells, 5))
            wanted[caption] = ((decimal, hexadecimal), dict(expected_cells))
            # A click flips the bit: the line holds the new value and shows its result.
            click_on(self.cell(p, flipped))
            seen[caption + ": flip"] = (settle(lambda: self.line(p), line, 5),
                                        settle(lambda: self.result(p), line, 5))
            wanted[caption + ": flip"] = (line, line)
            # Space on the focused cell flips it back.
            expected_cells[flipped] = not expected_cells[flipped]
            settle(lambda: self.cells(p), expected_cells, 5)
            poll("the flipped cell has the focus",
                 lambda: has_state(self.cell(p, flipped), "focused"))
            key("space")
            seen[caption + ": back"] = settle(lambda: self.rows(p)[:2], (decimal, hexadecimal), 5)
            wanted[caption + ": back"] = (decimal, hexadecimal)
        self.assertEqual(seen, wanted)

    def test_flip_writes_the_line_in_the_output_format(self):
        p = self.start()
        p.choose("Settings", "Value range", "signed char (8 bits)")
        p.choose("Settings", "Output format", "Hexadecimal")
        self.enter(p, "127")
        settle(lambda: self.rows(p)[1], "0x7F", 5)
        click_on(self.cell(p, 7))
        self.assertEqual((settle(lambda: self.line(p), "0xFF", 5),
                          settle(lambda: self.result(p), "-0x1", 5)), ("0xFF", "-0x1"))

    def test_copy_buttons_copy_without_grouping(self):
        p = self.start()
        self.enter(p, "2^40+1")
        settle(lambda: self.rows(p)[0], "1 099 511 627 777", 5)
        seen = {}
        for name in ("decimal", "hexadecimal", "octal"):
            click_on(find(self.panel(p), "push button", f"Copy {name}"))
            seen[name] = settle(clipboard, {"decimal": "1099511627777",
                                            "hexadecimal": "0x10000000001",
                                            "octal": "0o20000000000001"}[name], 3)
        # The row's context menu (a window of its own, outside the accessibility tree).
        label = next(n for n in find_all(self.panel(p), "label")
                     if "Decimal:" in labelled_by(n))
        click_on(label, button=3)
        poll("the row's menu opened",
             lambda: [w for w in find_windows("", p.pid) if w != p.window])
        key("Down", "Return")
        seen["decimal, menu"] = settle(clipboard, "1099511627777", 3)
        # By keyboard: Tab from the line goes to the copy buttons (no other group shown).
        click_on(p.control("text", "Expression"))
        key("Tab", "Tab", "Tab", "Tab")
        poll("Copy binary has the focus",
             lambda: has_state(find(self.panel(p), "push button", "Copy binary"), "focused"))
        key("space")
        seen["binary"] = settle(clipboard, "0b1" + "0" * 39 + "1", 3)
        self.assertEqual(seen, {"decimal": "1099511627777", "hexadecimal": "0x10000000001",
                                "octal": "0o20000000000001",
                                "decimal, menu": "1099511627777",
                                "binary": "0b1" + "0" * 39 + "1"})

    def test_a_result_without_bits_says_so_and_empties_the_grid(self):
        p = self.start()
        seen, wanted = {}, {}
        for text, message in (("7/2", "Not an integer: only whole numbers have bits to show."),
                              ("1/0", "No value.")):
            self.enter(p, text)
            expect(f"{text}: the message shown", lambda: None if message in [
                n.get_name() for n in find_all(self.panel(p), "label")] else "not shown")
            # An empty row reads as its caption, as the result label does.
            seen[text] = (self.cells(p), self.rows(p))
            wanted[text] = ({}, ROWS)
        self.assertEqual(seen, wanted)

    def test_negative_unlimited_value_in_twos_complement(self):
        p = self.start()
        self.enter(p, "-129")
        summary = "Unlimited, negative: two's complement in 16 bits, 0xFF7F"
        expect("the summary", lambda: None if summary in [
            n.get_name() for n in find_all(self.panel(p), "label")] else "not shown")
        self.assertEqual(self.cells(p), {bit: bool(0xFF7F >> bit & 1) for bit in range(16)})

    def test_a_flip_too_long_for_the_line_is_refused_with_a_message(self):
        p = self.start()
        self.enter(p, "10^40000")  # 40 001 digits flipped: longer than the line's 32 767
        cell = self.cell(p, 0)
        poll("the value's cells shown", lambda: not has_state(cell, "checked") and
             self.rows(p)[1].startswith("0x"))
        click_on(cell)
        alert = find(p.app, "alert", what="a message for the refused flip")
        self.assertTrue(find_all(alert, "label", "The new value is too long for the expression "
                                 "line and was not written."))
        key("Return")
        poll("the message closed", lambda: not find_all(p.app, "alert"))
        self.assertEqual((self.line(p), settle(lambda: has_state(cell, "checked"), False, 3)),
                         ("10^40000", False), "(the line, bit 0 set) after the refused flip")

    def test_heights_with_the_bits_group(self):
        done = subprocess.run(
            ["/usr/bin/python3", os.path.join(HERE, "frame_heights.py"), PROGRAM, "openbox",
             json.dumps(client_heights())], capture_output=True, text=True, timeout=300,
            env={name: value for name, value in os.environ.items() if name not in
                 ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS")})
        self.assertEqual(done.returncode, 0, done.stderr[-3000:])
        found = json.loads(done.stdout.splitlines()[-1])
        frame = found["frame"]
        seen = {label: found["sets"][label] for label in client_heights()}
        wanted = {label: [0, 0, client, client + frame]
                  for label, client in client_heights().items()}
        self.assertEqual(seen, wanted, "[frame x, frame y, client height, outer height] per set")


if __name__ == "__main__":
    if len(sys.argv) < 2 or not os.access(sys.argv[1], os.X_OK):
        sys.exit(__doc__)
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    unittest.main(verbosity=2)
