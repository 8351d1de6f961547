#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The window under a Wayland compositor: a headless sway (no screen, no input devices; its
windows floating, as a user's floating window would be), the program on Qt's Wayland
plugin, keys typed through a virtual keyboard (wtype), sizes read from sway's tree.

    /usr/bin/python3 tests/desktop/wayland_test.py PATH/TO/reckonwise [-k NAME] [-v]

sway refuses to run as root; run as root, the compositor and the program run as the user
nobody. Without sway, wtype or Qt's Wayland plugin every test is skipped with the reason,
and the script ends with status 77 (CTest reports it skipped).
"""

import glob
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import end_orphans, end_process, poll, settle  # noqa: E402

PROGRAM = None
SKIPPED = 77
NOBODY = 65534


def wayland_plugin():
    found = glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland*.so")
    return found[0] if found else None


class Sway:
    """A headless sway; a context manager."""

    def __init__(self):
        missing = [tool for tool in ("sway", "swaymsg", "wtype") if not shutil.which(tool)]
        if missing or not wayland_plugin():
            raise unittest.SkipTest("not installed: " + ", ".join(
                missing + ([] if wayland_plugin() else ["qt6-wayland"])))
        self.dir = tempfile.mkdtemp(prefix="reckonwise-sway-")
        os.chmod(self.dir, 0o755)
        self.runtime = os.path.join(self.dir, "run")
        os.mkdir(self.runtime, 0o700)
        config = os.path.join(self.dir, "config")
        with open(config, "w") as f:
            f.write("output HEADLESS-1 resolution 1280x1024\n"
                    "for_window [app_id=\".*\"] floating enable\n")
        self.as_user = []
        if os.getuid() == 0:
            self.as_user = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}",
                            "--clear-groups"]
            if subprocess.run(self.as_user + ["test", "-x", PROGRAM]).returncode:
                shutil.rmtree(self.dir, ignore_errors=True)
                raise unittest.SkipTest(f"the user nobody cannot run {PROGRAM} (sway refuses "
                                        "to run as root)")
            os.chown(self.runtime, NOBODY, NOBODY)
        self.env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.dir,
                    "XDG_RUNTIME_DIR": self.runtime, "WLR_BACKENDS": "headless",
                    "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman",
                    "LANG": "C.UTF-8"}
        self.processes = []
        self.process = self.spawn(["sway", "-c", config])
        try:
            self.display = poll("sway's Wayland socket", lambda: next(
                (os.path.basename(p) for p in glob.glob(os.path.join(self.runtime, "wayland-*"))
                 if not p.endswith(".lock")), None), timeout=20)
            self.ipc = poll("sway's socket", lambda: next(iter(glob.glob(
                os.path.join(self.runtime, "sway-ipc.*"))), None), timeout=20)
        except AssertionError as error:
            self.close()
            raise unittest.SkipTest(f"sway did not start: {error}") from None
        self.env.update(WAYLAND_DISPLAY=self.display, QT_QPA_PLATFORM="wayland")

    def spawn(self, args):
        p = subprocess.Popen(self.as_user + args, env=self.env, stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(p)
        return p

    def type(self, *args):
        """wtype's arguments: keys (-k), modifiers (-M, -m), pauses (-s, in ms). One keyboard
        for all of them: the program binds a keyboard only once the seat has one."""
        subprocess.run(self.as_user + ["wtype", "-s", "300", *args, "-s", "300"],
                       env=self.env, check=True, timeout=60)

    def windows(self):
        """{title: (width, height)} of the windows sway shows, their client areas."""
        tree = json.loads(subprocess.run(["swaymsg", "-s", self.ipc, "-t", "get_tree"],
                                         capture_output=True, text=True, check=True).stdout)
        found = {}

        def walk(node):
            if node.get("type") in ("con", "floating_con") and node.get("name"):
                rect = node.get("window_rect") or node["rect"]
                found[node["name"]] = (rect["width"], rect["height"])
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)

        walk(tree)
        return found

    def close(self):
        for p in reversed(self.processes):
            end_process(p)
        self.processes.clear()
        end_orphans()
        shutil.rmtree(self.dir, ignore_errors=True)


def setUpModule():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    # Orphans of sway's children come to this process, to be ended by their ids.
    import ctypes
    ctypes.CDLL(None, use_errno=True).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER


class WaylandTest(unittest.TestCase):
    def test_the_arrangement_keeps_its_height_when_help_and_about_open_and_close(self):
        sway = Sway()
        self.addCleanup(sway.close)
        sway.spawn([PROGRAM])
        height = lambda: sway.windows().get("Reckonwise", (0, 0))[1]  # noqa: E731
        poll("the window shown", lambda: height() == 132, timeout=20)
        # Buttons, Converter and History from the Show menu's letters.
        for letter in "bch":
            sway.type("-M", "alt", "s", "-m", "alt", "-s", "300", letter)
        self.assertEqual(settle(height, 703, 5), 703, "all three groups shown")
        seen = {}
        for step, keys, window in (("Help opened", ["-k", "F1"], "Help"),
                                   ("Help closed", ["-k", "Escape"], None),
                                   ("About opened", ["-M", "alt", "h", "-m", "alt", "-s",
                                                     "300", "a"], "brindlewood - Reckonwise")):
            sway.type(*keys)
            if window:
                poll(f"{window} shown", lambda: window in sway.windows(), timeout=10)
            # A stale size comes at once with the activation change, if it comes; it must not
            # stick.
            settle(lambda: height() != 703, True, 1.5)
            seen[step] = settle(height, 703, 3)
        self.assertEqual(seen, {step: 703 for step in seen}, "client height after each step")


if __name__ == "__main__":
    if len(sys.argv) < 2 or not os.access(sys.argv[1], os.X_OK):
        sys.exit(__doc__)
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    result = unittest.main(verbosity=2, exit=False).result
    if not result.wasSuccessful():
        sys.exit(1)
    if result.skipped and result.testsRun == len(result.skipped):
        sys.exit(SKIPPED)
