#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The calculator's windows on a real desktop: Xvfb with openbox, a session bus and the
accessibility bus. Each test starts the program, drives it with the keyboard and the mouse
and reads what a user sees: the window manager's frame and properties, the pixels, the
clipboard and the accessibility tree.

    /usr/bin/python3 tests/desktop/window_test.py PATH/TO/reckonwise [-k NAME] [-v]
"""

import atexit
import json
import os
import re
import signal
import subprocess
import sys
import time
import unittest

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import (SCREEN_HEIGHT, SCREEN_WIDTH, Desktop, Program,  # noqa: E402
                     activate, atspi, role, click, click_on, client_geometry, clipboard, colours,
                     cpu_seconds, end_process, expect, extents, find, find_all, find_windows,
                     frame_geometry, has_state, key, labelled_by, menu_entry, poll, run,
                     screenshot, settle, type_text, wait_window, window_property, window_title)

PROGRAM = None
HERE = os.path.dirname(os.path.abspath(__file__))
REPOSITORY = os.path.dirname(os.path.dirname(HERE))
desktop = None


def setUpModule():
    global desktop
    desktop = Desktop().__enter__()
    atexit.register(desktop.close)  # also when ended early by a signal


def tearDownModule():
    desktop.close()


# The client height (menu bar included, frame not) for each set of groups shown; the window
# system adds its frame. openbox's frame is 25 pixels high, which gives the outer heights
# below (the heights the layout was drawn for).
CLIENT_HEIGHTS = {
    (): 132, ("Buttons",): 361, ("Converter",): 269, ("History",): 337,
    ("Buttons", "Converter"): 498, ("Buttons", "History"): 566,
    ("Converter", "History"): 474, ("Buttons", "Converter", "History"): 703,
}
OPENBOX_FRAME = 25
historyGroupHeight = 200  # the history group's designed height
HEIGHTS = {shown: client + OPENBOX_FRAME for shown, client in CLIENT_HEIGHTS.items()}
GROUPS = ("Buttons", "Converter", "History")

# What a screen reader says for each of the pad's 60 buttons, in their order: captions made
# of symbols and the hexadecimal digits in words, the others as shown.
PAD_NAMES = (
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "decimal comma", "e",
    "plus", "minus", "times", "divided by", "modulo (%)", "power (^)", "factorial (!)",
    "square root", "Hex (0x)", "Octal (0o)", "Binary (0b)",
    "hex digit A", "hex digit B", "hex digit C", "hex digit D", "hex digit E", "hex digit F",
    "sin", "cos", "tan", "asin", "acos", "atan",
    "opening parenthesis", "closing parenthesis",
    "abs", "floor", "ceil", "round", "logarithm (ln)", "log10", "exp", "pi",
    "logical or", "logical and", "bitwise or", "bitwise and", "equal to", "not equal to",
    "less than", "greater than", "less than or equal to", "greater than or equal to",
    "shift left", "shift right", "logical not", "bitwise not", "Select all",
)
# The converter's lists: the role each gives as its description, and its caption.
LIST_CAPTIONS = {
    "Category": "Physical quantity / unit category:", "From unit": "From", "To unit": "To",
    "From prefix": "From prefix", "To prefix": "To prefix",
}
PASTE_REFUSED = "The text is longer than 32 767 characters and was not pasted."


def shown_key(shown):
    return tuple(g for g in GROUPS if g in shown)


def outer(p):
    x, y, _, height = p.outer_geometry()
    return (x, y), height


def add_rows(p, count):
    """Types `count` sums, each closed with Enter, as one stream of keys."""
    keys = []
    for i in range(count):
        keys += [{"+": "plus"}.get(c, c) for c in f"{i}+{i}"] + ["Return"]
    key(*keys, delay_ms=10)


def dump_names(node):
    return [(role(n), n.get_name()) for n in find_all(node)]


def on_screen(geometry):
    x, y, w, h = geometry
    return x >= 0 and y >= 0 and x + w <= SCREEN_WIDTH and y + h <= SCREEN_HEIGHT


class DesktopTest(unittest.TestCase):
    maxDiff = None

    def start(self):
        p = Program(desktop, PROGRAM)
        self.addCleanup(p.close)
        return p

    # ---- placement and heights ---------------------------------------------------------

    def test_heights_under_openbox_and_metacity(self):
        # Each window manager on a desktop of its own; metacity's title bar is taller than
        # openbox's. The client area is the same under both, so no group is cut; the outer
        # height is the client's plus whatever frame the window manager draws.
        expected = {"+".join(k) or "none": v for k, v in CLIENT_HEIGHTS.items()}
        found = {}
        for window_manager in ("openbox", "metacity"):
            done = subprocess.run(
                ["/usr/bin/python3", os.path.join(HERE, "frame_heights.py"), PROGRAM,
                 window_manager, json.dumps(expected)], capture_output=True, text=True,
                timeout=180, env={name: value for name, value in os.environ.items() if name not in
                                  ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS")})
            self.assertEqual(done.returncode, 0, f"{window_manager}: {done.stderr[-3000:]}")
            found[window_manager] = json.loads(done.stdout.splitlines()[-1])
        openbox, metacity = found["openbox"], found["metacity"]
        self.assertEqual(openbox["frame"], OPENBOX_FRAME, "openbox's frame height")
        self.assertGreater(metacity["frame"], openbox["frame"], "metacity's frame height")
        extra = metacity["frame"] - openbox["frame"]
        for window_manager, frame, grown in (("openbox", openbox["frame"], 0),
                                             ("metacity", metacity["frame"], extra)):
            seen = {label: found[window_manager]["sets"][label] for label in expected}
            wanted = {label: [0, 0, client, client + OPENBOX_FRAME + grown]
                      for label, client in expected.items()}
            self.assertEqual(seen, wanted, f"{window_manager} (frame {frame} pixels): "
                             "[frame x, frame y, client height, outer height] per set")

    def test_scaled_screen_fits_the_window(self):
        # 1280x1024 at a scale of 1.5 (or 144 dpi, which Qt turns into the same scale): the
        # sets whose designed height fits keep it; the others take the screen's height, the
        # history giving up the difference, its group still inside the window.
        screen, scale = (1280, 1024), 1.5
        seen, wanted = {}, {}
        for variable in ("QT_SCALE_FACTOR=1.5", "QT_FONT_DPI=144"):
            done = subprocess.run(
                ["/usr/bin/python3", os.path.join(HERE, "scaled_heights.py"), PROGRAM,
                 "x".join(map(str, screen)), variable], capture_output=True, text=True,
                timeout=180, env={name: value for name, value in os.environ.items() if name not in
                                  ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS")})
            self.assertEqual(done.returncode, 0, f"{variable}: {done.stderr[-3000:]}")
            for label, entry in json.loads(done.stdout.splitlines()[-1]).items():
                top, outer, client = entry["frame"]
                designed = round(CLIENT_HEIGHTS[tuple(label.split("+"))] * scale)
                fits = designed + outer - client <= screen[1]
                if fits:
                    state = "as designed" if abs(client - designed) <= 1 else \
                        f"client {client} pixels, designed {designed}"
                else:
                    y, height = entry["history"]
                    state = "takes the screen" if (
                        screen[1] - 3 <= outer <= screen[1] and height < historyGroupHeight
                        and (y + height) * scale <= top + outer + 1) else \
                        f"outer {outer} pixels, history group {height} high ending at {y + height}"
                seen[f"{variable} {label}"] = (top, state)
                wanted[f"{variable} {label}"] = (0, "as designed" if fits else "takes the screen")
        self.assertEqual(seen, wanted, "(frame top, height) per set")

    def test_first_show_click_gives_the_designed_height(self):
        # A fault once gave the first arrangement a wrong height in about one run in seven;
        # fifteen fresh starts (a fraction of a second each), each clicking one item first.
        seen, wanted = [], []
        for item in GROUPS * 5:
            with Program(desktop, PROGRAM) as p:
                p.choose("Show", item)
                expected = HEIGHTS[(item,)]
                seen.append((item, settle(lambda: p.outer_geometry()[3], expected, 3)))
                wanted.append((item, expected))
        self.assertEqual(seen, wanted, "outer height after the first Show click of a run")

    # ---- About and Help ----------------------------------------------------------------

    def test_about_shows_logo_and_its_caption(self):
        p = self.start()
        p.choose("Help", "About")
        about = wait_window("brindlewood", p.pid)
        self.assertEqual(window_title(about), "brindlewood - Reckonwise")
        x, y, w, h = extents(p.control(None, "Logo"))  # Qt calls a label showing a picture an image
        self.assertGreater(w * h, 0, "the logo has no area")

        def flat():
            seen = colours(screenshot(x, y, w, h))
            return f"one colour {seen} over {w}x{h} at {x},{y}" if len(seen) < 2 else None

        expect("the logo is drawn", flat)
        expect("About's frame lies on the screen",
               lambda: None if on_screen(frame_geometry(about))
               else f"frame at {frame_geometry(about)}")

    def test_help_caption_and_frame(self):
        p = self.start()
        p.choose("Help", "Help")
        window = wait_window("^Help", p.pid)
        self.assertEqual(window_title(window), "Help")
        expect("Help's frame lies on the screen",
               lambda: None if on_screen(frame_geometry(window))
               else f"frame at {frame_geometry(window)}")

    # ---- the history grid --------------------------------------------------------------

    def visible_band(self, p, table):
        """The screen rows where the grid shows cells: below its header, above its bottom
        edge or its horizontal scroll bar."""
        tx, ty, tw, th = extents(table)
        headers = [extents(table.get_column_header(c)) for c in range(table.get_n_columns())]
        hx, hy, hw, hh = headers[0]
        frame = hy - ty
        bottom = ty + th - frame
        if max(x + w for x, _, w, _ in headers) > tx + tw - frame:
            # Columns wider than the grid: a horizontal bar takes the bottom, as thick as
            # the grid's vertical bar is wide.
            bar = find(find(p.app, "panel", "History"), "scroll bar")
            bottom -= extents(bar)[2]
        return hy + hh, bottom

    def newest_row_hidden(self, p):
        table = p.control("table", "History")
        top, bottom = self.visible_band(p, table)
        last = table.get_n_rows() - 1
        spans = {(y, y + h) for _, y, _, h in
                 (extents(table.get_accessible_at(last, c)) for c in range(table.get_n_columns()))}
        if all(top <= a and b <= bottom for a, b in spans):
            return None
        return (f"the last row ({last + 1}) spans y {sorted(spans)}, "
                f"the grid shows y {top}..{bottom}")

    def top_row_under_header(self, p):
        table = p.control("table", "History")
        top, _ = self.visible_band(p, table)
        for row in range(table.get_n_rows()):
            _, y, _, h = extents(table.get_accessible_at(row, 0))
            if y + h > top:
                return None if y >= top else (
                    f"row {row + 1} starts at y {y}, above the header's bottom {top}")
        return "no row below the header"

    def rows_added(self, p, count):
        table = find(p.app, "table", "History", showing=False)
        poll(f"{count} rows in the history", lambda: table.get_n_rows() > count)

    def test_history_shown_after_rows_were_added_shows_the_newest_row(self):
        p = self.start()
        add_rows(p, 25)
        self.rows_added(p, 25)
        p.choose("Show", "History")
        expect("newest history row fully visible", lambda: self.newest_row_hidden(p))

    def test_history_after_resize_and_show_click_shows_the_newest_row(self):
        p = self.start()
        p.choose("Show", "History")
        run("xdotool", "windowsize", "--sync", str(p.window), "430", "640")
        poll("window resized", lambda: client_geometry(p.window)[2] == 430)
        p.choose("Show", "Buttons")
        add_rows(p, 25)
        self.rows_added(p, 25)
        expect("newest history row fully visible", lambda: self.newest_row_hidden(p))

    def test_history_scrolled_to_the_end_draws_no_row_under_the_header(self):
        p = self.start()
        p.choose("Show", "History")
        add_rows(p, 25)
        self.rows_added(p, 25)
        expect("top row below the header after adding rows", lambda: self.top_row_under_header(p))
        # Up with the bar's top arrow, then down to the end with its bottom arrow.
        x, y, w, h = extents(find(find(p.app, "panel", "History"), "scroll bar"))
        for arrow_y in (y + w // 2, y + h - w // 2):
            click(x + w // 2, arrow_y, repeat=30)
        expect("top row below the header after scrolling to the end with the bar",
               lambda: self.top_row_under_header(p))
        expect("newest row fully visible after scrolling to the end with the bar",
               lambda: self.newest_row_hidden(p))

    # ---- drop-down lists ---------------------------------------------------------------

    def open_list(self, box):
        click_on(box)
        return find(box, "list")  # showing once open

    def close_list(self, box, keyname):
        listed = find(box, "list", showing=False)
        key(keyname)
        poll("the list closed", lambda: not has_state(listed, "showing"))

    def test_unit_list_opens_with_at_most_20_rows_on_the_screen(self):
        p = self.start()
        p.choose("Show", "Converter")
        category = p.combo("Category")
        self.open_list(category)
        self.close_list(category, "Escape")
        type_text("cu")
        expect("category picked by typing", lambda: None if category.get_name() ==
               "Currency (updated 19.4.2010)" else f"shows {category.get_name()!r}")
        units = p.combo("From unit")
        shown = self.open_list(units)

        def too_many():
            lx, ly, lw, lh = extents(shown)
            rows = [y for _, y, _, h in map(extents, find_all(shown, "list item"))
                    if ly <= y and y + h <= ly + lh]
            if len(rows) <= 20 and on_screen((lx, ly, lw, lh)):
                return None
            return f"{len(rows)} rows shown; list {lw}x{lh} at {lx},{ly}"

        expect("open unit list: at most 20 rows, on the screen", too_many)
        self.close_list(units, "Escape")

    def test_type_to_select_keeps_one_search_for_a_second(self):
        p = self.start()
        p.choose("Show", "Converter")
        units = p.combo("From unit")
        names = [i.get_name() for i in find_all(units, "list item", showing=False)]

        # Two letters a, b such that exactly one unit starts with "ab" and exactly one other
        # with "b": typed as one search they pick the first, as two searches the second.
        def starting(prefix):
            return [n for n in names if n.lower().startswith(prefix)]

        pairs = [(a, b) for a, b in (n[:2].lower() for n in names if len(n) > 1)
                 if (a + b).isascii() and (a + b).isalpha()]
        a, b = next(((a, b) for a, b in pairs if len(starting(a + b)) == 1
                     and len(starting(b)) == 1 and starting(a + b) != starting(b)), (None, None))
        self.assertIsNotNone(a, f"no two letters tell one search from two among {names}")
        one_search, two_searches = starting(a + b)[0], starting(b)[0]

        seen, wanted = {}, {}
        for where in ("open list", "closed box"):
            for pause, expected in ((0.6, one_search), (1.3, two_searches)):
                time.sleep(1.3)  # the previous search has run out
                if where == "open list":
                    self.open_list(units)
                key(a)
                time.sleep(pause)
                key(b)
                if where == "open list":
                    self.close_list(units, "Return")
                case = f"{where}: {a!r}, {pause} s, {b!r}"
                seen[case] = settle(units.get_name, expected, 3)
                wanted[case] = expected
        self.assertEqual(seen, wanted)

    # ---- clipboard, keyboard -----------------------------------------------------------

    def test_copy_result_puts_the_result_on_the_clipboard(self):
        p = self.start()
        type_text("2+3*4")

        def copied():
            p.choose("Edit", "Copy result")
            text = clipboard()
            return None if text == "14" else f"clipboard holds {text!r}"

        expect("Edit > Copy result of 2+3*4", copied, timeout=10)

    def test_copy_conversion_copies_the_converters_line(self):
        p = self.start()
        type_text("5")
        table = find(p.app, "table", "History", showing=False)
        poll("5 computed", lambda: table.get_accessible_at(0, 1).get_name() == "5")
        seen = {}
        # Hidden, the converter has no line: the item is disabled and copies nothing.
        key("alt+e", "r")
        poll("the result copied", lambda: clipboard() == "5")
        key("alt+e")
        item = menu_entry(p.app, "Copy conversion")
        seen["hidden"] = has_state(item, "enabled")
        key("Escape", "Escape")
        p.choose("Show", "Converter")
        # Its letter, C, from the keyboard.
        key("alt+e", "c")
        seen["copied"] = settle(clipboard, "5 m = 5 m", 3)
        self.assertEqual(seen, {"hidden": False, "copied": "5 m = 5 m"})

    def test_f1_opens_help(self):
        p = self.start()
        key("F1")
        find(p.app, "text", "Help text", timeout=5, what="Help opened with F1")
        self.assertTrue(find_windows("^Help", p.pid), "no Help window shown")

    def test_help_text_ctrl_end_and_ctrl_home_move_the_caret(self):
        p = self.start()
        p.choose("Help", "Help")
        text = p.control("text", "Help text")
        poll("the help text has the focus once Help opens", lambda: has_state(text, "focused"))
        end = text.get_character_count()
        for keys, expected in (("ctrl+End", end), ("ctrl+Home", 0)):
            key(keys)
            self.assertEqual(settle(text.get_caret_offset, expected, 3), expected,
                             f"caret after {keys} (text of {end} characters)")

    def test_alt_mnemonics_open_the_menus(self):
        p = self.start()
        # Alt and the marked letter, then (for Settings) the submenu's letter: the item
        # that must then show.
        for keys, item in (("alt+f", "Exit"), ("alt+e", "Copy expression"),
                           ("alt+s", "Converter"), ("alt+t", "Output format"),
                           ("alt+t o", "Scientific"), ("alt+t a", "Radians"),
                           ("alt+t v", "signed char (8 bits)"), ("alt+h", "About")):
            with self.subTest(keys=keys):
                try:
                    key(*keys.split())
                    menu_entry(p.app, item, timeout=3, what=f"{keys} shows {item!r}")
                finally:
                    # Submenu, menu, menu bar.
                    key("Escape", "Escape", "Escape")
                    poll("menus closed", lambda: not find_all(p.app, "popup menu"))

    def test_menu_item_letters_choose_their_items(self):
        p = self.start()
        type_text("2+3*4")
        table = find(p.app, "table", "History", showing=False)
        poll("2+3*4 computed", lambda: table.get_accessible_at(0, 1).get_name() == "14")
        height = lambda: p.outer_geometry()[3]  # noqa: E731
        cases = (("alt+e e", clipboard, "2+3*4"), ("alt+e r", clipboard, "14"),
                 ("alt+s b", height, HEIGHTS[("Buttons",)]),
                 ("alt+s c", height, HEIGHTS[("Buttons", "Converter")]),
                 ("alt+s h", height, HEIGHTS[GROUPS]),
                 ("alt+h h", lambda: bool(find_windows("^Help", p.pid)), True),
                 ("alt+h a", lambda: bool(find_windows("^brindlewood", p.pid)), True))
        seen = {}
        for keys, read, expected in cases:
            activate(p.window)  # Help, once open, has the focus
            key(*keys.split())
            seen[keys] = settle(read, expected, 3)
        self.assertEqual(seen, {keys: expected for keys, _, expected in cases})

    # ---- keyboard and screen readers ----------------------------------------------------

    def tab_stops(self, p, shown):
        """The controls Tab visits, in order, with the groups shown: the line, the pad, the
        converter's lists, the history."""
        stops = [p.control("text", "Expression")]
        if "Buttons" in shown:
            stops += find_all(find(p.app, "panel", "Buttons"), "push button")
        if "Converter" in shown:
            stops += [p.combo(name) for name in p.LISTS]
        if "History" in shown:
            stops.append(p.control("table", "History"))
        return stops

    def describe(self, node):
        return f"{role(node)} {node.get_description() or node.get_name()!r}"

    def focus_after(self, keys, expected, stops):
        """Presses keys and names the control that then has the focus: expected once it has
        it, else whichever of stops has it (or 'nothing')."""
        key(keys)
        try:
            poll("focus moved", lambda: has_state(expected, "focused"), timeout=2)
            return self.describe(expected)
        except AssertionError:
            focused = [n for n in stops if has_state(n, "focused")]
            return self.describe(focused[0]) if focused else "nothing among the tab stops"

    def test_tab_and_shift_tab_cycle_through_every_arrangement(self):
        p = self.start()
        shown = set()
        # Every set of groups once; in each, a whole round forwards and one backwards from
        # the expression line, and Ctrl+Tab leaves the grid as Tab does.
        for item in (None, "Buttons", "Converter", "Buttons", "History", "Buttons",
                     "Converter", "Buttons"):
            if item:
                p.choose("Show", item)
                shown ^= {item}
            label = "+".join(g for g in GROUPS if g in shown) or "none"
            stops = self.tab_stops(p, shown)
            click_on(stops[0])
            poll("the line has the focus", lambda: has_state(stops[0], "focused"))
            wanted = [self.describe(n) for n in stops[1:] + stops[:1]]
            forwards = [self.focus_after("Tab", n, stops) for n in stops[1:] + stops[:1]]
            self.assertEqual(forwards, wanted, f"Tab from the line with {label} shown")
            backwards = [self.focus_after("shift+Tab", n, stops) for n in reversed(stops)]
            wanted = [self.describe(n) for n in reversed(stops)]
            self.assertEqual(backwards, wanted, f"Shift+Tab from the line with {label} shown")
            if "History" in shown:
                self.focus_after("shift+Tab", stops[-1], stops)
                self.assertEqual(self.focus_after("ctrl+Tab", stops[0], stops),
                                 self.describe(stops[0]), f"Ctrl+Tab from the grid, {label}")

    def test_context_menu_keys_open_the_history_menu_at_the_current_row(self):
        p = self.start()
        p.choose("Show", "History")
        add_rows(p, 3)  # rows 0+0, 1+1, 2+2 (the current one) and an empty one
        table = p.control("table", "History")
        poll("the rows added", lambda: table.get_n_rows() == 4)
        key("shift+Tab")
        poll("the grid has the focus", lambda: has_state(table, "focused"))

        # Qt keeps a context menu out of the accessibility tree; it is a window of its own.
        def menus():
            return [w for w in find_windows("", p.pid) if w != p.window]

        seen, wanted = {}, {}
        for keys, row in (("shift+F10", 1), ("Menu", 0)):
            key("Up")
            key(keys)
            menu = poll(f"the history's menu opened by {keys}", menus)[0]
            mx, my, _, _ = client_geometry(menu)
            cx, cy, _, ch = extents(table.get_accessible_at(row, 0))
            key("Down", "Return")  # the first item: Copy expression
            seen[keys] = (settle(clipboard, f"{row}+{row}", 3), abs(mx - cx) <= 2,
                          abs(my - (cy + ch)) <= 2)
            wanted[keys] = (f"{row}+{row}", True, True)
            poll("the menu closed", lambda: not menus())
        self.assertEqual(seen, wanted, "(copied expression, menu at the row's left, "
                         "menu under the row) per key")

    def test_result_label_exposes_the_result_shown_and_announces_changes(self):
        p = self.start()
        group = find(p.app, "panel", "Give a numerical expression")
        label = poll("the result label", lambda: next(
            (n for n in find_all(group, "label") if "Result: " in labelled_by(n)), None))
        self.assertEqual(label.get_name(), " ", "the result label at start")

        Atspi = atspi()
        from gi.repository import GLib
        announced = []

        # What a screen reader that hears of a change reads at once.
        def heard(event):
            if role(event.source) == "label" and "Result: " in labelled_by(event.source):
                announced.append(event.source.get_name())

        listener = Atspi.EventListener.new(heard)
        listener.register("object:property-change:accessible-name")
        self.addCleanup(listener.deregister, "object:property-change:accessible-name")

        def last_announced():
            GLib.MainContext.default().iteration(False)
            return announced[-1] if announced else None

        seen, wanted = {}, {}
        for text, result in (("2+3*4", "14"), ("7/2", "3,5"), ("100!/98!", "9900"),
                             ("0xFF & 0xF4", "244")):
            key("ctrl+a")
            announced.clear()
            type_text(text)
            seen[text] = (settle(label.get_name, result, 5), settle(last_announced, result, 5))
            wanted[text] = (result, result)
        self.assertEqual(seen, wanted, "(name of the result label, last name announced)")

    def test_converter_lists_have_roles_and_captions(self):
        p = self.start()
        p.choose("Show", "Converter")
        seen = {name: (p.combo(name).get_description(), labelled_by(p.combo(name)))
                for name in p.LISTS}
        # Every list is labelled by its caption (and, as every control inside it, by the
        # group's title).
        wanted = {name: (name, [caption, "Converter"]) for name, caption in LIST_CAPTIONS.items()}
        self.assertEqual(seen, wanted, "(description, labelled by) per list")

    def test_pad_buttons_have_spoken_names(self):
        p = self.start()
        p.choose("Show", "Buttons")
        buttons = find_all(find(p.app, "panel", "Buttons"), "push button")
        self.assertEqual(tuple(b.get_name() for b in buttons), PAD_NAMES)

    def set_clipboard(self, text):
        # xclip stays in the background to hand the text over; the desktop ends it.
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=desktop.env,
                       check=True, timeout=10)
        poll("the clipboard holds the text", lambda: clipboard() == text)

    def test_paste_longer_than_the_line_is_refused_with_a_message(self):
        p = self.start()
        line = p.control("text", "Expression")
        type_text("2+3")
        poll("2+3 computed", lambda: "5" in [n.get_name() for n in
                                             find_all(p.app, "label")])
        self.set_clipboard("1" * 100000)
        for keys in ("ctrl+v", "shift+Insert"):
            key(keys)
            alert = find(p.app, "alert", what=f"a message after {keys}")
            self.assertTrue(find_all(alert, "label", PASTE_REFUSED), dump_names(alert))
            self.assertEqual(line.get_text(0, -1), "2+3", f"the line after {keys}")
            key("Return")
            poll("the message closed", lambda: not find_all(p.app, "alert"))
        # What fits is pasted whole: the line then holds its 32 767 characters.
        self.set_clipboard("1" * (32767 - 3))
        activate(p.window)
        key("End", "ctrl+v")
        self.assertEqual(settle(line.get_character_count, 32767, 5), 32767)
        self.assertFalse(find_all(p.app, "alert"), "a message for a paste that fits")

    # ---- desktop integration -----------------------------------------------------------

    def test_window_has_its_own_icon_and_class(self):
        p = self.start()
        icon = window_property(p.window, "_NET_WM_ICON")
        # openbox gives a window without an icon one of its own: compare with such a window.
        plain = subprocess.Popen(["xev", "-name", "reckonwise-test-plain-window"],
                                 env=desktop.env, stdout=subprocess.DEVNULL)
        try:
            default = window_property(wait_window("^reckonwise-test-plain-window$"),
                                      "_NET_WM_ICON")
        finally:
            end_process(plain)
        self.assertIsNotNone(icon, "no _NET_WM_ICON")
        self.assertTrue(icon != default, "_NET_WM_ICON is the window manager's default icon")
        klass = [part.strip(' "')
                 for part in (window_property(p.window, "WM_CLASS") or "").split(",")]
        self.assertEqual(len(klass), 2, f"WM_CLASS {klass}")
        # Task bars find the desktop entry (and its icon) through its StartupWMClass.
        entry = open(os.path.join(REPOSITORY, "packaging",
                                  "io.github.reckonwise.Reckonwise.desktop")).read()
        startup_class = re.search(r"^StartupWMClass=(.*)$", entry, re.M).group(1)
        self.assertIn(startup_class, klass, "WM_CLASS does not match the desktop entry")

    # ---- exit --------------------------------------------------------------------------

    def test_exit_from_the_keyboard_while_a_worker_computes(self):
        p = self.start()
        p.choose("Settings", "Output format", "Full")
        # 9^99999999 written out takes half a minute; the exponent goes in first so that no
        # other large power is started on the way.
        type_text("99999999")
        key("Home")
        type_text("9^")
        busy = cpu_seconds(p.pid)
        poll("a worker computing", lambda: cpu_seconds(p.pid) > busy + 1.0, timeout=15)
        key("alt+f")
        menu_entry(p.app, "Exit", timeout=3, what="the File menu opened with Alt+F")
        key("x")
        started = time.monotonic()
        try:
            status = p.process.wait(3)
        except subprocess.TimeoutExpired:
            self.fail("still running 3 s after File > Exit")
        self.assertEqual(status, 0, f"exit status after {time.monotonic() - started:.1f} s")


if __name__ == "__main__":
    if len(sys.argv) < 2 or not os.access(sys.argv[1], os.X_OK):
        sys.exit(__doc__)
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    unittest.main(verbosity=2)
