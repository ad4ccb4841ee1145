"""Payroll entry: two rows added through the payroll panel show in the list, in the status bar and,
where the user agrees, in the payroll roster."""


import harness
from harness import check

TITLE = "澜港银行批量工具（企业版）"
VERSION = harness.VERSION
ROSTER_QUESTION = "收款人不存在，需要保存到名册吗？"

# name, account or card, amount as typed, remark, answer to the roster question, amount as listed
ROWS = [
    ("张三", "123456789012345", "1234.5", "一月工资", "是", "1,234.50"),
    ("李四", "6222020200112233", "100000000", "", "否", "100,000,000.00"),
]


def add_row(prog, main, name, account, amount, remark, answer):
    fields = {label: prog.field(label, main) for label in ("收款人名称", "收款人账号/卡号", "金额", "备注")}
    for label, text in zip(fields, (name, account, amount, remark)):
        prog.set_text(fields[label], text)
    prog.press_button("增加", main)
    box = prog.alert()
    check(box.text == ROSTER_QUESTION, f"增加 asks {box.text!r} for {name}")
    box.press(answer)

    def panel_empty():
        for field in fields.values():
            field.clear_cache()
        texts = [harness.combo_text(fields["收款人名称"]), harness.combo_text(fields["收款人账号/卡号"]),
                 harness.text_of(fields["金额"]), harness.text_of(fields["备注"])]
        return texts == ["", "", "0.00", ""]
    harness.wait_for(panel_empty, "the payroll panel to be emptied after 增加")


def two_rows_in_list_and_status_bar():
    with harness.Program() as prog:
        prog.start()
        prog.press(prog.button("企业版", prog.window("澜港银行批量工具")))
        main = prog.window(f"{TITLE} {VERSION}")
        prog.press(prog.button("代发工资", main))

        for name, account, amount, remark, answer, _listed in ROWS:
            add_row(prog, main, name, account, amount, remark, answer)

        table = harness.shown_list(prog, main, "the payroll list")
        want = [[name, account, "澜港银行", listed, remark] for name, account, _a, remark, _q, listed in ROWS]
        harness.wait_for(lambda: harness.table_rows(table) == want, f"the payroll list to hold {want}")
        check(harness.table_rows(table) == want, "the list holds both rows, amounts in display form")
        total = ["总笔数：", "2", "总金额 ：", "100,001,234.50"]
        harness.wait_for(lambda: harness.status_bar_texts(main) == total, f"the status bar to show {total}")
        check(harness.status_bar_texts(main) == total, f"the status bar shows count and total {harness.status_bar_texts(main)}")

        prog.press(prog.button("代发工资名册", main))
        roster = harness.shown_list(prog, main, "the payroll roster")
        kept = [["张三", "123456789012345"]]
        payees = lambda: [row[:2] for row in harness.table_rows(roster)]  # noqa: E731
        harness.wait_for(lambda: payees() == kept, f"the payroll roster to hold {kept}")
        check(payees() == kept, "the payroll roster holds only the payee the user agreed to keep")


if __name__ == "__main__":
    harness.run(two_rows_in_list_and_status_bar)
