#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Markdown tables from the rows of bench/compare-peers.sh (reckonwise is the peer "rw").

usage: tables.py ROWS.tsv > RESULTS.md

One table per workload: the median wall seconds of every peer per size, reckonwise's
ratio to GMP and to the best other (non-GMP) peer, and whether the targets hold: at most
GMP's time at the workload's largest size and 1.25 times it at the smaller ones, and faster
than every other peer. Then peak memory (target: at most 1.5 times GMP's) and the short
expressions (target: at most 1.5 us each and at most 0.3 times bc's).
"""
import csv
import datetime
import os
import platform
import sys
from collections import OrderedDict

TITLES = {"pow2": "2^N", "fac": "N!", "mul": "product of two D-digit numbers",
          "div": "exact quotient of a 2D-digit by a D-digit number"}


def seconds(v):
    return None if v in ("", "-") or v.startswith(">") else float(v)


def cpu_name():
    """The processor's model name with its vendor and family ("AMD EPYC (AuthenticAMD,
    family 25)"): a virtual machine's model name alone can be as vague as "AMD EPYC"."""
    fields = {}
    try:
        for line in open("/proc/cpuinfo"):
            key, _, value = line.partition(":")
            key = key.strip()
            if key in ("model name", "vendor_id", "cpu family") and key not in fields:
                fields[key] = value.strip()
            if not line.strip() and fields:
                break
    except OSError:
        pass
    name = fields.get("model name") or platform.processor() or "unknown CPU"
    details = [d for d in (fields.get("vendor_id"),
                           "family " + fields["cpu family"] if "cpu family" in fields else None) if d]
    return f"{name} ({', '.join(details)})" if details else name


def main():
    rows = list(csv.DictReader(open(sys.argv[1]), delimiter="\t"))
    peers = list(OrderedDict.fromkeys(r["peer"] for r in rows if r["peer"] != "c-ld"))
    others = [p for p in peers if p not in ("gmp", "rw")]
    out = []
    out.append("# Reckonwise beside its peers\n")
    now = datetime.datetime.now(datetime.timezone.utc)
    out.append(f"Measured {now:%Y-%m-%d %H:%M} UTC with `bench/compare-peers.sh` (the "
               "programs in `bench/peers/` and `reckonwise-eval --format full`), all peers "
               "in one run on the same machine: "
               f"{os.cpu_count()} cores, {cpu_name()}, {platform.system()} {platform.release()}.\n")
    out.append("Whole-process medians in seconds (start-up, parsing, computing, printing every "
               "digit). `rw/gmp` must stay at or below 1x at each workload's largest size and "
               "at or below 1.25x at the smaller ones; `rw/best` (the best of the other peers) "
               "below 1x. What every peer printed is checked against what the first "
               "peer to answer printed; a cell that is not a time reads `timeout`, `skipped` "
               "(timed out at a smaller size), `mismatch` (another answer) or "
               "`fail(exit status)`.\n")
    for w, title in TITLES.items():
        sizes = list(OrderedDict.fromkeys(r["size"] for r in rows if r["workload"] == w))
        if not sizes:
            continue
        out.append(f"\n## {title}\n")
        out.append("| size | " + " | ".join(peers) + " | rw/gmp | rw/best | targets |")
        out.append("|---:|" + "---:|" * len(peers) + "---:|---:|---|")
        largest = max(sizes, key=int)
        for n in sizes:
            med = {r["peer"]: r for r in rows if r["workload"] == w and r["size"] == n}
            cells = []
            for p in peers:
                r = med.get(p)
                cells.append("-" if r is None else (r["median_s"] if r["status"] == "ok" else r["status"]))
            rw = seconds(med["rw"]["median_s"]) if "rw" in med and med["rw"]["status"] == "ok" else None
            gmp = seconds(med["gmp"]["median_s"]) if "gmp" in med else None
            best = [seconds(med[p]["median_s"]) for p in others if p in med and med[p]["status"] == "ok"]
            best = min([b for b in best if b is not None], default=None)
            r_gmp = f"{rw / gmp:.2f}x" if rw and gmp else "-"
            r_best = f"{rw / best:.2f}x" if rw and best else "-"
            bound = 1.0 if n == largest else 1.25
            ok = rw is not None and gmp is not None and rw <= bound * gmp and (best is None or rw < best)
            out.append(f"| {n} | " + " | ".join(cells) + f" | {r_gmp} | {r_best} | {'met' if ok else 'missed'} |")
    out.append("\n## Peak memory (MB, warm-up run) at each workload's largest size\n")
    out.append("| workload | size | " + " | ".join(peers) + " | rw/gmp | target (1.5x) |")
    out.append("|---|---:|" + "---:|" * len(peers) + "---:|---|")
    for w in TITLES:
        sizes = [r["size"] for r in rows if r["workload"] == w]
        if not sizes:
            continue
        n = max(sizes, key=int)
        med = {r["peer"]: r for r in rows if r["workload"] == w and r["size"] == n}
        cells = [med[p]["peak_rss_mb"] if p in med else "-" for p in peers]
        try:
            r = float(med['rw']['peak_rss_mb']) / float(med['gmp']['peak_rss_mb'])
            ratio, verdict = f"{r:.2f}x", "met" if r <= 1.5 else "missed"
        except (KeyError, ValueError, ZeroDivisionError):
            ratio, verdict = "-", "-"
        out.append(f"| {w} | {n} | " + " | ".join(cells) + f" | {ratio} | {verdict} |")
    expr = [r for r in rows if r["workload"] == "expr"]
    if expr:
        out.append("\n## Short expressions\n")
        out.append("Per expression: (T_K - T_1) / (K - 1) at the largest K, wall and CPU.\n")
        out.append("| peer | T_1 s | T_K s | K | per expression wall | per expression CPU |")
        out.append("|---|---:|---:|---:|---:|---:|")
        each = {}
        for p in OrderedDict.fromkeys(r["peer"] for r in expr):
            pr = {int(r["size"]): r for r in expr if r["peer"] == p and r["status"] == "ok"}
            if 1 not in pr or len(pr) < 2:
                continue
            k = max(pr)
            t1, tk = float(pr[1]["median_s"]), float(pr[k]["median_s"])
            c1, ck = float(pr[1]["cpu_s"]), float(pr[k]["cpu_s"])
            each[p] = (tk - t1) / (k - 1) * 1e6
            out.append(f"| {p} | {t1:.4f} | {tk:.4f} | {k} | {each[p]:.1f} µs | "
                       f"{(ck - c1) / (k - 1) * 1e6:.1f} µs |")
        if "rw" in each:
            ok = each["rw"] <= 1.5 and ("bc" not in each or each["rw"] <= 0.3 * each["bc"])
            out.append(f"\nTarget (at most 1.5 µs each and 0.3x bc's): {'met' if ok else 'missed'}.")
    print("\n".join(out))


if __name__ == "__main__":
    main()
