#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the inputs of the peer comparison into DIR. Each file's random numbers come from
a generator seeded with the workload and size alone, so the files are the same on every
machine, in every run and for every subset of sizes, and every peer reads the same numbers.

usage: make_inputs.py DIR [--pow2 "N ..."] [--fac "N ..."] [--digits "D ..."] [--exprs "K ..."]

  pow2_N.bc, fac_N.bc   bc programs for 2^N and N! (bc has no factorial: a balanced product
                        tree, the fastest way to write it in bc)
  mul_D.txt             a and b, two random D-digit numbers, one a line
  mul_D.expr            a*b (bc, qalc and reckonwise)
  div_D.txt             a = q*b for random D-digit q and b, then b: the quotient is exact
  div_D.expr            a/b (an integer division in bc at scale 0, exact in reckonwise)
  div_D.qalc            floor(a/b), so that qalc too divides as an integer division
  expr_K.txt            K short expressions, calculator syntax (^, sqrt)
  expr_K.py             the same K expressions in Python syntax
"""
import argparse
import decimal
import os
import random

FACTORIAL_BC = """define p(a, b) {
  auto i, m, r
  if (b - a < 8) {
    r = a
    for (i = a + 1; i <= b; i++) r *= i
    return (r)
  }
  m = (a + b) / 2
  return (p(a, m) * p(m + 1, b))
}
p(1, %d)
"""

# Short expressions of the kinds typed into a calculator; every peer reads them the same
# way (no unary minus before a power, no division by zero).
EXPRESSIONS = [
    lambda r: f"{r(1, 999)}+{r(1, 99)}*{r(1, 99)}",
    lambda r: f"({r(1, 999)}-{r(1, 999)})/{r(1, 99)}",
    lambda r: f"{r(2, 9)}^{r(2, 20)}-{r(1, 999)}",
    lambda r: f"sqrt({r(2, 999)})*{r(1, 99)}",
    lambda r: f"{r(1, 99)}.{r(0, 99):02d}*{r(1, 9)}.{r(0, 9)}+{r(1, 99)}",
    lambda r: f"{r(1, 999)}/({r(1, 99)}+{r(1, 99)})-{r(1, 9)}",
    lambda r: f"-{r(1, 99)}*({r(1, 99)}-{r(1, 99)})+{r(1, 999)}",
    lambda r: f"sqrt({r(2, 99)})/{r(1, 9)}+sqrt({r(2, 99)})",
]


def digits(rng, count):
    return rng.choice("123456789") + "".join(rng.choices("0123456789", k=count - 1))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dir")
    for name in ("pow2", "fac", "digits", "exprs"):
        ap.add_argument("--" + name, default="", type=lambda s: [int(n) for n in s.split()])
    a = ap.parse_args()
    os.makedirs(a.dir, exist_ok=True)

    def write(name, text):
        with open(os.path.join(a.dir, name), "w") as f:
            f.write(text)

    for n in a.pow2:
        write(f"pow2_{n}.bc", f"2^{n}\n")
    for n in a.fac:
        write(f"fac_{n}.bc", FACTORIAL_BC % n)
    # Decimal multiplies exactly and converts to text in linear time: a million-digit
    # product takes a fraction of a second even where int's conversion is quadratic.
    exact = decimal.Context(prec=decimal.MAX_PREC, Emax=decimal.MAX_EMAX)
    for d in a.digits:
        rng = random.Random(f"mul {d}")
        x, y = digits(rng, d), digits(rng, d)
        write(f"mul_{d}.txt", f"{x}\n{y}\n")
        write(f"mul_{d}.expr", f"{x}*{y}\n")
        rng = random.Random(f"div {d}")
        q, b = digits(rng, d), digits(rng, d)
        x = str(exact.multiply(decimal.Decimal(q), decimal.Decimal(b)))
        write(f"div_{d}.txt", f"{x}\n{b}\n")
        write(f"div_{d}.expr", f"{x}/{b}\n")
        write(f"div_{d}.qalc", f"floor({x}/{b})\n")
    for k in a.exprs:
        rng = random.Random(f"expr {k}")
        lines = [rng.choice(EXPRESSIONS)(rng.randint) for _ in range(k)]
        write(f"expr_{k}.txt", "".join(line + "\n" for line in lines))
        write(f"expr_{k}.py", "".join(line.replace("^", "**") + "\n" for line in lines))


if __name__ == "__main__":
    main()
