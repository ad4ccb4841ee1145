"""What the person who signs a batch sees: the same payment entered twice is asked about, and the printed
summary of a two-row batch is exported as a PDF through the 文件 menu and the save dialog, its text read
back with pdftotext."""

import datetime
import subprocess

import harness
from harness import check

CORPORATE = f"澜港银行批量工具（企业版） {harness.VERSION}"


def answer(prog, text, button="确定"):
    box = prog.alert()
    check(box.text == text, f"the program says {box.text!r}")
    box.press(button)


def add_own_bank_payment(prog, main, name, amount, questions):
    for label, value in (("付款人名称", "澜港贸易有限公司"), ("付款人账号", "123456789012345"),
                         ("收款人名称", name), ("收款人账号/卡号", "6222020200112233"), ("金额", amount)):
        prog.set_text(prog.field(label, main), value)
    prog.press(prog.button("是", main))
    harness.select_item(prog.field("支付方式", main), "非加急")
    prog.press_button("增加", main)
    for question, button in questions:
        answer(prog, question, button)


def summary_of_two_payments_exported_as_pdf():
    with harness.Program() as prog:
        prog.start()
        prog.press(prog.button("企业版", prog.window("澜港银行批量工具")))
        main = prog.window(CORPORATE)
        add_own_bank_payment(prog, main, "李四", "12,345.60", [("付款人不存在，需要保存到名册吗？", "是"),
                                                              ("收款人不存在，需要保存到名册吗？", "是")])
        prog.label("大写：零元整", main)
        add_own_bank_payment(prog, main, "李四", "100.00", [])
        add_own_bank_payment(prog, main, "李四", "100.00",
                             [("第2行已有相同收款人账号和金额的付款，确定再次增加吗？", "否")])
        check(len(harness.table_rows(harness.shown_list(prog, main))) == 2, "否 added nothing")

        target = prog.root / "汇总.pdf"
        harness.press_later(harness.menu_item(main, "文件", "导出PDF..."))
        harness.choose_file(prog, "导出PDF...", target, "保存")
        answer(prog, "导出PDF完毕！")

        text = subprocess.run(["pdftotext", "-layout", "-enc", "UTF-8", str(target), "-"], check=True,
                              capture_output=True, timeout=60).stdout.decode("utf-8")
        today = datetime.date.today().strftime("%Y-%m-%d")
        for expected in ("批量支付汇总", "澜港银行批量工具（企业版）", "文件：（未保存）", f"打印日期：{today}",
                         "总笔数：2", "总金额：12,445.60", "大写：人民币壹万贰仟肆佰肆拾伍元陆角整",
                         "制单：", "复核：", "审批："):
            check(expected in text, f"the PDF reads {expected!r}")
        # How many blanks pdftotext puts between the footer's words depends on its guesses.
        check("第1页共1页" in text.replace(" ", ""), "the page is numbered 第 1 页 共 1 页")
        rows = [line.split() for line in text.splitlines() if line.strip().startswith(("1 ", "2 "))]
        check(rows == [["1", "澜港贸易有限公司", "123456789012345", "李四", "6222020200112233", "澜港银行",
                        "12,345.60", "非加急"],
                       ["2", "澜港贸易有限公司", "123456789012345", "李四", "6222020200112233", "澜港银行",
                        "100.00", "非加急"]],
              f"the PDF holds both rows in list order: {rows}")


if __name__ == "__main__":
    harness.run(summary_of_two_payments_exported_as_pdf)
