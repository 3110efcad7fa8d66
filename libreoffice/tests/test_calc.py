"""Velmora and Corvane in a real LibreOffice Calc, against sheethost bit for bit.

    /usr/bin/python3 libreoffice/tests/test_calc.py <extension.oxt> <sheethost> <examples folder> <pages folder>

Installs the extension into a throwaway profile, starts soffice headless and:

1. evaluates the shared call table (catalogue/tests/calls.json: every function of both
   add-ins with good and bad arguments) and the forms only a sheet has (cells, ranges of one
   row or column, two-dimensional ranges, empty and text cells, calls inside calls), in one
   sheet, and the same sheet in sheethost; every cell of
   every result must carry the same number (the same bits), the same text or the same error;
2. loads every example workbook (examples/*.ods), recalculates it and compares each formula
   cell with sheethost's evaluation of the CSV sheet the workbook was made from; checks what
   every cell shows (a number as its value rounded to the digits shown, with its sign; a
   text as sheethost's); renders the workbook as Calc prints it (PDF, then one PNG per page
   in the pages folder, kept for looking at) and checks its layout: no number too wide for
   its column, no text cut by the next cell, charts with axis titles in units and an x
   axis that ends with the data.

Exits 1 on the first group with a difference, listing every differing cell.
"""

import csv
import decimal
import io
import json
import os
import re
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "python"))
from office import Office, calc_formula, export_pdf  # noqa: E402
from make_workbooks import WORKBOOKS, Workbook, text_width  # noqa: E402
from workbook import cell_name, spill_rows, put_value, read_csv_grid  # noqa: E402


SHEETHOST_SECONDS = 60

# The data the calls read: cells named as in a sheet, values as a CSV cell writes them.
DATA = {
    # a patient, a maximal rate, an empty cell, a text, a truth value, a fraction, an error
    "A1": "53", "A2": "77", "A3": "177", "A4": "59", "A5": "200", "A7": "abc", "A8": "TRUE",
    "A9": "0.5", "A10": "#N/A",
    # the model's row and its hybrid constants
    "B1": "=PropSchnider(A1,A2,A3,A4)", "C1": "=Cl2Hyb(B1:B6)",
    # a column with a text and one with an empty cell; a row of volumes and clearances
    "I1": "1", "I2": "2", "I3": "abc", "I4": "4", "I5": "5", "I6": "6",
    "J1": "1", "J2": "2", "J4": "4", "J5": "5", "J6": "6",
    "Q1": "1", "Q2": "2", "Q3": "#N/A", "Q4": "4", "Q5": "5", "Q6": "6",
    "K1": "15.96", "L1": "32.5", "M1": "202.6", "N1": "1.9", "O1": "1.79", "P1": "0.67",
    "K2": "4.27", "L2": "18.9", "M2": "238", "N2": "1.89", "O2": "1.29", "P2": "0.836",
}
STEPS = 31
for _k in range(STEPS):
    _row = _k + 1
    DATA["D%d" % _row] = "0" if _k == 0 else "0.16666666666666666"  # dt (min)
    DATA["E%d" % _row] = "0" if _k == 0 else ("4" if _k <= 18 else "3")  # target
    DATA["F%d" % _row] = "30" if _k == 6 else "0"  # bolus
    DATA["H%d" % _row] = "0" if _k == 0 else ("50" if _k <= 6 else "8")  # rate
for _k, _t in enumerate([0, 15, 30, 60, 120, 180, 240, 300, 360, 480, 600]):
    DATA["G%d" % (_k + 1)] = str(_t)
CASE_ROW = 40  # the calls stand in this row, one column each, their results below

HYB = "C1,C2,C3,C4,C5,C6"
VCL = "B1,B2,B3,B4,B5,B6"
COLS = "D1:D31,H1:H31,F1:F31"

# The calls of the shared call table (catalogue/tests/calls.json), written as formulas of
# literals; beside them the forms only a sheet has, below: cells, ranges of one row or
# column and two-dimensional ranges, empty and text cells, calls inside calls, arithmetic.
TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "catalogue",
                     "tests", "calls.json")

# (formula in Calc, what sheethost evaluates for it: None for the same formula). Where Calc
# passes a value differently from the spreadsheet, the second is the formula (or the value)
# whose result Calc must show: an empty cell given alone is the number 0 (the spreadsheet
# passes "empty", which the checks read as left out), and an error value is not passed at
# all: the cell shows the error, or Err:504 for a range that holds one.
SHEET_CALLS = [
    # Corvane: every tool on cells and ranges
    ("=Cl2Hyb(B1:B6)", None), ("=Hyb2Cl(C1:C6)", None), ("=Cl2Hyb(K1:P1)", None),
    ("=Hyb2Cl(Cl2Hyb(K1:P1))", None),
    ("=PredCp(%s,%s)" % (COLS, HYB), None), ("=PredCe(%s,%s,B7)" % (COLS, HYB), None),
    ("=PredCpVCl(%s,%s)" % (COLS, VCL), None),
    ("=PredEff(H1:H31,93,0,3.08,1.47)", None), ("=PredEff(H1:H31,93,0,3.08,A9)", None),
    ("=decrCe(%s,E1:E31,%s,B7)" % (COLS, HYB), None),
    ("=CsDtCe(G1:G11,%s,B7,50)" % HYB, None), ("=CsDtCp(G1:G11,%s,50)" % HYB, None),
    ("=CsDtCpVCl(G1:G11,%s,50)" % VCL, None), ("=CsDtCpVCl(G1:G11,%s,80)" % VCL, None),
    ("=TciCp(D1:D31,E1:E31,A5,%s)" % HYB, None),
    ("=CalcRate(D1:D31,F1:F31,E1:E31,A5,%s)" % HYB, None),
    ("=TciCe(D1:D31,E1:E31,A5,%s,B7)" % HYB, None),
    ("=TPeak(%s,B7)" % HYB, None), ("=VdPeak(%s,B7)" % HYB, None),
    ("=TPeak2ke0(%s,1.5)" % HYB, None), ("=TPeak2ke0(%s,TPeak(%s,B7))" % (HYB, HYB), None),
    ("=BMI(A2,A3)", None), ("=JLBM(A2,A3,1)", None), ("=JanLBM(A2,A3,0)", None),
    ("=JJLBM(A2,A3,A8)", None),
    ("=Ce50Eleveld(A1)", None), ("=BisEleveld(H1:H31,A1)", None),
    ("=BisEleveld(CeForBisEleveld({5;50;90},1),1)", None), ("=CeForBisEleveld(50,A1)", None),
    # Corvane: bad arguments in cells and the routines' own refusals
    ("=Cl2Hyb(B1:C3)", None), ("=Cl2Hyb(I1:I6)", None), ("=Cl2Hyb(J1:J6)", None),
    ("=Hyb2Cl(K1:L2)", None),
    ("=PredCp(D1:D31,H1:H30,F1:F31,%s)" % HYB, None), ("=PredCp(,H1:H31,F1:F31,%s)" % HYB, None),
    ("=PredCe(%s,%s,-1)" % (COLS, HYB), None), ("=PredEff(I1:I6,93,0,3.08,1.47)", None),
    ("=decrCe(%s,J1:J31,%s,B7)" % (COLS, HYB), None),
    ("=CsDtCe(G1:G11,%s,B7,150)" % HYB, None), ("=CsDtCp(G1:G11,%s,0)" % HYB, None),
    ("=TciCp(D1:D31,E1:E31,A5,-1,1,1,1,1,1)", None),
    ("=CalcRate(D1:D31,F1:F30,E1:E31,A5,%s)" % HYB, None),
    ("=TciCe(D1:D31,E1:E31,-5,%s,B7)" % HYB, None), ("=TciCe(D1:D31,E1:E31,A5,%s,0)" % HYB, None),
    ("=TciCe(D1:D31,E1:E31,A7,%s,B7)" % HYB, None), ("=TciCe(D1:D31,E1:E31,\"200\",%s,B7)" % HYB, None),
    ("=TPeak2ke0(%s,-1)" % HYB, None), ("=BMI(A7,170)", None),
    ("=JLBM(80,180,A7)", None), ("=JLBM(80,180,I1:I2)", None),
    # Velmora: bad arguments in cells
    ("=PropMarsh(A6)", None), ("=PropMarsh(A7)", None), ("=PropWhite(40,70,A7)", None),
    ("=PropWhite(A7,70,)", None), ("=PropWhite(40,70,J2:J3)", None),
    ("=Cl2Hyb(PropMarsh(70))", None),
    # the checks on cells and ranges
    ("=CovariateCheck(\"PropSchnider\",A1,A2,A3,A4)", None),
    ("=CovariateCheck(A7,A1)", None), ("=CovariateCheck(B1,A1)", None),
    ("=CovariateCheck(\"PropSchnider\",A1,A2,A3,A6:A6)", None),
    ("=CovariateCheck(\"PropSchnider\",A7,A8,\"177\",A1:A2)", None),
    ("=ScheduleCheck(D1:D31,G1:G11,50)", None),
    ("=ScheduleCheck(G1:G11,{60;30},150)", None),
    ("=ScheduleCheck(I1:I6,,)", None), ("=ScheduleCheck(,J1:J6,)", None),
    ("=ScheduleCheck(K1:L2,,)", None), ("=ScheduleCheck(,,A6:A6)", None),
    ("=ScheduleCheck(\"60\",A1,{50})", None),
    # where Calc passes a value differently
    ("=PropWhite(40,70,A6)", "=PropWhite(40,70,FALSE)"),
    ("=Cl2Hyb(A6)", "=Cl2Hyb(0)"),
    ("=Cl2Hyb(Q1:Q6)", "Err:504"),
    ("=JLBM(80,180,A10)", "#N/A"), ("=BMI(A10,170)", None),
    ("=CovariateCheck(\"PropSchnider\",A1,A2,A3,A6)", "=CovariateCheck(\"PropSchnider\",A1,A2,A3,0)"),
    ("=ScheduleCheck(,,A6)", "=ScheduleCheck(,,0)"), ("=ScheduleCheck(A6,,)", "=ScheduleCheck(0,,)"),
    ("=CovariateCheck(\"PropMarsh\",A10)", "#N/A"),
    # arithmetic, as the sheets use it (a rate in mL/h, a running total), and its errors
    ("=A5*60/A9", None), ("=(A1-A2)/60", None), ("=0.1+0.2+0.3", None), ("=-B1:B6*2", None),
    ("=B1:B6/C1:C6", None), ("=A8+A6-1", None), ("=A7+1", None), ("=1/A6", None),
    ("=1e308*10", None), ("=JLBM(A2,A3,1)*2-A4", None),
]


def literal(value):
    """A value of the call table as a formula's literal: a number with every bit (repr), a
    truth value, a text in double quotes, an error value, an omitted argument empty, a
    column {1;2}, rows {1,2;3,4}."""
    if value is None:
        return ""
    if isinstance(value, bool):
        return "TRUE" if value else "FALSE"
    if isinstance(value, (int, float)):
        return repr(value)
    if isinstance(value, str):
        return '"' + value.replace('"', '""') + '"'
    if isinstance(value, dict):
        return value["error"]
    if isinstance(value[0], list):
        return "{" + ";".join(",".join(map(literal, row)) for row in value) + "}"
    return "{" + ";".join(map(literal, value)) + "}"


def table_calls(registrations):
    """The call table's calls as (formula, what Calc must show): Calc passes no error value,
    the cell shows the first one given; it calls no function with more arguments than it
    registers (Err:504). An error inside an array constant is no formula in Calc (Err:539):
    a range that holds one is among the sheet's forms."""
    counts = {r["worksheetName"]: len([n for n in r["argumentNames"].split(", ") if n])
              for r in registrations}
    with open(TABLE, encoding="utf-8") as f:
        table = json.load(f)
    calls = []
    for group in table["groups"]:
        for name, *arguments in group["calls"]:
            if any(isinstance(a, list) and any(isinstance(v, dict) for v in a)
                   for a in arguments):
                continue
            formula = "=%s(%s)" % (name, ",".join(map(literal, arguments)))
            errors = [a["error"] for a in arguments if isinstance(a, dict)]
            if errors:
                calls.append((formula, errors[0]))
            elif len(arguments) > counts[name]:
                calls.append((formula, "Err:504"))
            else:
                calls.append((formula, None))
    return calls


# Velmora: every model twice, with numbers from this list in turn and flags TRUE then
# FALSE (the other way round the second time), so that a new model is called too.
NUMBERS = ["53", "77", "177", "59", "40.75", "35", "12", "170"]


def model_calls(registrations):
    calls = []
    for r in registrations:
        if not r["category"].startswith("Velmora"):
            continue
        names = [n for n in r["argumentNames"].split(", ") if n]
        for turn in (0, 1):
            arguments = []
            for k, code in enumerate(r["typeText"][1:]):
                if code == "B":
                    arguments.append(NUMBERS[(k + 3 * turn) % len(NUMBERS)])
                else:
                    arguments.append("TRUE" if (k + turn) % 2 == 0 else "FALSE")
            assert len(arguments) == len(names), r
            calls.append(("=%s(%s)" % (r["worksheetName"], ",".join(arguments)), None))
    return calls


def sheethost(program, *arguments):
    result = subprocess.run([program] + list(arguments), capture_output=True, text=True,
                            timeout=SHEETHOST_SECONDS)
    if result.returncode != 0:
        raise RuntimeError("sheethost %s failed: %s" % (" ".join(arguments), result.stderr))
    return result.stdout


def parse_grid(text):
    return [row for row in csv.reader(io.StringIO(text))]


def grid_cell(grid, row, column):
    if row < len(grid) and column < len(grid[row]):
        return grid[row][column]
    return ""


# The error values a cell shows; a text may begin with "#" too.
ERRORS = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"}


class Comparison:
    def __init__(self):
        self.cells = 0
        self.failures = []

    def cell(self, where, expected, cell):
        """One Calc cell against sheethost's text for it."""
        self.cells += 1
        error = cell.getError()
        shown = cell.getString()
        kind = cell.FormulaResultType2  # 1 value, 2 text, 4 error
        if expected in ERRORS or expected.startswith("Err:"):
            ok = error != 0 and shown == expected
        else:
            try:
                number = float(expected)
            except ValueError:
                number = None
            if number is not None:
                got = cell.getValue()
                ok = (error == 0 and kind == 1
                      and struct.pack("<d", got) == struct.pack("<d", number))
                shown = repr(got) if error == 0 else shown
            else:
                ok = error == 0 and kind == 2 and shown == expected
        if not ok:
            self.failures.append("%s: LibreOffice %r, sheethost %r" % (where, shown, expected))


def place(sheet, grid, address, formula, rows):
    """An add-in formula as an array formula over the rows its result fills in sheethost,
    and one row more, which Calc must leave #N/A for a column (or fill with the value a
    single cell result repeats)."""
    column, row = address
    sheet.getCellRangeByPosition(column, row, column, row + rows).setArrayFormula(
        calc_formula(formula))


def check_extra_row(comparison, sheet, where, column, row, rows, grid):
    extra = sheet.getCellByPosition(column, row + rows)
    if rows == 1:
        comparison.cell(where + " (repeated)", grid_cell(grid, row, column), extra)
    elif extra.getString() != "#N/A":
        comparison.failures.append("%s: a row beyond the result shows %r"
                                   % (where, extra.getString()))


def test_calls(office, program, registrations):
    calls = table_calls(registrations) + SHEET_CALLS + model_calls(registrations)
    called = {m.group(1).lower() for f, _ in calls for m in re.finditer(r"([A-Za-z0-9_]+)\(", f)}
    missing = [r["worksheetName"] for r in registrations
               if r["worksheetName"].lower() not in called]
    if missing:
        return ["no call of %s in the table" % ", ".join(missing)], 0, 0

    # The sheet for sheethost: the data, then each call in its own column.
    width = max(len(calls), 17)
    rows = [["" for _ in range(width)] for _ in range(CASE_ROW)]
    for name, value in DATA.items():
        column, row = cell_position(name)
        rows[row][column] = value
    rows[CASE_ROW - 1] = [reference or formula for formula, reference in calls]
    text = io.StringIO()
    for row in rows:
        text.write(",".join(row) + "\n")  # formulas unquoted, as sheethost reads them
    path = os.path.join(office.profile, "calls.csv")
    with open(path, "w") as f:
        f.write(text.getvalue())
    grid = parse_grid(sheethost(program, path))

    document = office.new_calc()
    try:
        sheet = document.Sheets.getByIndex(0)
        placed = []
        for name, value in DATA.items():
            column, row = cell_position(name)
            if value.startswith("="):
                n = spill_rows(grid, DATA, row, column)
                place(sheet, grid, (column, row), value, n)
                placed.append((name, column, row, n))
            else:
                put_value(sheet.getCellByPosition(column, row), value)
        for column, (formula, _) in enumerate(calls):
            row = CASE_ROW - 1
            n = spill_rows(grid, {}, row, column)
            place(sheet, grid, (column, row), formula, n)
            placed.append((formula, column, row, n))
        document.calculateAll()
        comparison = Comparison()
        for what, column, row, n in placed:
            for k in range(n):
                comparison.cell("%s %s" % (what, cell_name(column, row + k)),
                                grid_cell(grid, row + k, column),
                                sheet.getCellByPosition(column, row + k))
            check_extra_row(comparison, sheet, what, column, row, n, grid)
        return comparison.failures, len(calls), comparison.cells
    finally:
        document.close(True)


def cell_position(name):
    m = re.fullmatch(r"([A-Z]+)([0-9]+)", name)
    column = 0
    for c in m.group(1):
        column = column * 26 + ord(c) - ord("A") + 1
    return column - 1, int(m.group(2)) - 1


def test_descriptions(office, registrations):
    """The function wizard's texts: each function under its worksheet name (in capitals,
    as Calc shows every function) with its help text, its arguments under their names with their descriptions, as registered (the host
    shows the last argument's description followed by ". ")."""
    service = office.context.ServiceManager.createInstanceWithContext(
        "com.sun.star.sheet.FunctionDescriptions", office.context)
    shown = {}
    for k in range(service.getCount()):
        description = {p.Name: p.Value for p in service.getByIndex(k)}
        shown[description["Name"]] = description
    add_in_category = 11  # com.sun.star.sheet.FunctionCategory.ADDIN
    failures = []
    for r in registrations:
        name = r["worksheetName"]
        d = shown.get(name.upper())
        if d is None or d["Category"] != add_in_category:
            failures.append("%s is not in the function list's add-ins" % name)
            continue
        names = [n for n in r["argumentNames"].split(", ") if n]
        helps = list(r["argumentHelps"])
        if helps and helps[-1].endswith(". "):
            helps[-1] = helps[-1][:-2]
        got = [(a.Name, a.Description) for a in d["Arguments"] or ()]
        if d["Description"] != r["functionHelp"]:
            failures.append("%s: help %r, registered %r" % (name, d["Description"],
                                                            r["functionHelp"]))
        if got != list(zip(names, helps)):
            failures.append("%s: arguments %r, registered %r" % (name, got,
                                                                 list(zip(names, helps))))
    return failures


DECIMALS = re.compile(r"^-?[0-9]+(?:\.([0-9]+))?(?:E([+-]?[0-9]+))?$")


def shows_its_value(shown, value):
    """Whether a number's displayed text is the number rounded to the digits it shows, sign
    included, and not 0 unless it is 0."""
    m = DECIMALS.match(shown)
    if not m:
        return False
    decimals = len(m.group(1) or "")
    if m.group(2) is not None:
        expected = "%.*E" % (decimals, value)
        expected = re.sub(r"E([+-])0*([0-9]{2,})", r"E\1\2", expected)
    else:
        expected = "%.*f" % (decimals, value)
    # Calc rounds a tie away from 0, Python's formatting to even: either is right.
    tie = decimal.Decimal(value)
    if m.group(2) is not None:
        digits = tie.adjusted() if value != 0 else 0
        tie = tie.scaleb(-digits).quantize(decimal.Decimal(1).scaleb(-decimals),
                                           rounding=decimal.ROUND_HALF_UP)
        away = "%sE%+03d" % (tie, digits)
    else:
        away = str(tie.quantize(decimal.Decimal(1).scaleb(-decimals),
                                rounding=decimal.ROUND_HALF_UP))
    return shown in (expected, away) and (float(shown) != 0) == (value != 0)


def check_display(where, cell, expected_text, failures):
    """What the cell shows: a text or an error as sheethost writes it, a number as its value
    rounded to the digits shown."""
    shown = cell.getString()
    kind = cell.getType().value
    number = kind == "VALUE" or (kind == "FORMULA" and cell.getError() == 0
                                 and cell.FormulaResultType2 == 1)
    if number:
        if not shows_its_value(shown, cell.getValue()):
            failures.append("%s shows %r for %r" % (where, shown, cell.getValue()))
    elif shown != expected_text:
        failures.append("%s shows %r, sheethost %r" % (where, shown, expected_text))


def check_layout(sheet, name, end, pdf_text, failures):
    """No number too wide for its column (Calc shows ###), every text beside a filled cell
    within its column or wrapped, every chart with axis titles that name a unit and an x
    axis that ends at the data's end."""
    if "###" in pdf_text:
        failures.append("%s: a number is too wide for its column (###)" % name)
    columns = sheet.getColumns()
    for row in range(end.EndRow + 1):
        for column in range(end.EndColumn + 1):
            cell = sheet.getCellByPosition(column, row)
            text = cell.getString()
            beside = sheet.getCellByPosition(column + 1, row).getString()
            if (text and beside and cell.getType().value == "TEXT" and not cell.IsTextWrapped
                    and text_width(text) > columns.getByIndex(column).Width):
                failures.append("%s %s: %r is cut by the next cell"
                                % (name, cell_name(column, row), text))
    charts = sheet.getCharts()
    for k in range(charts.getCount()):
        chart = charts.getByIndex(k).getEmbeddedObject()
        diagram = chart.getDiagram()
        titles = [diagram.getXAxisTitle().String if diagram.HasXAxisTitle else "",
                  diagram.getYAxisTitle().String if diagram.HasYAxisTitle else ""]
        if not all(re.search(r"\(.+\)", t) for t in titles):
            failures.append("%s chart %d: axis titles %r without units" % (name, k + 1, titles))
        x_range = charts.getByIndex(k).getRanges()[0]
        xs = [sheet.getCellByPosition(x_range.StartColumn, r).getValue()
              for r in range(x_range.StartRow + 1, x_range.EndRow + 1)]
        x_axis = diagram.getXAxis()
        if x_axis.AutoMax or x_axis.Max != max(xs):
            failures.append("%s chart %d: the x axis ends at %r, the data at %r"
                            % (name, k + 1, x_axis.Max, max(xs)))


def render_pages(document, name, pages):
    """The workbook as Calc prints it, as PDF and one PNG per page in the pages folder; the
    PDF's text for the layout check."""
    pdf = os.path.join(pages, name + ".pdf")
    export_pdf(document, pdf)
    subprocess.run(["pdftoppm", "-png", "-r", "110", pdf, os.path.join(pages, name)],
                   check=True, timeout=SHEETHOST_SECONDS)
    return subprocess.run(["pdftotext", "-layout", pdf, "-"], check=True, capture_output=True,
                          text=True, timeout=SHEETHOST_SECONDS).stdout


def test_workbook(office, program, ods, csv_path, pages):
    grid = parse_grid(sheethost(program, csv_path))
    source = read_csv_grid(csv_path)
    name = os.path.splitext(os.path.basename(ods))[0]
    document = office.load(ods)
    try:
        document.calculateAll()
        sheet = document.Sheets.getByIndex(0)
        comparison = Comparison()
        display = []
        used = sheet.createCursor()
        used.gotoEndOfUsedArea(False)
        end = used.RangeAddress
        for row in range(end.EndRow + 1):
            for column in range(end.EndColumn + 1):
                cell = sheet.getCellByPosition(column, row)
                where = "%s %s" % (name, cell_name(column, row))
                in_csv = source.value(row, column) != "" or grid_cell(grid, row, column) != ""
                if cell.getType().value == "FORMULA" and in_csv:
                    comparison.cell(where, grid_cell(grid, row, column), cell)
                if cell.getType().value != "EMPTY":
                    check_display(where, cell, grid_cell(grid, row, column), display)
        failures = list(comparison.failures) + display
        if comparison.cells == 0:
            failures.append("%s: no formula cell" % ods)
        charts = sheet.getCharts().getCount()
        wanted = len(WORKBOOKS.get(name, Workbook()).charts)
        if charts != wanted:
            failures.append("%s: %d charts, %d wanted" % (ods, charts, wanted))
        check_layout(sheet, name, end, render_pages(document, name, pages), failures)
        return failures, comparison.cells
    finally:
        document.close(True)


def main():
    oxt, program, examples, pages = sys.argv[1:5]
    os.makedirs(pages, exist_ok=True)
    registrations = [json.loads(line) for line in sheethost(program, "--registrations").splitlines()]
    status = 0
    with Office(oxt) as office:
        failures = test_descriptions(office, registrations)
        print("function wizard: %d functions, names and texts as registered"
              % len(registrations) if not failures else "function wizard:")
        for failure in failures:
            print("  DIFFERENT " + failure)
        status |= bool(failures)
        failures, calls, cells = test_calls(office, program, registrations)
        print("calls: %d calls of %d functions, %d cells compared"
              % (calls, len(registrations), cells))
        for failure in failures:
            print("  DIFFERENT " + failure)
        status |= bool(failures)
        workbooks = sorted(f for f in os.listdir(examples) if f.endswith(".ods"))
        if not workbooks:
            print("no example workbooks in %s" % examples)
            status = 1
        for name in workbooks:
            ods = os.path.join(examples, name)
            source = os.path.splitext(ods)[0] + ".csv"
            failures, cells = test_workbook(office, program, ods, source, pages)
            print("%s: %d formula cells compared, every cell's display and the layout checked"
                  % (name, cells))
            for failure in failures:
                print("  DIFFERENT " + failure)
            status |= bool(failures)
    print("pages of the workbooks: %s" % os.path.join(pages, "*.png"))
    print("LibreOffice and sheethost: %s" % ("DIFFERENT" if status else "the same bits and texts"))
    return status


if __name__ == "__main__":
    sys.exit(main())
