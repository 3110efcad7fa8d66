"""The example workbooks: every examples/*.csv sheet as a Calc workbook (.ods) beside it,
with what a spreadsheet adds to some of them (the infusion rate in mL/h from a syringe
concentration, cumulative and total dose, charts), and a picture of each workbook that has a
chart, rendered by LibreOffice (PDF, then pdftoppm).

    /usr/bin/python3 libreoffice/python/make_workbooks.py <extension.oxt> <sheethost> <examples>

The CSV sheet is the definition: its cells go to the same addresses, an add-in formula as an
array formula over the rows its result fills in sheethost. The additions below only use
cells the CSV sheet leaves empty, so that the tests can compare every add-in cell of the
workbook with sheethost's evaluation of the CSV sheet.
"""

import os
import subprocess
import sys

import uno
from com.sun.star.awt import Rectangle
from com.sun.star.table import CellRangeAddress

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from office import Office, calc_formula, properties  # noqa: E402
from workbook import read_csv_grid, spill_rows, put_value  # noqa: E402

import csv  # noqa: E402
import io  # noqa: E402

PICTURE_DPI = 110
# The upper part of the landscape page, where the sheets and charts are (pixels).
PICTURE_CROP = ["-x", "60", "-y", "70", "-W", "1180", "-H", "500"]
# Numbers with a fraction: three decimals, small ones in scientific notation.
FRACTION_FORMAT = "[=0]0;[<0.01]0.00E+00;0.000"
COLUMN_WIDTH = 3100  # 1/100 mm
FIRST_COLUMN_WIDTH = 4300
CM = 1000  # 1/100 mm


def rows_of(column, first, last, formula):
    """A formula down a column, {r} the row and {p} the row above."""
    return {"%s%d" % (column, r): formula.format(r=r, p=r - 1) for r in range(first, last + 1)}


def overview_additions():
    cells = {
        "A9": "Syringe (mg/mL)", "B9": "10",
        "A10": "Total dose (mg)", "B10": "=I43",
        "H12": "Rate (mL/h)", "I12": "Cumulative dose (mg)",
        "I13": "=E13",
    }
    cells.update(rows_of("H", 13, 43, "=D{r}*60/$B$9"))
    cells.update(rows_of("I", 14, 43, "=I{p}+D{r}*B{r}+E{r}"))
    return cells


# name: (cells added, charts: (title, x range, y ranges, top-left cell of the chart, size))
ADDITIONS = {
    "overview_propofol_tci": (
        overview_additions(),
        [("Propofol effect-site TCI: target, Cp and Ce (ug/mL) over time (s)",
          "A12:A43", ["C12:C43", "F12:F43", "G12:G43"], (10, 1), (17, 9))]),
    "context_sensitive_decrement_times": (
        {},
        [("Context-sensitive half-time (min) against infusion duration (min)",
          "A19:A30", ["B19:B30", "C19:C30", "D19:D30"], (5, 1), (16, 9))]),
    "plasma_tci_with_bolus": (
        {},
        [("Plasma TCI with a 30 mg bolus at 1 min: target and Cp (ug/mL) over time (s)",
          "A12:A37", ["C12:C37", "G12:G37"], (8, 1), (16, 9))]),
}


def range_address(sheet, name):
    return sheet.getCellRangeByName(name).getRangeAddress()


def add_chart(document, sheet, title, x, ys, corner, size):
    column, row = corner
    position = sheet.getCellByPosition(column, row).Position
    rectangle = Rectangle(position.X, position.Y, size[0] * CM, size[1] * CM)
    ranges = tuple([range_address(sheet, x)] + [range_address(sheet, y) for y in ys])
    charts = sheet.getCharts()
    charts.addNewByName("chart", rectangle, ranges, True, False)
    chart = charts.getByName("chart").getEmbeddedObject()
    chart.setDiagram(chart.createInstance("com.sun.star.chart.XYDiagram"))
    chart.HasMainTitle = True
    chart.getTitle().String = title
    chart.getTitle().CharHeight = 11
    chart.HasLegend = True
    diagram = chart.getDiagram()
    diagram.Lines = True
    diagram.SymbolType = -3  # com.sun.star.chart.ChartSymbolType.NONE
    for axis in (diagram.getXAxis(), diagram.getYAxis()):
        axis.LinkNumberFormatToSource = False  # the axes in General, not the cells' format
        axis.NumberFormat = 0


def format_fractions(document, sheet):
    formats = document.NumberFormats
    locale = uno.createUnoStruct("com.sun.star.lang.Locale", "en", "US", "")
    key = formats.queryKey(FRACTION_FORMAT, locale, False)
    if key == -1:
        key = formats.addNew(FRACTION_FORMAT, locale)
    cursor = sheet.createCursor()
    cursor.gotoEndOfUsedArea(False)
    end = cursor.RangeAddress
    for row in range(end.EndRow + 1):
        for column in range(end.EndColumn + 1):
            cell = sheet.getCellByPosition(column, row)
            value = cell.getValue()
            formula = cell.getType().value == "FORMULA"
            if cell.getError() == 0 and cell.getString() != "" and (
                    value != int(value) or formula) and cell.FormulaResultType2 != 2:
                cell.NumberFormat = key


def sheethost_grid(program, path):
    out = subprocess.run([program, path], capture_output=True, text=True, timeout=60,
                         check=True).stdout
    return list(csv.reader(io.StringIO(out)))


def build(office, program, csv_path):
    name = os.path.splitext(os.path.basename(csv_path))[0]
    source = read_csv_grid(csv_path)
    grid = sheethost_grid(program, csv_path)
    document = office.new_calc()
    sheet = document.Sheets.getByIndex(0)
    sheet.setName(name[:31])
    for row, column, value in source.cells():
        if value.startswith("="):
            rows = spill_rows(grid, source, row, column)
            sheet.getCellRangeByPosition(column, row, column, row + rows - 1).setArrayFormula(
                calc_formula(value))
        else:
            put_value(sheet.getCellByPosition(column, row), value)
    cells, charts = ADDITIONS.get(name, ({}, []))
    for address, value in cells.items():
        cell = sheet.getCellRangeByName(address).getCellByPosition(0, 0)
        if source.value(cell.CellAddress.Row, cell.CellAddress.Column) != "":
            raise RuntimeError("%s: %s is a cell of the CSV sheet" % (name, address))
        if value.startswith("="):
            cell.setFormula(calc_formula(value))
        else:
            put_value(cell, value)
    columns = sheet.getColumns()
    for k in range(max(len(r) for r in source.rows) + 2):
        columns.getByIndex(k).Width = FIRST_COLUMN_WIDTH if k == 0 else COLUMN_WIDTH
    document.calculateAll()
    format_fractions(document, sheet)
    for chart in charts:
        add_chart(document, sheet, *chart)
    # One landscape page for the picture.
    style = document.StyleFamilies.getByName("PageStyles").getByName(sheet.PageStyle)
    style.IsLandscape = True
    style.Width, style.Height = 29700, 21000
    style.ScaleToPagesX = 1
    style.ScaleToPagesY = 1
    style.HeaderIsOn = False
    style.FooterIsOn = False
    return document, bool(charts)


def main():
    oxt, program, examples = sys.argv[1:4]
    pictures = os.path.join(examples, "pictures")
    os.makedirs(pictures, exist_ok=True)
    with Office(oxt) as office:
        for csv_name in sorted(f for f in os.listdir(examples) if f.endswith(".csv")):
            csv_path = os.path.join(examples, csv_name)
            stem = os.path.splitext(csv_path)[0]
            document, charted = build(office, program, csv_path)
            try:
                document.storeToURL(uno.systemPathToFileUrl(os.path.abspath(stem + ".ods")),
                                    properties(FilterName="calc8", Overwrite=True))
                if charted:
                    pdf = os.path.join(office.profile, "picture.pdf")
                    document.storeToURL(uno.systemPathToFileUrl(pdf),
                                        properties(FilterName="calc_pdf_Export"))
                    png = os.path.join(pictures, os.path.basename(stem))
                    subprocess.run(["pdftoppm", "-png", "-r", str(PICTURE_DPI), "-singlefile",
                                    "-f", "1", "-l", "1"] + PICTURE_CROP + [pdf, png],
                                   check=True, timeout=60)
            finally:
                document.close(True)
            print("wrote %s.ods%s" % (stem, " and a picture" if charted else ""))


if __name__ == "__main__":
    main()
