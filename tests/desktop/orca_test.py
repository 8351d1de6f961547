#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What a screen reader says while the calculator is used: Orca runs on a desktop of its own
(Xvfb, openbox, the session and accessibility buses) next to the program, and every phrase it
would speak is a 'SPEECH OUTPUT:' line of its debug log. No sound is made.

    /usr/bin/python3 tests/desktop/orca_test.py PATH/TO/reckonwise [-k NAME] [-v]

Orca reads its own keys from the desktop, so these tests have a desktop of their own. When
Orca is missing or does not start, every test is skipped with the reason, and the script
ends with status 77 (which CTest reports as skipped, not passed).
"""

import atexit
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty
import unittest

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import (Desktop, Program, activate, end_process, find, find_all,  # noqa: E402
                     has_state, key, labelled_by, poll, type_text)

PROGRAM = None
desktop = None
orca = None  # the Orca of the running test
SKIPPED = 77

SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*(?:\{|$)")


def other_orcas():
    done = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True,
                          text=True)
    return done.stdout.split()


class Orca:
    """Orca on the desktop, its speech read from its debug log.

    Orca writes its log through a buffer of some kilobytes, so that a file shows the last
    phrases only once more has been written after them. The log is a terminal instead,
    which Python writes line by line, and a thread copies what comes out of it."""

    def __init__(self, desktop):
        if shutil.which("orca") is None:
            raise unittest.SkipTest("orca is not installed (scripts/packages.sh installs it)")
        # Fresh preferences for each start.
        prefs = tempfile.mkdtemp(prefix="orca-", dir=desktop.dir)
        # Speech is logged, not sent to a speech server (there is no sound device).
        quiet = {"enableSpeech": False}
        with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
            json.dump({"general": dict(quiet, startingProfile=["Default", "default"]),
                       "pronunciations": {}, "keybindings": {},
                       "profiles": {"default": dict(quiet, profile=["Default", "default"])}}, f)
        # One Orca runs per user: another one (a test run beside this one) is waited for,
        # never ended (orca --replace would end it).
        try:
            poll("no other Orca of this user running", lambda: not other_orcas(), timeout=300)
        except AssertionError:
            raise unittest.SkipTest(f"another Orca of this user runs: {other_orcas()}") from None
        self.master, self.terminal = os.openpty()
        tty.setraw(self.terminal)
        self.log, self.lock = bytearray(), threading.Lock()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        self.process = subprocess.Popen(
            ["orca", "-u", prefs, "--debug-file", os.ttyname(self.terminal)],
            env=desktop.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.PIPE)
        try:
            poll("Orca has started", lambda: "ORCA: Startup complete" in self.text(), timeout=60)
        except AssertionError:
            status = self.process.poll()
            error = self.process.stderr.read()[-500:] if status is not None else b""
            self.close()
            raise unittest.SkipTest(
                "Orca did not start: " + (f"ended with status {status}: {error.decode()!r}"
                                          if status is not None else
                                          "its start not complete in 60 s"))

    def _read(self):
        while True:
            try:
                chunk = os.read(self.master, 65536)
            except OSError:
                return
            if not chunk:
                return
            with self.lock:
                self.log += chunk

    def close(self):
        end_process(self.process)
        self.process.stderr.close()
        for fd in (self.terminal, self.master):
            try:
                os.close(fd)
            except OSError:
                pass

    def text(self):
        with self.lock:
            return self.log.decode(errors="replace")

    def spoken(self, since=0):
        """The phrases spoken since a mark (see mark())."""
        return [m.group(1) for m in SPOKEN.finditer(self.text()[since:])]

    def mark(self):
        return len(self.text())

    def wait_for(self, what, found, since, timeout=12):
        """Polls the phrases spoken since the mark until found(phrases) is true; Orca lags a
        second or two behind the keys. Fails with what was spoken."""
        try:
            return poll(what, lambda: found(self.spoken(since)), timeout)
        except AssertionError:
            raise AssertionError(f"{what}: not said within {timeout} s; "
                                 f"Orca said {self.spoken(since)!r}") from None

    def quiet_for(self, seconds, since):
        """Waits until nothing new has been said for a while; the phrases since the mark."""
        count, calm = -1, time.monotonic()
        while time.monotonic() - calm < seconds:
            now = len(self.spoken(since))
            if now != count:
                count, calm = now, time.monotonic()
            time.sleep(0.1)
        return self.spoken(since)


def setUpModule():
    global desktop
    desktop = Desktop().__enter__()
    atexit.register(desktop.close)


def tearDownModule():
    desktop.close()


def said(phrase):
    """A phrase contains the text (Orca adds the role and punctuation around it)."""
    return lambda phrases: any(phrase in p for p in phrases)


class ScreenReaderTest(unittest.TestCase):
    maxDiff = None

    def start(self):
        """The program, then Orca (which, started on a desktop without any application,
        may wait for minutes before it speaks)."""
        global orca
        p = Program(desktop, PROGRAM)
        self.addCleanup(p.close)
        orca = Orca(desktop)
        self.addCleanup(orca.close)
        activate(p.window)
        self.line = p.control("text", "Expression")
        poll("the line has the focus", lambda: has_state(self.line, "focused"))
        # Orca has read the window it found on start.
        orca.quiet_for(1.5, 0)
        return p

    def show(self, p, letter):
        """A Show item by its letter; Orca then reads the line again."""
        # Keys pass through Orca first: while it is still busy, Qt gives up waiting for it
        # and delivers them late, Alt's release after the letter.
        orca.quiet_for(1, orca.mark())
        since = orca.mark()
        key("alt+s")
        orca.wait_for("the Show menu opened", said("check box"), since)
        key(letter)
        orca.wait_for("back on the line", said("Expression text"), since)

    def test_each_new_result_is_spoken_and_the_line_keeps_the_focus(self):
        p = self.start()
        for text, result in (("6*7", "42"), ("+1", "43"), ("/2", "42,5")):
            since = orca.mark()
            type_text(text, delay_ms=120)
            orca.wait_for(f"the result of {text!r}", said(result), since)
            self.assertTrue(has_state(self.line, "focused"), f"the line after {text!r}")
        self.assertEqual(self.line.get_text(0, -1), "6*7+1/2")

    def test_typing_with_the_history_shown_stays_on_the_line(self):
        p = self.start()
        self.show(p, "h")
        since = orca.mark()
        # A new row (12 to 13) and a row that follows the line, then Enter's empty row.
        type_text("12", delay_ms=120)
        key("BackSpace")
        type_text("3*2", delay_ms=120)
        orca.wait_for("the result of 13*2", said("26"), since)
        key("Return")
        type_text("5", delay_ms=120)
        spoken = orca.quiet_for(2.5, since)
        self.assertTrue(any("5" in s for s in spoken), spoken)
        self.assertFalse([s for s in spoken if "History" in s or "table" in s],
                         f"Orca left the line for the history: {spoken!r}")
        self.assertTrue(has_state(self.line, "focused"))

    def test_converter_lists_are_read_with_their_values_on_focus_and_on_change(self):
        p = self.start()
        type_text("5", delay_ms=120)
        self.show(p, "c")
        since = orca.mark()
        key("Tab")
        orca.wait_for("the category list with its value",
                      lambda s: "Physical quantity / unit category: combo box." in s
                      and "Length." in s[s.index("Physical quantity / unit category: combo box."):],
                      since)
        since = orca.mark()
        key("Tab")
        orca.wait_for("the From list with its value",
                      lambda s: "From combo box." in s and "meter" in " ".join(
                          s[s.index("From combo box."):]), since)
        units = [b for b in find_all(p.app, "combo box") if b.get_description() == "From unit"][0]
        since = orca.mark()
        key("Down")
        unit = poll("the next unit", lambda: units.get_name() != "meter" and units.get_name())
        panel = find(p.app, "panel", "Converter")
        line = poll("the converted line", lambda: next(
            (n.get_name() for n in find_all(panel, "label") if "Result: " in labelled_by(n)
             and n.get_name().strip()), None))
        # The new unit, then the line converted to it, in one phrase.
        orca.wait_for(f"the new unit {unit!r} and the conversion {line!r}",
                      lambda s: any(unit in x and line in x for x in s), since)

    def test_menus_say_whether_items_are_checked(self):
        self.start()
        since = orca.mark()
        key("alt+s")
        orca.wait_for("Buttons, unchecked", said("Buttons check box not checked"), since)
        since = orca.mark()
        key("Escape", "Escape")
        orca.wait_for("back on the line", said("Expression text"), since)
        orca.quiet_for(1, orca.mark())
        since = orca.mark()
        key("alt+t")
        orca.wait_for("the Settings menu opened", said("Output format"), since)
        since = orca.mark()
        key("Return")
        orca.wait_for("Normal, checked", lambda s: any(
            "Normal" in x for x in s) and "selected radio button" in s, since)
        since = orca.mark()
        key("Down")
        orca.wait_for("Full, unchecked", lambda s: "Full." in s and "not selected radio button"
                      in s, since)
        key("Escape", "Escape", "Escape")


if __name__ == "__main__":
    if len(sys.argv) < 2 or not os.access(sys.argv[1], os.X_OK):
        sys.exit(__doc__)
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    result = unittest.main(verbosity=2, exit=False).result
    if not result.wasSuccessful():
        sys.exit(1)
    if result.skipped and result.testsRun == len(result.skipped):
        sys.exit(SKIPPED)
