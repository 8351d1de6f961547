# SPDX-License-Identifier: MIT
"""An isolated desktop for the window tests, and the means to drive the calculator in it.

Desktop() starts Xvfb on a free display, a private D-Bus session bus, a window manager
(openbox, or metacity) and the accessibility bus; Program() starts the calculator there.
Everything they start is ended by its id: this process becomes the reaper of whatever its
children leave behind (the accessibility bus launcher forks its own bus and registry), so
those are found and ended too. The X tools (xdotool, xprop, xwininfo, xclip, import) see
what the user sees; the accessibility tree (AT-SPI through gi) finds the controls by their
accessible names.

Nothing here waits a fixed time for something to happen: `poll` retries until a result
shows or a timeout runs out, and the timeout's message says what was awaited and what
was last seen.
"""

import ctypes
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

SCREEN_WIDTH, SCREEN_HEIGHT = 1280, 1000


class WaitTimeout(AssertionError):
    pass


def poll(what, probe, timeout=10.0, interval=0.03):
    """Calls probe until it returns something true and returns that; probe may raise
    while the thing is not there yet."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            last = probe()
            if last:
                return last
        except Exception as error:  # not there yet: remembered for the message
            last = f"{type(error).__name__}: {error}"
        if time.monotonic() > deadline:
            raise WaitTimeout(f"{what}: not within {timeout:g} s (last seen: {last!r})")
        time.sleep(interval)


def settle(read, expected, timeout=5.0):
    """Polls read() until it equals expected; returns the last value read either way."""
    deadline = time.monotonic() + timeout
    while True:
        value = read()
        if value == expected or time.monotonic() > deadline:
            return value
        time.sleep(0.03)


def expect(what, fault, timeout=5.0):
    """Polls fault(), which returns None when all is well and otherwise says what is
    wrong, until all is well; fails with the last fault seen."""
    seen = [None]

    def probe():
        seen[0] = fault()
        return seen[0] is None

    try:
        poll(what, probe, timeout)
    except WaitTimeout as error:
        raise AssertionError(f"{what}: {seen[0] or error}") from None


def run(*args, check=True, timeout=20):
    """Runs an X tool on the session's display; returns its stdout."""
    done = subprocess.run(args, capture_output=True, text=True, timeout=timeout)
    if check and done.returncode:
        raise RuntimeError(f"{' '.join(args)}: status {done.returncode}: {done.stderr.strip()}")
    return done.stdout


def _children_of(pid):
    kids = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    stat = f.read()
            except OSError:
                continue
            # The command name in parentheses may hold spaces; the parent id follows it.
            if int(stat[stat.rindex(")") + 2:].split()[1]) == pid:
                kids.append(int(entry))
    return kids


def end_process(process, grace=5.0):
    """SIGTERM, then SIGKILL after the grace time; always waited for."""
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def end_orphans():
    """Ends and reaps the processes handed to this one as their reaper."""
    for pid in _children_of(os.getpid()):
        try:
            os.kill(pid, signal.SIGTERM)
        except ProcessLookupError:
            continue
        deadline = time.monotonic() + 5
        while True:
            done, _ = os.waitpid(pid, os.WNOHANG)
            if done:
                break
            if time.monotonic() > deadline:
                os.kill(pid, signal.SIGKILL)
                os.waitpid(pid, 0)
                break
            time.sleep(0.02)


# The window managers the tests run under: the command, and the name it gives itself on
# the root window once it manages the screen. Their title bars differ in height.
WINDOW_MANAGERS = {
    "openbox": (["openbox", "--sm-disable"], "Openbox"),
    "metacity": (["metacity", "--sm-disable", "--no-composite"], "Metacity"),
}


def screen_size(screen):
    return f"{screen[0]}x{screen[1]}"


class Desktop:
    """Xvfb + a window manager (openbox unless told) + a session bus + the accessibility
    bus; a context manager."""

    def __init__(self, window_manager="openbox", screen=(SCREEN_WIDTH, SCREEN_HEIGHT)):
        self.window_manager = window_manager
        self.screen = screen
        self.processes = []
        self.dir = tempfile.mkdtemp(prefix="reckonwise-desktop-")
        # Orphans of the children (the accessibility bus, its registry) come to this
        # process, which can then end them by their ids.
        PR_SET_CHILD_SUBREAPER = 36
        ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _spawn(self, args, **kw):
        p = subprocess.Popen(args, env=self.env, stdin=subprocess.DEVNULL, **kw)
        self.processes.append(p)
        return p

    def _start(self):
        runtime = os.path.join(self.dir, "run")
        os.mkdir(runtime, 0o700)
        # Nothing of the caller's desktop: its buses, and Qt settings (scale factors, styles)
        # that would change what is measured.
        self.env = {name: value for name, value in os.environ.items()
                    if not name.startswith("QT_") and name not in (
                        "AT_SPI_BUS_ADDRESS", "DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY",
                        "SESSION_MANAGER", "XAUTHORITY")}
        self.env.update(HOME=self.dir, XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(self.dir, "config"),
                        XDG_CACHE_HOME=os.path.join(self.dir, "cache"),
                        XDG_DATA_HOME=os.path.join(self.dir, "data"),
                        GSETTINGS_BACKEND="memory")

        # Xvfb picks a free display and writes its number to the pipe.
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                     f"{screen_size(self.screen)}x24", "-nolisten", "tcp", "-noreset"],
                    pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb ended without a display number")
                number += chunk
        # Written once the server accepts clients.
        self.display = f":{int(number)}"
        self.env["DISPLAY"] = self.display
        os.environ["DISPLAY"] = self.display

        address_read, address_write = os.pipe()
        self._spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                     f"--print-address={address_write}"], pass_fds=(address_write,),
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(address_write)
        with os.fdopen(address_read, "r") as pipe:
            address = pipe.readline().strip()
        if not address:
            raise RuntimeError("dbus-daemon gave no address")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address

        # After the session bus, which a window manager may want.
        command, self._wm_name = WINDOW_MANAGERS[self.window_manager]
        self._spawn(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        poll(f"{self.window_manager} manages the screen", self._wm_running, timeout=15)

        launcher = "/usr/libexec/at-spi-bus-launcher"
        if not os.path.exists(launcher):
            launcher = "/usr/lib/at-spi2-core/at-spi-bus-launcher"
        self._spawn([launcher, "--launch-immediately"], stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
        # The launcher publishes the accessibility bus on the root window once it runs.
        bus = poll("accessibility bus", lambda: re.search(
            r'= "(.+)"', run("xprop", "-root", "AT_SPI_BUS", check=False)), timeout=15)
        # Only this process is given the address: a Qt 6.4 program that finds it in its
        # environment never registers with the registry. Through the session bus it does.
        os.environ["AT_SPI_BUS_ADDRESS"] = bus.group(1)

    def _wm_running(self):
        m = re.search(r"window id # (0x[0-9a-f]+)",
                      run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False))
        return m and self._wm_name in run("xprop", "-id", m.group(1), "_NET_WM_NAME",
                                          check=False)

    def close(self):
        for p in reversed(self.processes):
            end_process(p)
        self.processes.clear()
        end_orphans()
        shutil.rmtree(self.dir, ignore_errors=True)


# ---- X windows -------------------------------------------------------------------------

def find_windows(pattern, pid=None):
    """Ids of the visible windows whose title matches the regular expression."""
    args = ["xdotool", "search", "--all", "--onlyvisible", "--name", pattern]
    if pid is not None:
        args[3:3] = ["--pid", str(pid)]
    return [int(w) for w in run(*args, check=False).split()]


def wait_window(pattern, pid=None, timeout=10):
    return poll(f"a window titled /{pattern}/ shown",
                lambda: find_windows(pattern, pid), timeout)[0]


def window_property(window, name):
    """The text after '=' of `xprop -id window name`, or None when the property is unset."""
    out = run("xprop", "-id", str(window), name, check=False)
    return out.split("=", 1)[1].strip() if "=" in out else None


def window_title(window):
    text = window_property(window, "_NET_WM_NAME")
    return None if text is None else text.strip('"')


def frame_extents(window):
    """(left, right, top, bottom) of the window manager's frame, or None before it framed."""
    text = window_property(window, "_NET_FRAME_EXTENTS")
    return tuple(int(v) for v in text.split(",")) if text else None


def client_geometry(window):
    """(x, y, width, height) of the client area, on the screen."""
    info = run("xwininfo", "-id", str(window))
    value = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
    return (value("Absolute upper-left X"), value("Absolute upper-left Y"),
            value("Width"), value("Height"))


def frame_geometry(window):
    """(x, y, width, height) of the window with its frame; polled until the frame is known."""
    left, right, top, bottom = poll("frame extents", lambda: frame_extents(window))
    x, y, w, h = client_geometry(window)
    return x - left, y - top, w + left + right, h + top + bottom


def activate(window):
    run("xdotool", "windowactivate", "--sync", str(window))
    poll("window has the focus",
         lambda: int(run("xdotool", "getactivewindow", check=False) or 0) == window)


def key(*keys, delay_ms=30):
    """Presses keys on the focused window (xdotool key names: 'alt+f', 'Return', 'F1')."""
    run("xdotool", "key", "--delay", str(delay_ms), *keys)


def type_text(text, delay_ms=20):
    run("xdotool", "type", "--delay", str(delay_ms), "--", text)


def pointer_to(x, y):
    """Moves the pointer and waits until it is there (xdotool's own --sync waits some 15 s
    when the pointer is there already)."""
    run("xdotool", "mousemove", str(x), str(y))
    poll(f"pointer at {x},{y}", lambda: run("xdotool", "getmouselocation").startswith(
        f"x:{x} y:{y} "))


def click(x, y, button=1, repeat=1):
    pointer_to(x, y)
    run("xdotool", "click", "--repeat", str(repeat), "--delay", "15", str(button))


def cpu_seconds(pid):
    """User and system time the process has used so far."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def clipboard():
    return run("xclip", "-o", "-selection", "clipboard", check=False, timeout=5)


def screenshot(x, y, width, height, path=None):
    """The screen's pixels in the rectangle (clipped to the screen) as the bytes of a binary
    PPM; also written to path when one is given (the format from its extension)."""
    left, top = max(x, 0), max(y, 0)
    width, height = min(x + width, SCREEN_WIDTH) - left, min(y + height, SCREEN_HEIGHT) - top
    grab = ["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}", "+repage"]
    if path:
        run(*grab, path)
    return subprocess.run(grab + ["-depth", "8", "ppm:-"], capture_output=True,
                          check=True).stdout


def colours(ppm):
    """The distinct colours of a binary PPM (P6, 8 bits)."""
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", ppm)
    pixels = ppm[header.end():]
    return {tuple(pixels[i:i + 3]) for i in range(0, len(pixels), 3)}


# ---- the accessibility tree ------------------------------------------------------------

_atspi = None


def atspi():
    global _atspi
    if _atspi is None:
        import warnings
        import gi
        # gi's importer and the older interface getters warn on every use; nothing to act on.
        warnings.filterwarnings("ignore", category=ImportWarning)
        warnings.filterwarnings("ignore", category=DeprecationWarning, module="gi")
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        Atspi.init()
        _atspi = Atspi
    return _atspi


def application(pid, timeout=15):
    """The accessible application of the process."""
    desktop = atspi().get_desktop(0)

    def find():
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == pid:
                # The program changes under the test; what is read must be read anew.
                app.set_cache_mask(atspi().Cache.NONE)
                return app
        return None

    return poll(f"accessible application of process {pid}", find, timeout)


def role(node):
    return node.get_role_name()


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c]


def find_all(root, role_name=None, name=None, showing=True, first=False):
    """The descendants of root with the role and name, breadth first. With `showing`, only
    what is on the screen: hidden subtrees are not entered, which also keeps the walk short
    (every step is a round trip to the program)."""
    found, queue = [], children(root)
    while queue:
        node = queue.pop(0)
        try:
            if showing and not has_state(node, "showing"):
                continue
            if (role_name is None or role(node) == role_name) and (
                    name is None or node.get_name() == name):
                found.append(node)
                if first:
                    break
            queue += children(node)
        except Exception:
            continue  # gone while the tree was read
    return found


def find(root, role_name=None, name=None, timeout=10, showing=True, what=None):
    """The first accessible with the role and name, polled for; `what` names the wait in
    the failure message."""
    return poll(what or f"{role_name or 'accessible'} {name!r} shown",
                lambda: (find_all(root, role_name, name, showing, first=True) or [None])[0],
                timeout)


def has_state(node, state):
    Atspi = atspi()
    return node.get_state_set().contains(getattr(Atspi.StateType, state.upper()))


def extents(node):
    """(x, y, width, height) on the screen."""
    r = node.get_extents(atspi().CoordType.SCREEN)
    return r.x, r.y, r.width, r.height


def click_on(node, button=1):
    """Clicks the middle of an accessible."""
    x, y, w, h = extents(node)
    click(x + w // 2, y + h // 2, button)


def labelled_by(node):
    """The names of the accessibles that label node (its labelled-by relations)."""
    Atspi = atspi()
    return [r.get_target(i).get_name() for r in node.get_relation_set()
            if r.get_relation_type() == Atspi.RelationType.LABELLED_BY
            for i in range(r.get_n_targets())]


def dump(node, depth=0):
    """The tree as indented lines 'role 'name' (x, y, w, h)', for finding one's way when
    writing a test."""
    lines = [f"{'  ' * depth}{role(node)} {node.get_name()!r} {extents(node)}"]
    for child in children(node):
        lines.append(dump(child, depth + 1))
    return "\n".join(lines)


# What a menu's entries are: plain items, and the checkable ones as check boxes (Show) and
# radio buttons (Settings), which is how a screen reader hears their state.
MENU_ENTRY_ROLES = ("menu item", "check box", "radio button")


def menu_entry(root, name, timeout=10, what=None):
    """The first shown entry of a menu under root with the name, whatever its role."""
    return poll(what or f"menu entry {name!r} shown", lambda: next(
        (n for n in find_all(root, None, name) if role(n) in MENU_ENTRY_ROLES), None), timeout)


# ---- the calculator --------------------------------------------------------------------

class Program:
    """The calculator running on the desktop; a context manager that ends it."""

    def __init__(self, desktop, executable, *args, env=None):
        """env: variables set for the program beside the desktop's (QT_SCALE_FACTOR...)."""
        env = dict(desktop.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   **(env or {}))
        self.process = subprocess.Popen([executable, *args], env=env, stdin=subprocess.DEVNULL)
        try:
            self.window = wait_window("^Reckonwise$", self.process.pid, timeout=20)
            self.app = application(self.process.pid)
            find(self.app, "frame", "Reckonwise")
            activate(self.window)
        except BaseException:
            self.close()
            raise

    @property
    def pid(self):
        return self.process.pid

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        end_process(self.process)

    def control(self, role_name, name, **kw):
        return find(self.app, role_name, name, **kw)

    def outer_geometry(self):
        return frame_geometry(self.window)

    def choose(self, *path):
        """Clicks through the menu bar: choose("Show", "Buttons")."""
        node = find(self.app, "menu bar")
        for name in path:
            node = menu_entry(node, name)
            click_on(node)

    # The converter's drop-down lists. Qt reports a combo box's current text as its name on
    # Linux, so each carries its role in its description.
    LISTS = ("Category", "From unit", "To unit", "From prefix", "To prefix")

    def combo(self, name):
        panel = find(self.app, "panel", "Converter")
        return poll(f"the converter's list {name!r}", lambda: next(
            (b for b in find_all(panel, "combo box") if b.get_description() == name), None))
