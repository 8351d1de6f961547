#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A long session at the real window: thousands of keys typed and erased, settings switched,
panels shown and hidden, big results among small ones, on the desktop of session.py. Each
key's time from the key press to the changed line (as the accessibility tree reads it) is
measured, and the process's memory; at the end File > Exit must end it at once.

Usage: soak.py PATH-TO-reckonwise [MINUTES] [REPORT]   (the report goes to standard output
too; bench/results/window-soak.txt holds the last one)
"""

import os
import random
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import gi  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
from session import Desktop, Program, find, key  # noqa: E402

SMALL = ["1+2*3", "sqrt(2)", "0xFF & 0xF4 + 5", "sin(30)*7", "2^64-1", "100!/98!",
         "(1+2)*(3+4)", "7/3", "1e300*1e300", "floor(exp(sqrt(6)))*pi", "5 not_eq 4"]
BIG = ["2^300000", "20000!", "3^150000*7", "(2^100000+1)*(2^100000-1)"]
# Settings by their menu letters: Se&ttings, then a submenu and an item.
SETTINGS = [("o", f) for f in "nfsehcb"] + [("a", a) for a in "drg"] + \
           [("v", r) for r in "uchsolng4"] + [("v", "u")]
KEY_NAMES = {"+": "plus", "-": "minus", "*": "asterisk", "/": "slash", "(": "parenleft",
             ")": "parenright", "^": "asciicircum", "!": "exclam", "&": "ampersand",
             " ": "space", ",": "comma", ".": "period", "_": "underscore"}
SLOW_MS = 100


def line(edit):
    return Atspi.Text.get_text(edit, 0, Atspi.Text.get_character_count(edit))


def memory_kib(pid, field):
    with open(f"/proc/{pid}/status") as status:
        for row in status:
            if row.startswith(field + ":"):
                return int(row.split()[1])
    return 0


def timed_key(edit, name, latencies):
    """Presses one key and waits until the line shows its effect; returns the time taken."""
    before = line(edit)
    started = time.monotonic()
    key(name, delay_ms=0)
    while line(edit) == before:
        if time.monotonic() - started > 10:
            raise AssertionError(f"key {name!r} not handled within 10 s (line {before!r})")
        time.sleep(0.001)
    latencies.append((time.monotonic() - started) * 1000)


def main():
    program = sys.argv[1]
    minutes = float(sys.argv[2]) if len(sys.argv) > 2 else 5
    report_path = sys.argv[3] if len(sys.argv) > 3 else None
    rng = random.Random(20261207)
    latencies, actions = [], {"typed": 0, "erased": 0, "settings": 0, "panels": 0, "enter": 0,
                              "big": 0}
    rss_samples = []
    with Desktop() as desktop, Program(desktop, program) as p:
        edit = find(p.app, "text", "Expression")
        deadline = time.monotonic() + minutes * 60
        while time.monotonic() < deadline:
            roll = rng.random()
            if roll < 0.06:
                submenu, item = rng.choice(SETTINGS)
                key("alt+t", submenu, item)
                actions["settings"] += 1
            elif roll < 0.10:
                key("alt+s", rng.choice("bch"))
                actions["panels"] += 1
            elif roll < 0.16:
                key("Return")
                actions["enter"] += 1
            else:
                big = rng.random() < 0.08
                expression = rng.choice(BIG if big else SMALL)
                actions["big"] += big
                if line(edit):
                    key("ctrl+a", "BackSpace")
                for c in expression:
                    timed_key(edit, KEY_NAMES.get(c, c), latencies)
                    actions["typed"] += 1
                for _ in range(rng.randrange(0, 4)):
                    if line(edit):
                        timed_key(edit, "BackSpace", latencies)
                        actions["erased"] += 1
            rss_samples.append(memory_kib(p.pid, "VmRSS"))
        peak = memory_kib(p.pid, "VmHWM")
        key("alt+f", "x")
        started = time.monotonic()
        status = p.process.wait(10)
        exit_seconds = time.monotonic() - started

    latencies.sort()
    n = len(latencies)

    def quantile(q):
        return latencies[min(n - 1, int(q * n))]

    report = "\n".join([
        f"Window soak: {minutes:g} minutes on Xvfb + openbox, {time.strftime('%Y-%m-%d')}",
        f"actions: {actions}",
        f"keys timed: {n}; key to changed line, ms: median {quantile(0.5):.1f}, "
        f"p99 {quantile(0.99):.1f}, max {latencies[-1]:.1f}; over {SLOW_MS} ms: "
        f"{sum(1 for t in latencies if t > SLOW_MS)}",
        f"resident memory, MiB: first {rss_samples[0] / 1024:.0f}, last "
        f"{rss_samples[-1] / 1024:.0f}, peak {peak / 1024:.0f}",
        f"File > Exit: status {status} after {exit_seconds:.2f} s",
        "(the time includes starting xdotool and reading the line through the accessibility"
        " bus, a few ms)",
    ]) + "\n"
    print(report, end="")
    if report_path:
        with open(report_path, "w") as out:
            out.write(report)
    slow = sum(1 for t in latencies if t > SLOW_MS)
    return 0 if status == 0 and slow == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
