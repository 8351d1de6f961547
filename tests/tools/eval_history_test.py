# SPDX-License-Identifier: MIT
"""The history kept between sessions at reckonwise-eval's prompt loses nothing: two sessions at
once, one of which rewrites the file to its last lines while the other goes on typing; a
history file that is a symbolic link (a dotfile manager's), which stays one; a file that can
be read but not written, whose lines are recalled with one notice that new ones are not kept.
Usage: eval_history_test.py PATH-TO-reckonwise-eval
"""

import os
import pty
import select
import sys
import tempfile
import termios
import time

binary = sys.argv[1]
KEPT = 1000  # the lines the file keeps after a rewrite; it is rewritten past twice that


class Session:
    """reckonwise-eval at a pseudo-terminal of its own."""

    def __init__(self, home):
        self.pid, self.terminal = pty.fork()
        if self.pid == 0:
            os.execve(binary, [binary], {"HOME": home, "LC_ALL": "C", "TERM": "xterm",
                                         "PATH": "/usr/bin:/bin"})
        self.seen = b""

    def wait_for(self, text, timeout=10.0):
        deadline = time.monotonic() + timeout
        while text not in self.seen:
            left = deadline - time.monotonic()
            if left <= 0:
                sys.exit(f"FAIL: {text!r} not shown; the terminal shows {self.seen[-300:]!r}")
            ready, _, _ = select.select([self.terminal], [], [], left)
            if ready:
                try:
                    self.seen += os.read(self.terminal, 4096)
                except OSError:
                    sys.exit(f"FAIL: ended before {text!r}; the terminal shows {self.seen[-300:]!r}")
        self.seen = self.seen[self.seen.index(text) + len(text):]

    def type(self, keys):
        deadline = time.monotonic() + 10
        while termios.tcgetattr(self.terminal)[3] & termios.ICANON:
            if time.monotonic() > deadline:
                sys.exit("FAIL: the terminal never left line-buffered mode")
            time.sleep(0.002)
        os.write(self.terminal, keys)

    def enter(self, line, result):
        """Types line at the next prompt and waits for its result."""
        self.wait_for(b"> ")
        self.type(line.encode() + b"\r")
        self.wait_for(result.encode() + b"\r\n")

    def end(self):
        self.wait_for(b"> ")
        self.type(b"\x04")
        os.waitpid(self.pid, 0)


def history_file(home):
    return os.path.join(home, ".local/state/reckonwise/history")


def fresh_home(lines):
    home = tempfile.mkdtemp()
    path = history_file(home)
    os.makedirs(os.path.dirname(path))
    with open(path, "w") as f:
        f.writelines(f"{i}+0\n" for i in range(lines))
    return home, path


def lines_of(path):
    with open(path) as f:
        return f.read().split("\n")[:-1]


# Two sessions at once, near the rewrite: both start with a file of 2 * KEPT - 5 lines. One
# types 7 lines, the other then types 10 (its count passes the rewrite point and it writes the
# file anew), then the first types 3 more. Every line of both must be in the file.
home, path = fresh_home(2 * KEPT - 5)
first, second = Session(home), Session(home)
typed = []
for i in range(7):
    first.enter(f"{i}*1000", str(i * 1000)), typed.append(f"{i}*1000")
for i in range(10):
    second.enter(f"{i}*2000", str(i * 2000)), typed.append(f"{i}*2000")
for i in range(7, 10):
    first.enter(f"{i}*1000", str(i * 1000)), typed.append(f"{i}*1000")
first.end()
second.end()
kept = lines_of(path)
missing = [line for line in typed if line not in kept]
if missing:
    sys.exit(f"FAIL: two sessions at once lost {missing} ({len(kept)} lines kept)")
if len(kept) > 2 * KEPT:
    sys.exit(f"FAIL: the file was never rewritten: {len(kept)} lines")
if kept[-3:] != ["7*1000", "8*1000", "9*1000"]:
    sys.exit(f"FAIL: the last lines are {kept[-3:]}")

# A symbolic link to the file elsewhere: after a rewrite the link is still a link, and its
# target holds the new lines.
home, path = fresh_home(2 * KEPT)
target = os.path.join(home, "dotfiles-history")
os.rename(path, target)
os.symlink(target, path)
session = Session(home)
session.enter("6*7", "42")
session.end()
if not os.path.islink(path) or os.path.realpath(path) != target:
    sys.exit("FAIL: the history's symbolic link was replaced by a file")
kept = lines_of(target)
if kept[-1] != "6*7" or len(kept) > KEPT:
    sys.exit(f"FAIL: the link's target holds {len(kept)} lines ending {kept[-2:]}")

# A file that can be read but not written: Up recalls its last line, one notice says that new
# lines are not kept, and the file is left as it was. Root writes any file whatever its mode,
# so as root the history is a link to a file of the kernel's that nobody may write.
home, path = fresh_home(3)
if os.getuid() == 0:
    readable = "/sys/devices/system/cpu/possible"  # "0-1", or "0"
    if not os.path.exists(readable):
        print(f"note: {readable} is missing: the history that cannot be written is not tried")
        readable = None
    else:
        os.remove(path)
        os.symlink(readable, path)
else:
    readable = path
    with open(path, "a") as f:
        f.write("2^10\n")
    os.chmod(path, 0o444)
if readable:
    before = lines_of(path)
    recalled = before[-1]
    session = Session(home)
    session.wait_for(b"history not kept between sessions: cannot write")
    session.wait_for(b"> ")
    session.type(b"\x1b[A\r")
    session.wait_for(recalled.encode() + b"\r\n")  # the line as recalled, then its result
    session.enter("1+1", "2")
    session.end()
    if lines_of(path) != before:
        sys.exit("FAIL: the read-only history file changed")

print("history: two sessions at once, a symbolic link and a read-only file keep every line")
