# SPDX-License-Identifier: MIT
"""reckonwise-eval at a terminal: a prompt, line editing and the session's history, driven
through a pseudo-terminal as a person types. Usage: eval_terminal_test.py PATH-TO-reckonwise-eval
"""

import os
import pty
import select
import sys
import termios
import time

binary = sys.argv[1]
pid, terminal = pty.fork()
if pid == 0:
    os.execv(binary, [binary])

seen = b""


def wait_for(text, timeout=10.0):
    """Reads the terminal until text has been shown; fails with what was shown."""
    global seen
    deadline = time.monotonic() + timeout
    while text not in seen:
        left = deadline - time.monotonic()
        if left <= 0:
            sys.exit(f"FAIL: {text!r} not shown; the terminal shows {seen!r}")
        ready, _, _ = select.select([terminal], [], [], left)
        if ready:
            try:
                seen += os.read(terminal, 4096)
            except OSError:  # the program has ended
                sys.exit(f"FAIL: ended before {text!r}; the terminal shows {seen!r}")
    position = seen.index(text) + len(text)
    seen = seen[position:]


def wait_for_editor(timeout=10.0):
    """Waits until the line editor has the terminal in its own (non-canonical) mode. A key
    typed while the terminal is still line-buffered goes through the kernel's line
    discipline: a Ctrl+D there would arrive as a NUL byte, not as the end of the input."""
    deadline = time.monotonic() + timeout
    while termios.tcgetattr(terminal)[3] & termios.ICANON:
        if time.monotonic() > deadline:
            sys.exit("FAIL: the terminal never left line-buffered mode")
        time.sleep(0.005)


# (keys typed, what the terminal must show next)
steps = [
    (b"", b"> "),                            # the prompt
    (b"2+3*4\r", b"14\r\n"),
    (b"", b"> "),
    (b"1+5\x1b[D\x1b[D0\r", b"15\r\n"),      # the caret moved left: 10+5
    (b"", b"> "),
    (b"\x1b[A\x1b[A\r", b"14\r\n"),          # two lines back in the history: 2+3*4
    (b"", b"> "),
    (b"7/2\r", b"3,5\r\n"),
    (b"", b"> "),
]
for keys, shown in steps:
    if keys:
        wait_for_editor()
        os.write(terminal, keys)
    wait_for(shown)

wait_for_editor()
os.write(terminal, b"\x04")  # the end of the input at an empty prompt
deadline = time.monotonic() + 10
while True:
    done, status = os.waitpid(pid, os.WNOHANG)
    if done:
        break
    if time.monotonic() > deadline:
        os.kill(pid, 9)
        os.waitpid(pid, 0)
        sys.exit("FAIL: still running after the end of the input")
    try:  # keep the terminal drained
        if select.select([terminal], [], [], 0.05)[0]:
            os.read(terminal, 4096)
    except OSError:
        pass
if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
    sys.exit(f"FAIL: exit status {status}")
print("terminal session: prompt, editing, history and end of input as expected")
