#!/usr/bin/env python3
"""The noise map's formula written with numpy, for bench_noisemap to time
side by side with the program's grid: the same 20 pieces on the same
1,000 x 1,000 cells, energies summed in 32-bit floats, Lmax and Leq.

Prints one line: the best time of REPEATS runs in milliseconds."""
import sys
import time

import numpy as np

COLUMNS = ROWS = 1000
CELL = 1.0
REPEATS = int(sys.argv[1]) if len(sys.argv) > 1 else 5


def pieces():
    # The benchmark's own layout (bench_noisemap.cpp, benchPieces).
    out = []
    for i in range(20):
        x = 50.0 + (i * 137) % 900
        y = -50.0 - (i * 251) % 900
        lref = 75.0 + i
        usage = 10.0 + 4 * i
        out.append((x, y, 0.0, lref, usage))
    return out


def noise_map(ps, receiver_height=5.0):
    xs = ((np.arange(COLUMNS, dtype=np.float32) + 0.5) * CELL)[np.newaxis, :]
    ys = (-(np.arange(ROWS, dtype=np.float32) + 0.5) * CELL)[:, np.newaxis]
    top = max(p[3] for p in ps)
    mx = np.zeros((ROWS, COLUMNS), dtype=np.float32)
    total = np.zeros((ROWS, COLUMNS), dtype=np.float32)
    for x, y, h, lref, usage in ps:
        w = np.float32(10.0 ** ((lref - top) / 10.0) * 2500.0)
        wm = np.float32(w * usage / 100.0)
        d2 = (xs - np.float32(x)) ** 2 + ((ys - np.float32(y)) ** 2 + np.float32((receiver_height - h) ** 2))
        np.maximum(d2, np.float32(1.0), out=d2)
        r = np.float32(1.0) / d2
        np.maximum(mx, w * r, out=mx)
        total += wm * r
    lmax = np.maximum(np.float32(top) + np.float32(10.0) * np.log10(mx), np.float32(0.0))
    leq = np.float32(top) + np.float32(10.0) * np.log10(total)
    return lmax, leq


def main():
    ps = pieces()
    best = float("inf")
    for _ in range(REPEATS):
        t0 = time.perf_counter()
        noise_map(ps)
        best = min(best, time.perf_counter() - t0)
    print(f"{best * 1000.0:.3f}")


if __name__ == "__main__":
    main()
