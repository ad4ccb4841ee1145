"""A batch of three payments brought in from an Excel workbook through 文件 -> 从表格导入...: the import
question, the file dialog, the sheet picker, the mapping dialog with its guessed columns (one changed by
hand), and the list and status bar afterwards."""

import harness
from harness import check

TITLE = "澜港银行批量工具（企业版）"
WORKBOOK = harness._REPO_ROOT / "tests/data/sheets/batch_e2e.xlsx"
PAYER = ["澜港贸易有限公司", "123456789012345"]


def answer(prog, text, button="确定"):
    box = prog.alert()
    check(box.text == text, f"the program says {box.text!r}")
    box.press(button)


def batch_brought_in_from_a_workbook():
    with harness.Program() as prog:
        prog.start()
        prog.press(prog.button("企业版", prog.window("澜港银行批量工具")))
        main = prog.window(f"{TITLE} {harness.VERSION}")

        harness.press_later(harness.menu_item(main, "文件", "从表格导入..."))
        answer(prog, "增量式导入【是】，覆盖式导入【否】？", "是")
        harness.choose_file(prog, "从表格导入...", WORKBOOK, "打开")

        # The workbook has two sheets: the first is offered.
        picker = prog.window(TITLE)
        prog.press_button("确定", picker)
        prog.wait_gone(picker, "the sheet picker to close")

        dialog = prog.window(f"{TITLE} - 从表格导入到批量支付")
        for label, guessed in (("收款人名称", "C列：收款人户名"), ("收款开户行/行号", "E列：开户行"),
                               ("金额", "F列：金额（元）"), ("备注", "H列：用途")):
            shown = harness.combo_text(prog.field(label, dialog))
            check(shown == guessed, f"{label} is guessed from the header: {shown!r}")
        # The clerk keeps the remarks out of this batch.
        harness.select_item(prog.field("备注", dialog), "（不导入）")
        prog.press_button("导入", dialog)
        answer(prog, "已从表格导入3条记录。")

        rows = harness.table_rows(harness.shown_list(prog, main))
        expected = [
            PAYER + ["张三", "6222020200112233", "澜港银行", "12,345.60", "非加急", ""],
            PAYER + ["李四", "6217000010012345678", "中国工商银行北京市分行营业部", "25,000.00", "加急", ""],
            PAYER + ["王五", "6217000010099998888", "中国工商银行北京市分行营业部", "12,345.60", "非加急", ""],
        ]
        check(rows == expected, f"the list holds the three payments exactly: {rows}")
        panels = harness.status_bar_texts(main)
        check(panels[1] == "3" and panels[3] == "49,691.20", f"the status bar counts them: {panels}")


if __name__ == "__main__":
    harness.run(batch_brought_in_from_a_workbook)
