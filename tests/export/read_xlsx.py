#!/usr/bin/env python3
"""Reads the workbook xlsx_fixture_writer made with openpyxl and compares every cell, value and type, with
what was exported. Usage: read_xlsx.py FIXTURE.xlsx"""
import sys
import warnings
import zipfile

try:
    import openpyxl
except ImportError:
    print("SKIPPED: openpyxl is missing for " + sys.executable + " (Debian: apt-get install python3-openpyxl)")
    sys.exit(0)

HEADER = ["序号", "关键词", "宝贝数", "搜索关键词"]
# Sequence numbers and keywords are always text; a listing count is an int only when it is a plain count.
EXPECTED = [
    HEADER,
    ["2", "=1+1", None, "seed"],
    ["1", "001", 12345, "连衣裙"],
    ["3", "1e5", 0, None],
    ["4", "a & b <c> \"d\" 'e'", "007", "x>y"],
    ["5", "3/4", 999999999999999, None],
    ["6", "_x0041_", "1234567890123456", None],
    ["7", "line\r\nbreak\tand bell", "-5", None],
    ["8", " spaced ", "+5", "=SUM(A1:A3)"],
    ["9", "乗\\", "12 ", "￥"],
    ["10", "\U00020000", 42, "\U0001F600"],
    ["11", "₩ €", None, "\u200b"],
]


def describe(value):
    return "None" if value is None else "%r (%s)" % (value, type(value).__name__)


def main(path):
    problems = []
    with zipfile.ZipFile(path) as archive:
        broken = archive.testzip()
        if broken is not None:
            problems.append("zip: bad CRC or data in " + broken)

    # Any warning openpyxl raises about the file (a part it had to guess at or repair) fails the check.
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        book = openpyxl.load_workbook(path)
    if book.sheetnames != ["关键词"]:
        problems.append("sheet names: expected ['关键词'], got %r" % book.sheetnames)
    sheet = book.worksheets[0]

    width = len(HEADER)
    if sheet.max_row != len(EXPECTED) or sheet.max_column != width:
        problems.append("size: expected %d x %d, got %d x %d"
                        % (len(EXPECTED), width, sheet.max_row, sheet.max_column))
    for r, expected_row in enumerate(EXPECTED, start=1):
        for c in range(1, max(width, sheet.max_column) + 1):
            expected = expected_row[c - 1] if c <= len(expected_row) else None
            cell = sheet.cell(row=r, column=c)
            got = cell.value
            if type(got) is not type(expected) or got != expected:
                problems.append("%s: expected %s, got %s" % (cell.coordinate, describe(expected), describe(got)))
            if expected is not None and bool(cell.font.b) != (r == 1):
                problems.append("%s: bold is %s" % (cell.coordinate, cell.font.b))

    if problems:
        print("%s differs from what was exported:" % path)
        for line in problems:
            print("  " + line)
        return 1
    print("%s: %d rows read back as exported" % (path, len(EXPECTED)))
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__)
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
