"""Broken files imported through the real buttons, menu and file dialog: the user reads a short message
in the program's form, and a list loses nothing it must keep."""

import hashlib

import harness
from harness import check

CORPORATE = f"澜港银行批量工具（企业版） {harness.VERSION}"
HEADER = ["#币种|日期|标志|总金额|总笔数|", "RMB|20240105|1|3|3|",
          "#币种|日期|标志|付款人账号|付款人名称|收款人账号开户行行名|收款人账号开户行行号|收款人账号|收款人名称|金额|支付方式|备注|"]


def gbk_lines(lines, end="\r\n"):
    return "".join(line + end for line in lines).encode("gbk")


def zpk_line(name):
    return f"RMB|20240105|2|310000000000018|澜港贸易有限公司|澜港银行|ZPK|6222020200112233|{name}|1.00|false|{name}的货款|"


def start_corporate(prog):
    prog.start()
    prog.press(prog.button("企业版", prog.window("澜港银行批量工具")))
    return prog.window(CORPORATE)


def import_file(prog, main, title, path, mode, menu=False):
    """Import through the tab's button (or the menu), answering 是 (incremental) or 否 (overwrite)."""
    if menu:
        harness.press_later(harness.menu_item(main, "文件", "导入文件"))
    else:
        prog.press_button("导入文件", main)
    box = prog.alert()
    check(box.text == "增量式导入【是】，覆盖式导入【否】？", "the import asks incremental or overwrite")
    box.press(mode)
    harness.choose_file(prog, title, path, "打开")


def expect_warning(prog, text):
    box = prog.alert()
    check(box.text == text, f"the program says {box.text!r}")
    box.press()


def shown_rows(prog, main):
    return harness.table_rows(harness.shown_list(prog, main))


def batch_list_keeps_its_rows_against_broken_files():
    with harness.Program() as prog:
        folder = prog.root / "in"
        folder.mkdir()
        good = folder / "good.zpk"
        good.write_bytes(gbk_lines(HEADER + [zpk_line("甲"), zpk_line("乙")]))
        # Copied in part: the file ends inside the last payment's remark.
        truncated = folder / "truncated.zpk"
        truncated.write_bytes(gbk_lines(HEADER + [zpk_line(n) for n in "丙丁戊"])[:-7])
        short = folder / "short.zpk"
        short.write_bytes(gbk_lines([zpk_line("己"), "RMB|20240105|2|310000000000018|澜港贸易有限公司"]))
        huge = folder / "huge.zpk"
        huge.write_bytes(("RMB|20240105|2|" + "张" * (20 << 20)).encode("gbk"))
        bare_lf = folder / "lf.zpk"
        bare_lf.write_bytes(gbk_lines(HEADER + [zpk_line("庚"), zpk_line("辛")], end="\n"))
        untouched = {path: path.read_bytes() for path in (truncated, short, bare_lf)}

        main = start_corporate(prog)
        title = "导入ZPK批量支付文件..."
        import_file(prog, main, title, good, "否")
        before = shown_rows(prog, main)
        check([row[2] for row in before] == ["甲", "乙"], "the good file fills the list")

        # (file, answer, through the menu's general dialog, message, the list's names afterwards)
        cases = [
            (truncated, "否", False, "【第6行不完整，文件在这一行的中间结束】", ["甲", "乙"]),
            (short, "否", False, "【第2行列数不足12列】", ["甲", "乙"]),
            (huge, "否", False, "【第1行列数不足12列】", ["甲", "乙"]),
            (bare_lf, "是", True, "【文件的行以换行符（LF）结束，而不是回车换行（CR LF）】", ["甲", "乙"]),
            (truncated, "是", False, "【第6行不完整，文件在这一行的中间结束】", ["甲", "乙", "丙", "丁"]),
        ]
        for path, mode, menu, message, names in cases:
            import_file(prog, main, "导入文件..." if menu else title, path, mode, menu)
            expect_warning(prog, message)
            rows = shown_rows(prog, main)
            check([row[2] for row in rows] == names, f"after {path.name} ({mode}) the list holds {names}")
            check(rows[:2] == before, "the rows that were there are as they were")
            check(harness.status_bar_texts(main)[1] == str(len(names)), "the status bar counts them")

        # 保存 writes to the last file read whole, never over a broken one.
        prog.press_button("保存文件", main)
        expect_warning(prog, "保存完毕！")
        check(good.read_bytes().count("|2|".encode("gbk")) == 4, "the good file now holds the four rows")
        check(all(path.read_bytes() == data for path, data in untouched.items()), "the broken files are untouched")


def digest_line(data):
    return b'"' + hashlib.md5(data).hexdigest().upper().encode() + b'"\r\n'


def payroll_file(amount):
    """A payroll file of one row whose length the standard digest covers (the remark pads it)."""
    remark = "一月"
    while True:
        data = gbk_lines(['"H",1,"1000","2024/1/5"', f'"D","赵六","6222020200112233","{amount}","{remark}"'])
        if 1 <= len(data) % 64 <= 55:
            return data
        remark += "x"


def rosters_and_payroll_refuse_broken_files():
    with harness.Program() as prog:
        prog.write_bytes("payer.xml", gbk_lines(["澜港贸易有限公司|310000000000018|"]))
        folder = prog.root / "in"
        folder.mkdir()
        payers = folder / "payer.xml"
        payers.write_bytes(gbk_lines(["甲公司|310000000000026|"]) + b"\x81\x20|310000000000034|\r\n")
        salary = folder / "salary.csv"
        salary.write_bytes(payroll_file("1000.00"))
        (folder / "salary.csv.checksum").write_bytes(digest_line(salary.read_bytes()))
        # A verification file that holds the digest of other bytes than its payroll file's.
        forged = folder / "forged.csv"
        forged.write_bytes(payroll_file("9000.00"))
        (folder / "forged.csv.checksum").write_bytes(digest_line(salary.read_bytes()))

        main = start_corporate(prog)
        prog.press(prog.button("付款人名册", main))
        before = shown_rows(prog, main)
        check([row[0] for row in before] == ["澜港贸易有限公司"], "the payer roster is read at start")
        title = "导入ZPK付款人名册文件..."
        import_file(prog, main, title, payers, "否")
        expect_warning(prog, "【第2行含有无效的GBK字符】")
        check(shown_rows(prog, main) == before, "an overwriting import of a broken roster leaves it as it was")
        import_file(prog, main, title, payers, "是")
        expect_warning(prog, "【第2行含有无效的GBK字符】")
        rows = shown_rows(prog, main)
        check(rows[:1] == before and [row[0] for row in rows[1:]] == ["甲公司"],
              "an incremental import keeps the line before the fault")

        prog.press(prog.button("代发工资", main))
        title = "导入ZPK代发工资文件..."
        import_file(prog, main, title, salary, "否")
        before = shown_rows(prog, main)
        check([row[:4] for row in before] == [["赵六", "6222020200112233", "澜港银行", "1,000.00"]],
              "the verified payroll file is read")
        for mode in ("否", "是"):
            import_file(prog, main, title, forged, mode)
            expect_warning(prog, "代发工资检验文件错误")
            check(shown_rows(prog, main) == before, f"the forged file ({mode}) leaves the list as it was")


if __name__ == "__main__":
    harness.run(batch_list_keeps_its_rows_against_broken_files)
    harness.run(rosters_and_payroll_refuse_broken_files)
