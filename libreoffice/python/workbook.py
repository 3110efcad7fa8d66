"""Sheets in the add-ins' CSV form and their Calc counterparts: reading a CSV sheet as
sheethost reads it, naming cells, sizing an add-in formula's array by the rows its result
fills in sheethost, and writing a CSV cell's value into a Calc cell."""

import re

# How Calc writes the add-ins' functions in a formula (getFormula), in upper case.
ADDIN_PREFIX = "VELMORACORVANE."

NUMBER = re.compile(r"^ *[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)? *$")


def cell_name(column, row):
    name = ""
    column += 1
    while column:
        column, rest = divmod(column - 1, 26)
        name = chr(ord("A") + rest) + name
    return "%s%d" % (name, row + 1)


def split_line(line):
    """The cells of one CSV line as sheethost reads them: a formula (beginning with '=')
    runs to its end even when it holds commas inside brackets or texts; a quoted cell may
    hold commas and doubled quotes."""
    cells = []
    k = 0
    n = len(line)
    while True:
        if k < n and line[k] == '"':
            k += 1
            value = ""
            while k < n:
                if line[k] == '"':
                    if k + 1 < n and line[k + 1] == '"':
                        value += '"'
                        k += 2
                        continue
                    k += 1
                    break
                value += line[k]
                k += 1
            cells.append(value)
        else:
            start = k
            depth = 0
            in_text = False
            formula = k < n and line[k] == "="
            while k < n:
                c = line[k]
                if formula and c == '"':
                    in_text = not in_text
                elif formula and not in_text and c in "({":
                    depth += 1
                elif formula and not in_text and c in ")}":
                    depth -= 1
                elif c == "," and depth == 0 and not in_text:
                    break
                k += 1
            cells.append(line[start:k])
        if k >= n or line[k] != ",":
            return cells
        k += 1


class CsvSheet:
    def __init__(self, rows):
        self.rows = rows
        self.title = rows[0][0] if rows and rows[0] else ""

    def value(self, row, column):
        if row < len(self.rows) and column < len(self.rows[row]):
            return self.rows[row][column]
        return ""

    def cells(self):
        for row, cells in enumerate(self.rows):
            for column, value in enumerate(cells):
                if value != "":
                    yield row, column, value


def read_csv_grid(path):
    with open(path, encoding="utf-8") as f:
        return CsvSheet([split_line(line.rstrip("\n")) for line in f])


def spill_rows(grid, filled, row, column):
    """How many rows the formula at (row, column) fills in sheethost's output: its own and
    those below that sheethost filled and the sheet left empty. filled is a dict of cell
    names or a CsvSheet."""

    def is_filled(r):
        if isinstance(filled, CsvSheet):
            return filled.value(r, column) != ""
        return cell_name(column, r) in filled

    rows = 1
    while True:
        r = row + rows
        shown = grid[r][column] if r < len(grid) and column < len(grid[r]) else ""
        if shown == "" or is_filled(r):
            return rows
        rows += 1


def quotient_of(number, largest=100000):
    """Whole numbers p and q, both of 15 digits at most, whose quotient is the number."""
    for q in range(1, largest):
        p = round(number * q)
        if abs(p) < 1e15 and p / q == number:
            return p, q
    raise ValueError("%r is no quotient of whole numbers below %d: an .ods file cannot "
                     "keep it" % (number, largest))


def put_value(cell, text):
    """A CSV cell's value in a Calc cell: a number, TRUE or FALSE as 1 or 0, the error
    #N/A, else a text.
    An .ods file keeps a number, also one written in a formula, to 15 significant digits,
    so a number that needs more (0.16666666666666666) goes in as the quotient that gives it
    (=1/6)."""
    if NUMBER.match(text):
        number = float(text)
        if float("%.15g" % number) == number:
            cell.setValue(number)
        else:
            cell.setFormula("=%d/%d" % quotient_of(number))
    elif text == "#N/A":
        cell.setFormula("=NA()")
    elif text.upper() in ("TRUE", "FALSE"):
        cell.setValue(1.0 if text.upper() == "TRUE" else 0.0)
    else:
        cell.setString(text)
