"""What the Calc extension costs in a headless LibreOffice (a benchmark, not a test).

    /usr/bin/python3 bench/libreoffice_bench.py [BUILD_DIR]

Prints, as the best of several runs (the machine is shared: the best is the steadiest):
  - the cost of one call, from recalculating a column of ROWS cells of one formula: an
    add-in function against a built-in function of the same shape (two numbers in, one
    number out: BMI against ATAN2), and a model with four numbers in and a column out
    (PropSchnider, shown in one cell), each less the recalculation of the same column of
    plain additions;
  - the time to load examples/overview_propofol_tci.ods and recalculate it.
"""

import os
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "libreoffice", "python"))
from office import Office  # noqa: E402

ROWS = 2000
RUNS = 7
FORMULAS = [
    ("addition (the baseline)", "=A{r}+B{r}"),
    ("ATAN2, built in", "=ATAN2(A{r};B{r})"),
    ("BMI, add-in", "=BMI(A{r};B{r})"),
    ("PropSchnider, add-in", "=PROPSCHNIDER(53;A{r};B{r};59)"),
]


def best_recalculation(document):
    times = []
    for _ in range(RUNS):
        start = time.perf_counter()
        document.calculateAll()
        times.append(time.perf_counter() - start)
    return min(times)


def column_cost(office, formula):
    document = office.new_calc()
    try:
        sheet = document.Sheets.getByIndex(0)
        data = tuple((60.0 + (r % 50), 150.0 + (r % 40)) for r in range(ROWS))
        sheet.getCellRangeByPosition(0, 0, 1, ROWS - 1).setDataArray(data)
        formulas = tuple((formula.format(r=r + 1),) for r in range(ROWS))
        sheet.getCellRangeByPosition(2, 0, 2, ROWS - 1).setFormulaArray(formulas)
        if sheet.getCellByPosition(2, 0).getError():
            raise RuntimeError("%s gives an error" % formula)
        return best_recalculation(document)
    finally:
        document.close(True)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.environ.get("BUILD_DIR", "build")
    oxt = os.path.join(ROOT, build, "libreoffice", "VelmoraCorvane.oxt")
    workbook = os.path.join(ROOT, "examples", "overview_propofol_tci.ods")
    with Office(oxt) as office:
        office.new_calc().close(True)  # the first document, and the component, loaded once
        column_cost(office, FORMULAS[2][1])
        costs = [(name, column_cost(office, formula)) for name, formula in FORMULAS]
        baseline = costs[0][1]
        print("Recalculating %d cells of one formula (best of %d):" % (ROWS, RUNS))
        for name, seconds in costs:
            print("  %-26s %8.2f ms  %6.2f us a call beyond an addition"
                  % (name, seconds * 1e3, (seconds - baseline) / ROWS * 1e6))
        loads = []
        for _ in range(RUNS):
            start = time.perf_counter()
            document = office.load(workbook)
            document.calculateAll()
            loads.append(time.perf_counter() - start)
            document.close(True)
        loads.sort()
        print("Loading and recalculating %s: best %.0f ms, median %.0f ms"
              % (os.path.basename(workbook), loads[0] * 1e3, loads[len(loads) // 2] * 1e3))


if __name__ == "__main__":
    main()
