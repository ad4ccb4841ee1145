"""File commands through the real dialogs: a batch and a payroll list saved, read back, and the questions
about unsaved changes when the program ends."""

import datetime
import re

import harness
from harness import check

CORPORATE = f"澜港银行批量工具（企业版） {harness.VERSION}"
BASE_TITLE_CORPORATE = "澜港银行批量工具（企业版）"


def start_corporate(prog):
    prog.start()
    prog.press(prog.button("企业版", prog.window("澜港银行批量工具")))
    return prog.window(CORPORATE)


def answer(prog, text, button="确定"):
    box = prog.alert()
    check(box.text == text, f"the program says {box.text!r}")
    box.press(button)


def asking(prog):
    """Whether a message box is shown."""
    return any(harness.role_of(w) == harness.pyatspi.ROLE_ALERT for w in prog.windows())


def add_own_bank_payment(prog, main, name, amount):
    for label, value in (("付款人名称", "澜港贸易有限公司"), ("付款人账号", "123456789012345"),
                         ("收款人名称", name), ("收款人账号/卡号", "6222020200112233"), ("金额", amount)):
        prog.set_text(prog.field(label, main), value)
    prog.press(prog.button("是", main))
    harness.select_item(prog.field("支付方式", main), "非加急")
    prog.press_button("增加", main)
    answer(prog, "付款人不存在，需要保存到名册吗？", "否")
    answer(prog, "收款人不存在，需要保存到名册吗？", "否")


def batch_saved_read_back_and_asked_about_at_exit():
    with harness.Program() as prog:
        main = start_corporate(prog)
        add_own_bank_payment(prog, main, "李四", "300.00")
        target = prog.root / "out.zpk"
        prog.press_button("保存文件", main)
        harness.choose_file(prog, "保存ZPK批量支付文件...", target, "保存")
        answer(prog, "保存完毕！")

        day = datetime.date.today().strftime("%Y%m%d")
        expected = ("#币种|日期|标志|总金额|总笔数|\r\n"
                    f"RMB|{day}|1|300|1|\r\n"
                    "#币种|日期|标志|付款人账号|付款人名称|收款人账号开户行行名|收款人账号开户行行号|收款人账号|收款人名称|金额|支付方式|备注|\r\n"
                    f"RMB|{day}|2|123456789012345|澜港贸易有限公司|澜港银行|ZPK|6222020200112233|李四|300.00|false||\r\n")
        check(target.read_bytes() == expected.encode("gbk"), "the batch file holds exactly the payment, in GBK with CR LF")

        # Read back twice, appending: every row of the file comes in each time.
        for _ in range(2):
            prog.press_button("导入文件", main)
            answer(prog, "增量式导入【是】，覆盖式导入【否】？", "是")
            harness.choose_file(prog, "导入ZPK批量支付文件...", target, "打开")
        rows = harness.table_rows(harness.shown_list(prog, main))
        check(len(rows) == 3, f"the list holds the payment and the file's row twice: {len(rows)} rows")
        check(harness.status_bar_texts(main)[1] == "3", "the status bar counts 3 payments")

        # A save now writes to the same file without asking; then an unsaved change is asked about.
        harness.press_later(harness.menu_item(main, "文件", "保存"))
        answer(prog, "保存完毕！")
        check(target.read_bytes().count(b"\r\n") == 6, "保存 wrote the three rows to the file it read")
        add_own_bank_payment(prog, main, "王五", "1.00")
        harness.press_later(harness.menu_item(main, "文件", "退出"))
        answer(prog, "批量支付列表已经更新，需要保存吗？", "取消")
        check(prog.running(), "取消 keeps the program running")
        harness.press_later(harness.menu_item(main, "文件", "退出"))
        answer(prog, "批量支付列表已经更新，需要保存吗？", "否")
        prog.wait_exit()
        check(not prog.running(), "否 ends the program")


def payroll_saved_with_its_verification_file_and_read_back():
    with harness.Program() as prog:
        main = start_corporate(prog)
        prog.press(prog.button("代发工资", main))
        for label, value in (("收款人名称", "赵六"), ("收款人账号/卡号", "6222020200112233"), ("金额", "1,000.00")):
            prog.set_text(prog.field(label, main), value)
        prog.press_button("增加", main)
        answer(prog, "收款人不存在，需要保存到名册吗？", "否")
        target = prog.root / "salary.csv"
        prog.press_button("保存文件", main)
        harness.choose_file(prog, "保存ZPK代发工资文件...", target, "保存")
        answer(prog, "保存完毕！")

        today = datetime.date.today()
        expected = (f'"H",1,"1000","{today.year}/{today.month}/{today.day}"\r\n'
                    '"D","赵六","6222020200112233","1000.00",""\r\n')
        check(target.read_bytes() == expected.encode("gbk"), "the payroll file holds exactly the row")
        checksum = (prog.root / "salary.csv.checksum").read_bytes()
        check(re.fullmatch(rb'"[0-9A-F]{32}"\r\n', checksum) is not None, f"the verification file: {checksum!r}")

        prog.press_button("导入文件", main)
        answer(prog, "增量式导入【是】，覆盖式导入【否】？", "否")
        harness.choose_file(prog, "导入ZPK代发工资文件...", target, "打开")
        rows = harness.table_rows(harness.shown_list(prog, main))
        check(rows == [["赵六", "6222020200112233", "澜港银行", "1,000.00", ""]], f"the file reads back: {rows}")

        # A changed file is refused and the list stays.
        target.write_bytes(expected.replace("1000.00", "9000.00").encode("gbk"))
        prog.press_button("导入文件", main)
        answer(prog, "增量式导入【是】，覆盖式导入【否】？", "否")
        harness.choose_file(prog, "导入ZPK代发工资文件...", target, "打开")
        answer(prog, "代发工资检验文件错误")
        check(harness.table_rows(harness.shown_list(prog, main)) == rows, "the list is as it was")


def legacy_list_offered_once_and_migrated():
    question = "您的收款人名册数据比系统中的数据版本低，是否需要导入并且更新？（建议更新）"
    with harness.Program() as prog:
        prog.write_bytes("BeneList.dat", '"2.0"\r\n"周八","6222020200112233"\r\n"周八","6222020200112233"\r\n'.encode("gbk"))
        prog.start()
        prog.press(prog.button("企业版", prog.window("澜港银行批量工具")))
        main = prog.window(CORPORATE)
        # Without a window manager the window becomes active when clicked; the question follows.
        harness.click(prog.label("收款人名称", main))
        answer(prog, question, "否")
        # The window is active again once the answer is in (clicked, where no window manager gives
        # it the focus back): by then its activation has asked again, or never will.
        harness.click(prog.label("收款人名称", main))
        harness.wait_for(lambda: harness.is_active(main) or asking(prog), "the window to be active again")
        check(not asking(prog), "closing the question does not ask it again")

        # Back from another window of the program, it is asked again.
        harness.press_later(harness.menu_item(main, "帮助", "关于"))
        about = prog.window(BASE_TITLE_CORPORATE)
        prog.press_button("确定", about)
        prog.wait_gone(about, "the about box to close")
        if not asking(prog):
            harness.click(prog.label("收款人名称", main))  # no window manager gives the focus back
        answer(prog, question, "是")
        harness.wait_for(lambda: prog.path("BeneList.dat.bak").exists(), "the legacy list to be set aside")
        check(not prog.path("BeneList.dat").exists(), "the legacy list is set aside once migrated")
        prog.press(prog.button("代发工资名册", main))
        rows = harness.table_rows(harness.shown_list(prog, main))
        check([row[:2] for row in rows] == [["周八", "6222020200112233"]], f"its entry is in the roster once: {rows}")


if __name__ == "__main__":
    harness.run(batch_saved_read_back_and_asked_about_at_exit)
    harness.run(payroll_saved_with_its_verification_file_and_read_back)
    harness.run(legacy_list_offered_once_and_migrated)

