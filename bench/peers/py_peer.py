# SPDX-License-Identifier: MIT
"""The Python peer: the same modes as gmp_peer, on Python's own integers.

usage: py_peer.py pow2 N | fac N | mul FILE | div FILE | expr FILE

The whole result is printed with str(), so the conversion to decimal is timed (quadratic
before Python 3.12, faster from 3.12 on). expr: FILE holds one expression a line in Python
syntax (** for powers); each is evaluated and printed.
"""
import math
import sys

if hasattr(sys, "set_int_max_str_digits"):
    sys.set_int_max_str_digits(0)

mode, arg = sys.argv[1:]
if mode == "expr":
    names = {"__builtins__": {}, "sqrt": math.sqrt}
    with open(arg) as f:
        for line in f:
            print(eval(line, names))
else:
    if mode == "pow2":
        result = 2 ** int(arg)
    elif mode == "fac":
        result = math.factorial(int(arg))
    elif mode in ("mul", "div"):
        with open(arg) as f:
            a, b = map(int, f.read().split())
        result = a * b if mode == "mul" else a // b
    else:
        sys.exit("py_peer: unknown mode " + mode)
    sys.stdout.write(str(result) + "\n")
