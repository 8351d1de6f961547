# SPDX-License-Identifier: MIT
"""One answer on every way in: each expression of the tables gives reckonwise-eval the same
result, or the same reason, whether it comes as an argument, as a line of standard input
ending in LF, CRLF or a lone CR, typed at the prompt (through a pseudo-terminal, in the C
locale, C.UTF-8 and a locale with a decimal comma), or as --convert's VALUE (converted from
metres to metres, which must give the value back).
Usage: eval_ways_in_test.py PATH-TO-reckonwise-eval PATH-TO-eval_transcript.txt [no-prompt]
(no-prompt: the program was built without line editing, so a terminal is read as a pipe is.)
"""

import locale
import os
import pty
import re
import select
import subprocess
import sys
import tempfile
import termios
import time

binary, transcript = sys.argv[1], sys.argv[2]
with_prompt = sys.argv[3:4] != ["no-prompt"]
home = tempfile.mkdtemp()
failures = []


def tables():
    """(options, expressions): the transcript's sections of integers in every format, of every
    value range and of floats, and the texts that reach the tool by other ways than typed
    ASCII: characters beyond ASCII, "#" literals, reasons and values that are not numbers."""
    sections, options = [], None
    with open(transcript, encoding="utf-8") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if line.startswith("## "):
                title = line[3:]
                match = re.search(r"(--(?:format|range) \S+)$", title)
                usable = title.startswith(("integers", "--range", "floats"))
                options = match.group(1).split() if match else []
                sections.append((options, [])) if usable else None
                if not usable:
                    options = None
            elif options is not None and line:
                sections[-1][1].append(line.split("\t")[0])
    special = ["3\u00b2+1", "2\u00b3", "(1+2)\u00b2", "\u03c0\u00d72", "2\u00b2\u00b3", "#ff",
               "#2a+1", "#FFFFFFFF", " #10 ", "cosh(1)", "pi-1", "2(3)", "format", "2pi",
               "sqrt(-1)", "ln 0", "0^-1", "-(0^-1)", "1/3", "2 + 3", "\t7*6", "1e500",
               "1.2.3", "0xff+1", "[2+3]*{4}", "5!-2!", "1/0", "(1", "()", "2+", "7.5%2",
               "log10(1000)", "exp 1 == e", "10^30/7"]
    sections.append(([], special))
    for fmt in ("hexadecimal", "binary", "scientific"):
        sections.append((["--format", fmt], ["1/3", "255", "-255", "sqrt(-1)", "0^-1", "pi-1"]))
    sections.append((["--range", "int8"], ["1/3", "200", "sqrt(-1)", "0^-1", "3\u00b2*5"]))
    return sections


def environment(lc_all):
    return {"HOME": home, "LC_ALL": lc_all, "TERM": "xterm", "PATH": "/usr/bin:/bin",
            "LOCPATH": os.environ.get("LOCPATH", "")}


def run(arguments, env, stdin=b""):
    done = subprocess.run([binary] + arguments, input=stdin, capture_output=True, env=env,
                          timeout=300)
    return done.stdout.decode("utf-8", "replace"), done.stderr.decode("utf-8", "replace"), \
        done.returncode


def reasons_by_line(stderr):
    """{line number: reason} from messages naming lines."""
    found = {}
    for number, reason in re.findall(r"reckonwise-eval: line (\d+): (.*)", stderr):
        found[int(number)] = reason.rstrip("\r")
    return found


def by_arguments(options, expressions, env):
    """The reference: [(result, reason or None)], from one run with every expression as an
    argument (the messages name the arguments, in order)."""
    out, err, _ = run(options + ["--"] + expressions, env)
    results = out.split("\n")[:-1]
    messages = err.split("\n")[:-1]
    answers = []
    for expression, result in zip(expressions, results):
        reason = None
        prefix = "reckonwise-eval: " + expression + ": "
        if messages and messages[0].startswith(prefix):
            reason = messages.pop(0)[len(prefix):]
        answers.append((result, reason))
    if len(results) != len(expressions) or messages:
        failures.append(f"{options}: arguments gave {results!r} and {messages!r}")
    return answers


def by_lines(options, expressions, env, end):
    text = "".join(e + end for e in expressions).encode()
    out, err, _ = run(options, env, text)
    results = out.split("\n")[:-1]
    reasons = reasons_by_line(err)
    return [(results[i] if i < len(results) else "<missing>", reasons.get(i + 1))
            for i in range(len(expressions))]


def by_prompt(options, expressions, env):
    """Types each expression at the prompt; the results are read from standard output (a pipe),
    the reasons from the terminal."""
    read_end, write_end = os.pipe()
    pid, terminal = pty.fork()
    if pid == 0:
        os.dup2(write_end, 1)
        os.execve(binary, [binary] + options, env)
    os.close(write_end)
    shown, results, buffered = b"", [], b""

    def wait_editor():
        deadline = time.monotonic() + 10
        while termios.tcgetattr(terminal)[3] & termios.ICANON and time.monotonic() < deadline:
            time.sleep(0.002)

    def pump(until_results):
        nonlocal shown, buffered
        deadline = time.monotonic() + 30
        while len(results) < until_results and time.monotonic() < deadline:
            ready, _, _ = select.select([terminal, read_end], [], [], 0.5)
            for fd in ready:
                try:
                    data = os.read(fd, 65536)
                except OSError:
                    data = b""
                if fd == terminal:
                    shown += data
                else:
                    buffered += data
                    while b"\n" in buffered:
                        line, buffered = buffered.split(b"\n", 1)
                        results.append(line.decode("utf-8", "replace"))

    for i, expression in enumerate(expressions):
        wait_editor()
        os.write(terminal, expression.encode() + b"\r")
        pump(i + 1)
    wait_editor()
    os.write(terminal, b"\x04")
    time.sleep(0.05)
    ready, _, _ = select.select([terminal], [], [], 0.5)
    while ready:
        try:
            data = os.read(terminal, 65536)
        except OSError:
            break
        if not data:
            break
        shown += data
        ready, _, _ = select.select([terminal], [], [], 0.2)
    os.waitpid(pid, 0)
    os.close(read_end)
    reasons = reasons_by_line(shown.decode("utf-8", "replace").replace("\r\n", "\n"))
    return [(results[i] if i < len(results) else "<missing>", reasons.get(i + 1))
            for i in range(len(expressions))]


def by_convert(options, expressions, env):
    answers = []
    for expression in expressions:
        out, err, status = run(options + ["--convert", "length", "m", "m", expression], env)
        prefix = "reckonwise-eval: " + expression + ": "
        reason = err[len(prefix):].rstrip("\n") if err.startswith(prefix) else None
        answers.append((out.rstrip("\n"), reason, status))
    return answers


def compare(way, options, expressions, reference, answers):
    for expression, want, got in zip(expressions, reference, answers):
        if want != got:
            failures.append(f"{way} {options} {expression!r}: {got!r}, as an argument {want!r}")


def comma_locale():
    try:
        locale.setlocale(locale.LC_NUMERIC, "de_DE.UTF-8")
        locale.setlocale(locale.LC_NUMERIC, "C")
        return "de_DE.UTF-8"
    except locale.Error:
        return None


locales = ["C", "C.UTF-8"]
if comma_locale():
    locales.append("de_DE.UTF-8")
else:
    print("note: no de_DE.UTF-8 locale (scripts/test.sh makes one): the comma locale is not tried")

count = 0
for options, expressions in tables():
    for lc_all in locales:
        env = environment(lc_all)
        reference = by_arguments(options, expressions, env)
        count += len(expressions)
        if lc_all == "C":
            for name, end in (("LF", "\n"), ("CRLF", "\r\n"), ("CR", "\r")):
                compare(f"lines ({name})", options, expressions, reference,
                        by_lines(options, expressions, env, end))
            converted = []
            for (result, reason) in reference:
                if reason is None:
                    converted.append((f"{result} m = {result} m", None, 0))
                else:
                    converted.append(("", reason, 1))
            compare("--convert VALUE", options, expressions, converted,
                    by_convert(options, expressions, env))
        if with_prompt:
            compare(f"prompt ({lc_all})", options, expressions, reference,
                    by_prompt(options, expressions, env))

if failures:
    print("\n".join(failures[:40]))
    sys.exit(f"FAIL: {len(failures)} answers differ from the arguments' (of {count} expressions)")
if not with_prompt:
    print("note: built without line editing: there is no prompt to type at")
print(f"{count} expressions give the same answer as arguments, as lines (LF, CRLF, CR), "
      + (f"at the prompt in {', '.join(locales)} " if with_prompt else "")
      + "and as --convert's VALUE")
