#!/usr/bin/python3
"""Write the .xlsx workbooks the tests and benchmarks import, with Debian's python3-openpyxl.

Usage:
  gen_sheet_fixtures.py tests OUTPUT_DIR
      The small test workbooks (committed under tests/data/sheets/):
        cells.xlsx      one cell of every kind the reader meets: shared and inline (rich, with a
                        phonetic reading) strings, TRUE, #N/A, a formula saved without its result,
                        numbers with binary rounding (12345.599999999999, 0.1 + 0.2), dates with
                        and without a time, a time of day, a custom date format, a percentage, a
                        16-digit integer; then a missing row and a sparse row
        batch.xlsx      a batch of three payments under a merged title row, for the reference
                        tables of the tests (own bank, a branch by name, a branch by its code),
                        and a second sheet
        batch_e2e.xlsx  the same three payments for the sample tables the program ships with
  gen_sheet_fixtures.py bench BANKCODE_XML ROWS OUTPUT.xlsx OUTPUT.csv
      A batch of ROWS payments as a workbook and as the same table in GBK CSV, its branches taken
      from the given branch table, for the import benchmark.

The output is the same for the same arguments on every run (fixed document dates and archive times).
"""

import datetime
import io
import random
import re
import sys
import zipfile
from pathlib import Path

import openpyxl
from openpyxl.styles import Alignment

FIXED_TIME = datetime.datetime(2024, 1, 5, 9, 0, 0)
PAYER = ("澜港贸易有限公司", "123456789012345")
HEADER = ["付款人名称", "付款人账号", "收款人户名", "收款账号", "开户行", "金额（元）", "是否加急", "用途"]


def fail(message):
    sys.exit("gen_sheet_fixtures: " + message)


def new_workbook():
    book = openpyxl.Workbook()
    book.properties.created = FIXED_TIME
    book.properties.modified = FIXED_TIME
    return book


INLINE_CELL = re.compile(r'<c r="([A-Z]+[0-9]+)"([^>]*?) t="inlineStr"([^>]*)><is><t(?: xml:space="preserve")?>(.*?)</t></is></c>')
SHARED_STRINGS_TYPE = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings"
SHARED_STRINGS_CONTENT = "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"


def share_strings(parts, keep_inline):
    """openpyxl writes every string inline; Excel keeps them in the shared strings part. Move the plain
    inline strings there (except the cells in keep_inline), so the workbooks look like Excel's."""
    strings = []
    index = {}

    def shared(match):
        reference, before, after, text = match.groups()
        if reference in keep_inline:
            return match.group(0)
        if text not in index:
            index[text] = len(strings)
            strings.append(text)
        return f'<c r="{reference}"{before} t="s"{after}><v>{index[text]}</v></c>'

    for name in list(parts):
        if name.startswith("xl/worksheets/") and name.endswith(".xml"):
            parts[name] = INLINE_CELL.sub(shared, parts[name])
    if not strings:
        return
    items = "".join(f'<si><t xml:space="preserve">{text}</t></si>' for text in strings)
    parts["xl/sharedStrings.xml"] = ('<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
                                     f'count="{len(strings)}" uniqueCount="{len(strings)}">{items}</sst>')
    parts["xl/_rels/workbook.xml.rels"] = parts["xl/_rels/workbook.xml.rels"].replace(
        "</Relationships>",
        f'<Relationship Type="{SHARED_STRINGS_TYPE}" Target="sharedStrings.xml" Id="rIdShared"/></Relationships>')
    parts["[Content_Types].xml"] = parts["[Content_Types].xml"].replace(
        "</Types>", f'<Override PartName="/xl/sharedStrings.xml" ContentType="{SHARED_STRINGS_CONTENT}"/></Types>')


def save(book, path, patch=None, keep_inline=()):
    """Save the workbook with shared strings and fixed archive times; patch(name, xml) may rewrite a
    part's XML afterwards."""
    buffer = io.BytesIO()
    book.save(buffer)
    source = zipfile.ZipFile(io.BytesIO(buffer.getvalue()))
    parts = {item.filename: source.read(item.filename).decode("utf-8") for item in source.infolist()}
    share_strings(parts, set(keep_inline))
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as target:
        for name, text in parts.items():
            if patch is not None:
                text = patch(name, text)
            info = zipfile.ZipInfo(name, date_time=FIXED_TIME.timetuple()[:6])
            info.compress_type = zipfile.ZIP_DEFLATED
            target.writestr(info, text.encode("utf-8"))
    Path(path).write_bytes(out.getvalue())


def replace_cell(xml, reference, replacement):
    pattern = re.compile(r'<c r="%s"[^>]*?(/>|>.*?</c>)' % reference, re.S)
    if not pattern.search(xml):
        fail(f"cell {reference} not found")
    return pattern.sub(replacement, xml, count=1)


def cells_workbook(path):
    book = new_workbook()
    sheet = book.active
    sheet.title = "cells"
    sheet["A1"] = "共享文字"
    sheet["B1"] = "placeholder"
    sheet["C1"] = True
    sheet["D1"] = "#N/A"
    sheet["E1"] = "=1+1"
    sheet["F1"] = 12345.6
    sheet["G1"] = 12345.599999999999
    sheet["H1"] = 0.1 + 0.2
    sheet["I1"] = datetime.date(2024, 1, 5)
    sheet["I1"].number_format = "yyyy-mm-dd"
    sheet["J1"] = datetime.datetime(2024, 1, 5, 8, 30, 0)
    sheet["J1"].number_format = "yyyy-mm-dd hh:mm:ss"
    sheet["K1"] = datetime.time(8, 30, 0)
    sheet["K1"].number_format = "hh:mm"
    sheet["L1"] = 1e20
    sheet["M1"] = -3.5
    sheet["N1"] = 6222020200112233
    sheet["O1"] = datetime.date(2024, 2, 29)
    sheet["O1"].number_format = 'yyyy"年"m"月"d"日"'
    sheet["P1"] = 0.125
    sheet["P1"].number_format = "0.00%"
    sheet["A3"] = "第三行"
    sheet["D3"] = "稀疏"

    def patch(name, xml):
        if name != "xl/worksheets/sheet1.xml":
            return xml
        # openpyxl writes every string as a shared one: one cell becomes an inline rich string
        # whose phonetic reading is not part of its value.
        xml = replace_cell(xml, "B1", '<c r="B1" t="inlineStr"><is><r><t>富</t></r><r><t xml:space="preserve">文本 </t></r>'
                                       '<rPh sb="0" eb="1"><t>フ</t></rPh></is></c>')
        # What a writer that keeps 17 digits stores for 12345.6 and for 0.1 + 0.2.
        xml = replace_cell(xml, "G1", '<c r="G1" t="n"><v>12345.599999999999</v></c>')
        return replace_cell(xml, "H1", '<c r="H1" t="n"><v>0.30000000000000004</v></c>')
    save(book, path, patch)


def batch_rows(code_branch):
    """The three payments: the own bank, a branch by its name, a branch by its 12-digit code."""
    return [
        [PAYER[0], PAYER[1], "张三", "6222020200112233", "澜港银行", 12345.6, None, "货款"],
        [PAYER[0], PAYER[1], "李四", "6217000010012345678", "中国工商银行北京市分行营业部", 25000, "是",
         datetime.date(2024, 1, 5)],
        [PAYER[0], PAYER[1], "王五", "6217000010099998888", code_branch, 12345.599999999999, "非加急",
         '备注含逗号, "引号"'],
    ]


def batch_workbook(path, code_branch):
    book = new_workbook()
    sheet = book.active
    sheet.title = "批量付款"
    sheet["A1"] = "2024年1月供应商付款"
    sheet.merge_cells("A1:H1")
    sheet["A1"].alignment = Alignment(horizontal="center")
    sheet.append(HEADER)
    for row in batch_rows(code_branch):
        sheet.append(row)
    sheet["H4"].number_format = "yyyy-mm-dd"
    notes = book.create_sheet("说明")
    notes["A1"] = "本表由财务部填写"

    def patch(name, xml):
        if name != "xl/worksheets/sheet1.xml":
            return xml
        return replace_cell(xml, "F5", '<c r="F5" t="n"><v>12345.599999999999</v></c>')
    save(book, path, patch, keep_inline={"C4"})


def read_branch_names(path, count):
    text = Path(path).read_bytes().decode("gbk")
    names = [line.split("=", 1)[1] for line in text.split("\r\n") if "=" in line]
    if not names:
        fail(f"{path}: no branches")
    step = max(1, len(names) // count)
    return names[::step][:count]


def bench_rows(branches, rows):
    random.seed(16)
    surnames = "张王李赵钱孙周吴郑冯陈褚卫蒋沈韩杨"
    for i in range(rows):
        own = i % 5 == 0
        # Small enough that a full batch stays under its 100,000,000.00 ceiling.
        amount = round(random.randint(1, 500_000) / 100, 2)
        yield [PAYER[0], PAYER[1], f"{surnames[i % len(surnames)]}某{i}",
               "6222020200112233" if own else f"62170000{i:011d}",
               "澜港银行" if own else branches[i % len(branches)],
               amount, "加急" if i % 7 == 0 else "", f"{i % 12 + 1}月货款" if i % 2 else ""]


def csv_value(value):
    text = "" if value is None else str(value)
    if any(c in text for c in ',"\r\n'):
        text = '"' + text.replace('"', '""') + '"'
    return text


def bench_files(bankcode, rows, xlsx_path, csv_path):
    branches = read_branch_names(bankcode, 997)
    book = new_workbook()
    sheet = book.active
    sheet.title = "批量付款"
    sheet.append(HEADER)
    lines = [",".join(HEADER)]
    for row in bench_rows(branches, rows):
        sheet.append(row)
        lines.append(",".join(csv_value(v) for v in row))
    save(book, xlsx_path)
    Path(csv_path).write_bytes(("\r\n".join(lines) + "\r\n").encode("gbk"))


def main(args):
    if len(args) == 2 and args[0] == "tests":
        out = Path(args[1])
        out.mkdir(parents=True, exist_ok=True)
        cells_workbook(out / "cells.xlsx")
        batch_workbook(out / "batch.xlsx", "105100000017")
        batch_workbook(out / "batch_e2e.xlsx", "102100000189")
    elif len(args) == 5 and args[0] == "bench":
        bench_files(args[1], int(args[2]), args[3], args[4])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
