"""The example workbooks: every examples/*.csv sheet as a Calc workbook (.ods) beside it, laid
out for reading (columns as wide as what they show, long headers wrapped, numbers in a format
that keeps their sign), with the charts WORKBOOKS describes, and a picture of each charted
workbook for the README, rendered by LibreOffice (PDF, then pdftoppm).

    /usr/bin/python3 libreoffice/python/make_workbooks.py <extension.oxt> <sheethost> <examples>

The CSV sheet is the definition: its cells go to the same addresses, a formula that calls a
function as an array formula over the rows its result fills in sheethost. What WORKBOOKS adds
only uses cells the CSV sheet leaves empty, so that the tests can compare every formula cell
of the workbook with sheethost's evaluation of the CSV sheet.

A new example workbook is a CSV sheet in examples/ and, for its charts, one entry here.
"""

import csv
import io
import math
import os
import re
import subprocess
import sys
from typing import NamedTuple

import uno
from com.sun.star.awt import Rectangle

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from office import Office, calc_formula, export_pdf, properties  # noqa: E402
from workbook import read_csv_grid, spill_rows, put_value  # noqa: E402

PICTURE_DPI = 110
# The formats of the numbers that formulas give: three decimals, or scientific notation below
# SMALL_BELOW.
DECIMALS_FORMAT = "0.000"
SMALL_FORMAT = "0.00E+00"
SMALL_BELOW = 0.01
HIDDEN_NEGATIVE_FORMAT = "General;;0"  # an axis label for a negative number is left out
# A text beside a filled cell to its left stands this far from it (1/100 mm).
LABEL_INDENT = 200
CM = 1000  # 1/100 mm
# A column is as wide as the widest text it shows, plus this margin (1/100 mm); a label wider
# than LABEL_WIDTH, a column's header wider than HEADER_WIDTH is wrapped onto lines.
COLUMN_MARGIN = 500
LABEL_WIDTH = 4400
HEADER_WIDTH = 2600
FONT_POINTS = 10
FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"  # what Calc draws here
# A series' colour by the start of its header (the first prefix that fits), as
# corvane.plot_tci draws them, each drug's target lighter than its concentration; the others in
# turn from OTHER_COLOURS.
ROLE_COLOURS = {"Target": 0x595959, "Cp": 0x1F77B4, "Ce": 0xD62728, "BIS": 0x9467BD,
                "Propofol target": 0xF0A0A0, "Propofol": 0xD62728,
                "Remifentanil target": 0x9CC3E4, "Remifentanil": 0x1F77B4}
OTHER_COLOURS = [0x2CA02C, 0x9467BD, 0xFF7F0E, 0x8C564B]
LINE_WIDTH = 50  # 1/100 mm
RATE_TICKS = 5  # at most, on a rate's axis, so that Calc labels each


class Chart(NamedTuple):
    """A scatter chart of columns against a column; each range begins with its header, which
    names the series. Ranges in steps are drawn as steps: the value of a row holds from the
    row before up to it, as a rate or a target holds over its interval."""
    title: str
    x: str
    ys: list
    x_title: str
    y_title: str
    corner: str  # the cell at the chart's top left
    size: tuple  # width, height (cm)
    steps: tuple = ()
    below_zero: bool = False  # the y axis reaches below 0, so that 0 shows off the axis
    y_max: float = None  # the top of the y axis (a probability's 1, BIS 100); None: Calc's


class Workbook(NamedTuple):
    charts: list = []
    cells: dict = {}  # address: value or formula, in cells the CSV sheet leaves empty
    picture: str = None  # the range the picture shows, for a sheet too long for one page


TIME_S = "Time (s)"
WORKBOOKS = {
    "overview_propofol_tci": Workbook(charts=[
        Chart("Propofol effect-site TCI: target and predicted concentrations", "A12:A43",
              ["C12:C43", "F12:F43", "G12:G43"], TIME_S, "Concentration (ug/mL)", "L3",
              (17, 9), steps=("C12:C43",)),
        Chart("Infusion rate from the syringe of 10 mg/mL", "A12:A43", ["H12:H43"], TIME_S,
              "Rate (mL/h)", "L22", (17, 6.5), steps=("H12:H43",), below_zero=True),
    ]),
    "context_sensitive_decrement_times": Workbook(charts=[
        Chart("Context-sensitive half-times", "A20:A31", ["B20:B31", "C20:C31", "D20:D31"],
              "Infusion duration (min)", "Half-time (min)", "F3", (16, 9)),
    ]),
    "plasma_tci_with_bolus": Workbook(charts=[
        Chart("Plasma TCI with a 30 mg bolus at 1 min", "A12:A37", ["C12:C37", "G12:G37"],
              TIME_S, "Concentration (ug/mL)", "I3", (16, 8.5), steps=("C12:C37",)),
        Chart("Infusion rates", "A12:A37", ["E12:E37", "F12:F37"], TIME_S, "Rate (mg/min)",
              "I21", (16, 6.5), steps=("E12:E37", "F12:F37"), below_zero=True),
    ]),
    "bis_guided_propofol_tci": Workbook(charts=[
        Chart("Propofol effect-site TCI to a BIS target: target and predicted concentrations",
              "A15:A76", ["D15:D76", "G15:G76", "H15:H76"], TIME_S, "Concentration (ug/mL)",
              "L3", (17, 8.5), steps=("D15:D76",)),
        Chart("Predicted BIS (Eleveld) of the effect-site concentration", "A15:A76",
              ["C15:C76", "I15:I76"], TIME_S, "BIS (0 to 100)", "L23", (17, 7), steps=("C15:C76",),
              y_max=100),
        Chart("Infusion rate from the syringe of 10 mg/mL", "A15:A76", ["J15:J76"], TIME_S,
              "Rate (mL/h)", "L41", (17, 6), steps=("J15:J76",), below_zero=True),
    ]),
    "propofol_remifentanil_no_response": Workbook(charts=[
        Chart("Effect-site targets and predicted concentrations", "A19:A80",
              ["C19:C80", "F19:F80", "G19:G80", "J19:J80"], TIME_S,
              "Propofol (ug/mL), remifentanil (ng/mL)", "N3", (17, 8.5),
              steps=("C19:C80", "G19:G80")),
        Chart("Probability of no response to laryngoscopy (example set)", "A19:A80",
              ["K19:K80", "L19:L80"], TIME_S, "Probability (0 to 1)", "N23", (17, 7.5), y_max=1),
    ]),
    "variability_varvel_and_band": Workbook(charts=[
        Chart("Plasma concentration of 1000 virtual patients (Eleveld): 5th, 50th and 95th "
              "percentile, and the typical patient", "A16:A557",
              ["F16:F557", "G16:G557", "H16:H557", "I16:I557"], TIME_S, "Cp (ug/mL)", "S3",
              (18, 9.5)),
        Chart("Measured samples against the typical prediction", "K16:K24", ["L16:L24", "M16:M24"],
              "Sample time (min)", "Cp (ug/mL)", "S24", (18, 7)),
    ], picture="A1:AD70"),
    "bolus_infusion_prediction": Workbook(charts=[
        Chart("Propofol after a bolus of 140 mg and two rates", "A22:A53", ["E22:E53", "F22:F53"],
              "Time (min)", "Concentration (ug/mL)", "K3", (16, 8.5)),
        Chart("Infusion rate", "A22:A53", ["C22:C53"], "Time (min)", "Rate (mg/min)", "K21",
              (16, 6.5), steps=("C22:C53",), below_zero=True),
    ]),
}


def range_address(sheet, name):
    return sheet.getCellRangeByName(name).getRangeAddress()


def column_values(sheet, name):
    """The numbers of a column range below its header."""
    cells = sheet.getCellRangeByName(name)
    rows = cells.getRows().getCount()
    return [cells.getCellByPosition(0, k).getValue() for k in range(1, rows)]


def nice_step(span, parts=10):
    """A step of 1, 2, 2.5 or 5 times a power of 10 that divides the span into at most
    parts parts, and at least half as many."""
    step = 10.0 ** math.floor(math.log10(span))
    while span / step < parts / 2:
        step /= 10
    for factor in (1, 2, 2.5, 5, 10):
        if span / (step * factor) <= parts:
            return step * factor
    return step * 10


def add_chart(office, sheet, name, chart):
    position = sheet.getCellRangeByName(chart.corner).Position
    rectangle = Rectangle(position.X, position.Y, int(chart.size[0] * CM), int(chart.size[1] * CM))
    ranges = tuple([range_address(sheet, chart.x)] + [range_address(sheet, y) for y in chart.ys])
    charts = sheet.getCharts()
    charts.addNewByName(name, rectangle, ranges, True, False)
    document = charts.getByName(name).getEmbeddedObject()
    document.setDiagram(document.createInstance("com.sun.star.chart.XYDiagram"))
    document.HasMainTitle = True
    document.getTitle().String = chart.title
    document.getTitle().CharHeight = 11
    document.HasLegend = True
    document.getLegend().Alignment = uno.Enum("com.sun.star.chart.ChartLegendPosition", "BOTTOM")
    diagram = document.getDiagram()
    diagram.Lines = True
    diagram.SymbolType = -3  # com.sun.star.chart.ChartSymbolType.NONE
    diagram.HasXAxisTitle = True
    diagram.getXAxisTitle().String = chart.x_title
    diagram.HasYAxisTitle = True
    diagram.getYAxisTitle().String = chart.y_title
    diagram.getWall().FillColor = 0xFFFFFF
    xs = column_values(sheet, chart.x)
    x_axis, y_axis = diagram.getXAxis(), diagram.getYAxis()
    x_axis.AutoMin = x_axis.AutoMax = x_axis.AutoStepMain = False
    x_axis.Min, x_axis.Max = min(xs), max(xs)
    x_axis.StepMain = nice_step(max(xs) - min(xs))
    highest = max(max(column_values(sheet, y)) for y in chart.ys)
    y_axis.AutoMin = False
    y_axis.Min = 0
    if chart.y_max is not None:
        y_axis.AutoMax = False
        y_axis.Max = chart.y_max
    for axis in (x_axis, y_axis):
        axis.LinkNumberFormatToSource = False  # the axes in General, not the cells' format
        axis.NumberFormat = 0
    if chart.below_zero and highest > 0:
        # One step below 0, its tick unlabelled: Calc counts the ticks from the minimum.
        step = nice_step(highest, RATE_TICKS)
        y_axis.AutoMax = y_axis.AutoStepMain = False
        y_axis.Min, y_axis.StepMain = -step, step
        y_axis.Max = step * math.ceil(highest / step + 0.05)
        y_axis.NumberFormat = number_format(document, HIDDEN_NEGATIVE_FORMAT)
    style_series(office, sheet, document, chart)


def number_format(document, code):
    """The key of a number format in the document's formats, added when new."""
    formats = document.getNumberFormats()
    locale = uno.createUnoStruct("com.sun.star.lang.Locale", "en", "US", "")
    key = formats.queryKey(code, locale, False)
    return key if key != -1 else formats.addNew(code, locale)


def style_series(office, sheet, document, chart):
    """Colours and widths of the lines; the ranges in chart.steps moved to a chart type of
    their own that draws steps."""
    system = document.getFirstDiagram().getCoordinateSystems()[0]
    lines = system.getChartTypes()[0]
    series = list(lines.getDataSeries())
    steps = None
    others = iter(OTHER_COLOURS * len(series))
    for s, y in zip(series, chart.ys):
        header = sheet.getCellRangeByName(y).getCellByPosition(0, 0).getString()
        role = [c for prefix, c in ROLE_COLOURS.items() if header.startswith(prefix)]
        s.Color = role[0] if role else next(others)
        s.LineWidth = LINE_WIDTH
        if y in chart.steps:
            if steps is None:
                steps = office.context.ServiceManager.createInstanceWithContext(
                    "com.sun.star.chart2.ScatterChartType", office.context)
                steps.CurveStyle = uno.Enum("com.sun.star.chart2.CurveStyle", "STEP_END")
            lines.removeDataSeries(s)
            steps.addDataSeries(s)
    if steps is not None:
        system.addChartType(steps)


def text_width(text, font=[]):
    """The width of a text in Calc's font (1/100 mm)."""
    if not font:
        try:
            from PIL import ImageFont
            font.append(ImageFont.truetype(FONT_FILE, 100))
        except (ImportError, OSError):
            font.append(None)
    if font[0] is None:
        return len(text) * 230
    points = font[0].getlength(text) * FONT_POINTS / 100
    return int(points * 2540 / 72)


def format_numbers(document, sheet, end):
    """Each number a formula gives in a format for its size: three decimals from 0.01 on,
    scientific notation below, 0 as 0 (General). The formats have no conditions: in a format
    with conditions Calc shows a negative number without its sign. Numbers typed into the
    sheet stay as they were typed (General)."""
    keys = {code: number_format(document, code) for code in (DECIMALS_FORMAT, SMALL_FORMAT)}
    for row in range(end.EndRow + 1):
        for column in range(end.EndColumn + 1):
            cell = sheet.getCellByPosition(column, row)
            if (cell.getType().value != "FORMULA" or cell.getError() != 0
                    or cell.FormulaResultType2 != 1 or cell.getValue() == 0):
                continue
            small = abs(cell.getValue()) < SMALL_BELOW
            cell.NumberFormat = keys[SMALL_FORMAT if small else DECIMALS_FORMAT]


def is_text(cell):
    kind = cell.getType().value
    return kind == "TEXT" or (kind == "FORMULA" and cell.FormulaResultType2 == 2)


def is_number(cell):
    kind = cell.getType().value
    return kind == "VALUE" or (kind == "FORMULA" and cell.FormulaResultType2 == 1)


def lay_out(sheet, end):
    """Column widths from what the cells show. A text alone in its row's stretch (a title, a
    check's finding) runs on over the empty cells beside it, but not off the last column,
    where the page would cut it. A label with a value beside it widens its column up to
    LABEL_WIDTH, then wraps; a column's header (a text over a number, in a row of texts)
    wraps at HEADER_WIDTH and stands right-aligned over its numbers. A text left of which
    stands another cell keeps a little distance from it."""
    widths = [0] * (end.EndColumn + 1)
    for r in range(end.EndRow + 1):
        for c in range(end.EndColumn + 1):
            cell = sheet.getCellByPosition(c, r)
            text = cell.getString()
            if not text:
                continue
            if not is_text(cell):
                widths[c] = max(widths[c], text_width(text))
                continue
            right = sheet.getCellByPosition(c + 1, r)
            left = sheet.getCellByPosition(c - 1, r) if c > 0 else None
            beside_text = is_text(right) or (left is not None and is_text(left))
            header = beside_text and r < end.EndRow and is_number(
                sheet.getCellByPosition(c, r + 1))
            indent = 0
            if header:
                cell.HoriJustify = uno.Enum("com.sun.star.table.CellHoriJustify", "RIGHT")
            elif left is not None and left.getString() != "":
                cell.HoriJustify = uno.Enum("com.sun.star.table.CellHoriJustify", "LEFT")
                cell.ParaIndent = indent = LABEL_INDENT
            last = c == end.EndColumn
            if right.getString() == "" and not beside_text and not last:
                continue  # runs on
            limit = HEADER_WIDTH if header else float("inf") if last else LABEL_WIDTH
            width = text_width(text)
            if width > limit:
                cell.IsTextWrapped = True
                width = max([limit] + [text_width(word) for word in text.split()])
            widths[c] = max(widths[c], width + indent)
    columns = sheet.getColumns()
    for c, width in enumerate(widths):
        if width:
            columns.getByIndex(c).Width = width + COLUMN_MARGIN
    sheet.getRows().OptimalHeight = True


def sheethost_grid(program, path):
    out = subprocess.run([program, path], capture_output=True, text=True, timeout=60,
                         check=True).stdout
    return list(csv.reader(io.StringIO(out)))


CALL = re.compile(r"[A-Za-z_][A-Za-z0-9_.]*\s*\(")


def put_formula(sheet, grid, source, row, column, formula):
    """A formula that calls a function as an array formula over the rows its result fills;
    plain arithmetic as a plain formula."""
    rows = spill_rows(grid, source, row, column)
    if rows == 1 and not CALL.search(formula):
        sheet.getCellByPosition(column, row).setFormula(calc_formula(formula))
    else:
        sheet.getCellRangeByPosition(column, row, column, row + rows - 1).setArrayFormula(
            calc_formula(formula))


def build(office, program, csv_path):
    name = os.path.splitext(os.path.basename(csv_path))[0]
    source = read_csv_grid(csv_path)
    grid = sheethost_grid(program, csv_path)
    document = office.new_calc()
    sheet = document.Sheets.getByIndex(0)
    sheet.setName(name[:31])
    for row, column, value in source.cells():
        if value.startswith("="):
            put_formula(sheet, grid, source, row, column, value)
        else:
            put_value(sheet.getCellByPosition(column, row), value)
    workbook = WORKBOOKS.get(name, Workbook())
    for address, value in workbook.cells.items():
        cell = sheet.getCellRangeByName(address).getCellByPosition(0, 0)
        if source.value(cell.CellAddress.Row, cell.CellAddress.Column) != "":
            raise RuntimeError("%s: %s is a cell of the CSV sheet" % (name, address))
        if value.startswith("="):
            cell.setFormula(calc_formula(value))
        else:
            put_value(cell, value)
    document.calculateAll()
    cursor = sheet.createCursor()
    cursor.gotoEndOfUsedArea(False)
    end = cursor.RangeAddress
    format_numbers(document, sheet, end)
    lay_out(sheet, end)
    for k, chart in enumerate(workbook.charts):
        add_chart(office, sheet, "chart%d" % (k + 1), chart)
    # One landscape page for the picture.
    style = document.StyleFamilies.getByName("PageStyles").getByName(sheet.PageStyle)
    style.IsLandscape = True
    style.Width, style.Height = 29700, 21000
    style.ScaleToPagesX = 1
    style.ScaleToPagesY = 1
    style.HeaderIsOn = False
    style.FooterIsOn = False
    return document, bool(workbook.charts)


def render(document, pdf, png_stem, first_page_only):
    """The document as a PDF, and its pages as PNG pictures (stem-1.png...) or, with
    first_page_only, its first page as stem.png cut to what it shows."""
    export_pdf(document, pdf)
    pages = ["-singlefile", "-f", "1", "-l", "1"] if first_page_only else []
    subprocess.run(["pdftoppm", "-png", "-r", str(PICTURE_DPI)] + pages + [pdf, png_stem],
                   check=True, timeout=60)
    if first_page_only:
        crop_to_content(png_stem + ".png")


def crop_to_content(png, margin=12):
    try:
        from PIL import Image, ImageOps
    except ImportError:
        return
    with Image.open(png) as picture:
        box = ImageOps.invert(picture.convert("L")).getbbox()
        if box:
            box = (max(box[0] - margin, 0), max(box[1] - margin, 0),
                   min(box[2] + margin, picture.width), min(box[3] + margin, picture.height))
            picture.crop(box).save(png)


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
                    picture = WORKBOOKS[os.path.basename(stem)].picture
                    if picture:  # the picture's range alone, after the workbook is stored
                        sheet = document.Sheets.getByIndex(0)
                        sheet.setPrintAreas([sheet.getCellRangeByName(picture).RangeAddress])
                    render(document, os.path.join(office.profile, "picture.pdf"),
                           os.path.join(pictures, os.path.basename(stem)), True)
            finally:
                document.close(True)
            print("wrote %s.ods%s" % (stem, " and a picture" if charted else ""))


if __name__ == "__main__":
    main()
