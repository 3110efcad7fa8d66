"""Recalculates a workbook in a headless LibreOffice with the Velmora and Corvane extension
and exports it as PDF, as Calc prints it. Runs under Debian's /usr/bin/python3 (uno).

    /usr/bin/python3 libreoffice/python/export_pdf.py <extension.oxt> <workbook> <out.pdf>
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from office import Office, export_pdf  # noqa: E402


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    oxt, workbook, pdf = sys.argv[1:4]
    if not os.path.isfile(workbook):
        sys.exit("no workbook %s" % workbook)
    with Office(oxt) as office:
        document = office.load(workbook)
        try:
            document.calculateAll()
            export_pdf(document, pdf)
        finally:
            document.close(True)
    print("wrote %s" % pdf)


if __name__ == "__main__":
    main()
