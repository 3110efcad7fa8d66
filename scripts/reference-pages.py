#!/usr/bin/python3
"""Puts the reference pages of docs/ into a release folder: as HTML pages made with Debian's
python3-markdown when it is installed, else as the Markdown pages themselves.

    scripts/reference-pages.py DOCS_FOLDER OUT_FOLDER
"""
import pathlib
import re
import shutil
import sys

STYLE = ("body{font-family:sans-serif;max-width:60em;margin:auto;padding:1em}"
         "table{border-collapse:collapse}th,td{border:1px solid #bbb;padding:2px 6px;"
         "text-align:left;vertical-align:top}pre{background:#f4f4f4;padding:4px}")


def main(docs, out):
    out.mkdir(parents=True, exist_ok=True)
    pages = sorted(docs.glob("*.md"))
    try:
        import markdown
    except ImportError:
        for page in pages:
            shutil.copyfile(page, out / page.name)
        return 0
    for page in pages:
        text = page.read_text(encoding="utf-8")
        # Links between the pages lead to the HTML pages.
        text = re.sub(r"\]\(([a-z]+)\.md(#[^)]*)?\)", lambda m: "](%s.html%s)" % (m.group(1), m.group(2) or ""), text)
        body = markdown.markdown(text, extensions=["tables", "toc"])
        title = text.splitlines()[0].lstrip("# ").strip()
        html = ('<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>%s</title>'
                "<style>%s</style></head>\n<body>\n%s\n</body></html>\n" % (title, STYLE, body))
        (out / (page.stem + ".html")).write_text(html, encoding="utf-8")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])))
