#!/usr/bin/env python3
"""The Python modules' speed beside the C++ routines', in one run: each case's time through
the Python API and the bare routine's time on the same inputs (measured inside the extension
by `_routine_seconds`, which converts the arguments once and then only calls the routine).

    .venv/bin/python bench/python_bench.py

Run it with the interpreter the modules are installed for (the README's venv, made from
Debian's /usr/bin/python3). Times are the best of several short runs taken in turns, so
that other load on the machine shows less. Targets:
  S_py1  PropSchnider, one patient:        binding overhead at most 1 us above the routine
  S_py2  TciCe of the 541-row S1 schedule: at most 1.2 x the routine
  S_py3  PropSchnider of 10^6 patients:    at most 3 x 10^6 routine calls
"""

import time

import numpy as np

import corvane
import velmora
from corvane import _corvane
from velmora import _velmora

ROUNDS = 15
MAX_RATE = 1200  # mg/min, as the C++ suite's TCI cases
TEN_SECONDS = 1 / 6  # min
S1_ROWS = 541  # 10 s rows for 90 min
PATIENTS = 1_000_000


def python_seconds(function, args, calls):
    """Mean seconds of one call over a burst of calls."""
    start = time.perf_counter()
    for _ in range(calls):
        function(*args)
    return (time.perf_counter() - start) / calls


def compare(python_run, routine_run):
    """The best of ROUNDS short runs of each, taken in turns, so that a moment of load on
    the machine (shared with other work) weighs on both sides alike."""
    python, routine = [], []
    for _ in range(ROUNDS):
        python.append(python_run())
        routine.append(routine_run())
    return min(python), min(routine)


def s1_schedule():
    """As the C++ suite's S1: target 4 for 60 min, then 2; row 0 is time zero."""
    dt = np.full(S1_ROWS, TEN_SECONDS)
    dt[0] = 0
    target = np.where(np.arange(S1_ROWS) <= 360, 4.0, 2.0)
    target[0] = 0
    return dt, target


def main():
    patient = (53.0, 77.0, 177.0, 59.0)
    row = velmora.PropSchnider(*patient)
    hybrid, ke0 = list(corvane.Cl2Hyb(row[:6])), float(row[6])
    dt, target = s1_schedule()
    tci_args = (dt, target, MAX_RATE, *hybrid, ke0)
    tci_list_args = (dt.tolist(), target.tolist(), MAX_RATE, *hybrid, ke0)

    rng = np.random.default_rng(0)
    population = (rng.uniform(18, 90, PATIENTS), rng.uniform(40, 140, PATIENTS),
                  rng.uniform(150, 200, PATIENTS), rng.uniform(35, 80, PATIENTS))

    results = []
    py, cpp = compare(lambda: python_seconds(velmora.PropSchnider, patient, 20_000),
                      lambda: _velmora._routine_seconds("PropSchnider", patient, 200_000))
    results.append(("S_py1 PropSchnider, one patient", py, cpp,
                    f"overhead {1e6 * (py - cpp):.3f} us (target <= 1 us)", py - cpp <= 1e-6))
    py, cpp = compare(lambda: python_seconds(corvane.TciCe, tci_args, 20),
                      lambda: _corvane._routine_seconds("TciCe", tci_args, 20))
    results.append(("S_py2 TciCe, 541-row S1, numpy arrays", py, cpp,
                    f"ratio {py / cpp:.3f} (target <= 1.2)", py <= 1.2 * cpp))
    py, cpp = compare(lambda: python_seconds(corvane.TciCe, tci_list_args, 20),
                      lambda: _corvane._routine_seconds("TciCe", tci_list_args, 20))
    results.append(("S_py2 TciCe, 541-row S1, Python lists", py, cpp,
                    f"ratio {py / cpp:.3f} (target <= 1.2)", py <= 1.2 * cpp))
    py, one = compare(lambda: python_seconds(velmora.PropSchnider, population, 1),
                      lambda: _velmora._routine_seconds("PropSchnider", patient, PATIENTS))
    cpp = PATIENTS * one
    results.append((f"S_py3 PropSchnider, {PATIENTS:,} patients", py, cpp,
                    f"ratio {py / cpp:.3f} to 10^6 routine calls (target <= 3)", py <= 3 * cpp))

    print(f"{'case':<40}{'Python':>14}{'C++ routine':>14}  against the target")
    for name, py, cpp, verdict, met in results:
        print(f"{name:<40}{fmt(py):>14}{fmt(cpp):>14}  {verdict} {'met' if met else 'MISSED'}")


def fmt(seconds):
    for unit, scale in (("s", 1), ("ms", 1e-3), ("us", 1e-6), ("ns", 1e-9)):
        if seconds >= scale:
            return f"{seconds / scale:.3f} {unit}"
    return f"{seconds / 1e-9:.3f} ns"


if __name__ == "__main__":
    main()
