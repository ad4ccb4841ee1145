"""Batch payments entered through the panel as a user enters them: one to another bank's branch chosen
with the pickers, one to the own bank, each added with 增加; the list and the status bar follow, in both
editions."""


import harness
from harness import check

CORPORATE = "企业版"
PERSONAL = "个人版"
TITLE = {CORPORATE: "澜港银行批量工具（企业版）", PERSONAL: "澜港银行批量工具（个人版）"}
VERSION = harness.VERSION

PAYER = ("澜港科技有限公司", "123456789012345")
BRANCH = "中国工商银行北京市丰台支行"
ASK_PAYER = "付款人不存在，需要保存到名册吗？"
ASK_BENE = "收款人不存在，需要保存到名册吗？"


def start(prog, edition):
    prog.start()
    chooser = prog.window("澜港银行批量工具")
    prog.press(prog.button(edition, chooser))
    return prog.window(f"{TITLE[edition]} {VERSION}")


def type_amount(prog, main, typed):
    """Type the amount key by key and leave the field with Tab, as a user does."""
    field = prog.field("金额", main)
    harness.focus(field)
    harness.type_text(typed)
    harness.press_key("Tab")
    return field


def answer_roster_questions(prog, edition):
    """After 增加: the payer (corporate only), then the beneficiary is offered to its roster; decline."""
    asked = [ASK_PAYER, ASK_BENE] if edition == CORPORATE else [ASK_BENE]
    for question in asked:
        box = prog.alert()
        check(box.text == question, f"增加 asks {box.text!r}")
        box.press("否")


def enter_payments(edition):
    with harness.Program() as prog:
        main = start(prog, edition)

        def field(label):
            return prog.field(label, main)

        corporate = edition == CORPORATE
        if corporate:
            prog.set_text(field("付款人名称"), PAYER[0])
            prog.set_text(field("付款人账号"), PAYER[1])

        # Another bank: the branch is chosen with the pickers.
        prog.set_text(field("收款人名称"), "张三")
        prog.set_text(field("收款人账号/卡号"), "6222020200112233")
        harness.select_item(field("省份"), "北京市")
        harness.select_item(field("城市"), "北京市")
        harness.select_item(field("收款银行"), "中国工商银行")
        harness.select_item(field("收款开户行"), BRANCH)
        amount = type_amount(prog, main, "1234.5")
        harness.wait_for(lambda: (amount.clear_cache() or True) and harness.text_of(amount) == "1,234.50",
                         "the amount to be shown as 1,234.50")
        check(harness.text_of(amount) == "1,234.50", "leaving the amount shows 1234.5 as 1,234.50")
        if corporate:
            harness.select_item(field("支付方式"), "非加急")
        prog.press_button("增加", main)
        answer_roster_questions(prog, edition)

        if corporate:
            kept = harness.combo_text(field("付款人名称")), harness.combo_text(field("付款人账号"))
            check(kept == PAYER, f"the next payment starts with the same payer {kept}")
        check(harness.text_of(amount) == "0.00", "the panel is empty again (amount 0.00)")

        # The own bank: 是 switches the branch pickers off; a 16-character card needs no check digit.
        prog.set_text(field("收款人名称"), "李四")
        prog.press(prog.button("是", main))
        prog.set_text(field("收款人账号/卡号"), "6228480012345678")
        type_amount(prog, main, "300")
        if corporate:
            harness.select_item(field("支付方式"), "非加急")
        prog.press_button("增加", main)
        answer_roster_questions(prog, edition)

        table = harness.shown_list(prog, main, "the batch list")
        headers = harness.table_headers(table)
        want_headers = ["收款人名称", "收款人账号", "收款人银行开户行", "金额", "支付方式", "备注"]
        if corporate:
            want_headers = ["付款人名称", "付款人账号"] + want_headers
        check(headers == want_headers, f"the list has the columns {headers}")
        payer = list(PAYER) if corporate else []
        want_rows = [payer + ["张三", "6222020200112233", BRANCH, "1,234.50", "非加急", ""],
                     payer + ["李四", "6228480012345678", "澜港银行", "300.00", "非加急", ""]]
        rows = harness.wait_for(lambda: (table.clear_cache() or True) and len(harness.table_rows(table)) == 2
                                and harness.table_rows(table), "two rows in the list")
        check(rows == want_rows, f"the list holds the two payments {rows}")
        status = harness.status_bar_texts(main)
        check(status == ["总笔数：", "2", "总金额 ：", "1,534.50"], f"the status bar shows {status}")


def corporate_payments():
    enter_payments(CORPORATE)


def personal_payments():
    enter_payments(PERSONAL)


if __name__ == "__main__":
    harness.run(corporate_payments)
    harness.run(personal_payments)
