#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Times one command as a whole process (start-up, reading, computing, printing every digit)
and checks what it printed.

usage: time_run.py --runs R --timeout S [--stdin FILE] (--answer FILE | --values FILE) -- COMMAND...

The first run is a warm-up under GNU time, for the peak memory (a child forked from this
script would report at least this script's own high-water mark), and the only run whose
output is kept and checked against FILE: with --answer its digits must equal FILE's; with
--values it prints one number a line, each of which must equal FILE's line to 6 significant
digits (the peers print short results in their own formats and precisions). When FILE does
not exist yet the output becomes it, so the first peer to answer is the reference of the
others. R timed runs follow, at most 3 when the warm-up took 3 s or more, none when it took
20 s or more (its own time then stands). A run is killed, with any process it started, after
S seconds; a failed or killed run ends the measurement.

Prints one tab-separated line: status median_s peak_rss_mb n min_s max_s cpu_s, where
status is ok, timeout, fail(EXIT_STATUS) or mismatch, and cpu_s the median user + system
time.
"""
import argparse
import math
import os
import re
import resource
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time


def run(cmd, stdin, stdout, timeout):
    """Wall seconds, CPU seconds, exit status (None when killed at the timeout)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    with open(stdin, "rb") as fin, tempfile.TemporaryFile() as err:
        start = time.perf_counter()
        p = subprocess.Popen(cmd, stdin=fin, stdout=stdout, stderr=err, start_new_session=True)
        killed = threading.Event()

        def kill():
            killed.set()
            try:
                os.killpg(p.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

        timer = threading.Timer(timeout, kill)
        timer.start()
        status = p.wait()
        wall = time.perf_counter() - start
        timer.cancel()
        if status != 0 and not killed.is_set():
            err.seek(0)
            sys.stderr.write(err.read()[-2000:].decode(errors="replace"))
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
    return wall, cpu, None if killed.is_set() else status


def digits(data):
    """The digits and signs of an output, without colour codes or an echoed input line."""
    data = re.sub(rb"\x1b\[[0-9;]*m", b"", data)
    data = re.sub(rb"(?m)^\s*>.*$", b"", data)
    return re.sub(rb"[^0-9-]", b"", data)


def numbers(data):
    """One number a line, whatever the decimal mark or minus sign; None if a line is not one."""
    try:
        return [float(re.sub(r"[^0-9.eE+-]", "", line.replace("\u2212", "-").replace(",", ".")))
                for line in data.decode(errors="replace").splitlines()]
    except ValueError:
        return None


def same_as_reference(printed, answer, values):
    reference = answer or values
    got = digits(printed) if answer else numbers(printed)
    if not got:
        return False
    if not os.path.exists(reference):
        with open(reference, "w") as f:
            f.write(got.decode() if answer else "\n".join(map(repr, got)) + "\n")
    with open(reference) as f:
        expected = f.read()
    if answer:
        return got.decode() == expected
    expected = [float(x) for x in expected.split()]
    return len(got) == len(expected) and all(
        math.isclose(x, y, rel_tol=1e-6, abs_tol=1e-9) for x, y in zip(got, expected))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--runs", type=int, required=True)
    ap.add_argument("--timeout", type=float, required=True)
    ap.add_argument("--stdin", default=os.devnull)
    check = ap.add_mutually_exclusive_group(required=True)
    check.add_argument("--answer")
    check.add_argument("--values")
    ap.add_argument("cmd", nargs="+")
    a = ap.parse_args()
    gnu_time = shutil.which("time")
    if not gnu_time:
        sys.exit("time_run.py: GNU time is not installed")

    with tempfile.NamedTemporaryFile() as out, tempfile.NamedTemporaryFile("r") as rss:
        wall, cpu, status = run([gnu_time, "-f", "%M", "-o", rss.name, "--"] + a.cmd,
                                a.stdin, out, a.timeout)
        try:
            peak = f"{int(rss.read().split()[-1]) / 1024:.1f}"
        except (ValueError, IndexError):
            peak = "-"
        out.seek(0)
        printed = out.read()
    if status is None:
        print(f"timeout\t>{a.timeout:g}\t{peak}\t0\t-\t-\t-")
        return
    if status != 0:
        print(f"fail({status})\t{wall:.4f}\t{peak}\t1\t{wall:.4f}\t{wall:.4f}\t{cpu:.4f}")
        return

    verdict = "ok" if same_as_reference(printed, a.answer, a.values) else "mismatch"

    walls, cpus = [wall], [cpu]
    if wall < 20:
        walls, cpus = [], []
        with open(os.devnull, "wb") as null:
            for _ in range(a.runs if wall < 3 else min(a.runs, 3)):
                wall, cpu, status = run(a.cmd, a.stdin, null, a.timeout)
                if status != 0:
                    verdict = "timeout" if status is None else f"fail({status})"
                    break
                walls.append(wall)
                cpus.append(cpu)
    if not walls:
        print(f"{verdict}\t>{a.timeout:g}\t{peak}\t0\t-\t-\t-")
        return
    print(f"{verdict}\t{statistics.median(walls):.4f}\t{peak}\t{len(walls)}\t"
          f"{min(walls):.4f}\t{max(walls):.4f}\t{statistics.median(cpus):.4f}")


if __name__ == "__main__":
    main()
