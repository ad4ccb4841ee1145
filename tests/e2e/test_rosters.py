"""The beneficiary roster: a beneficiary added on its tab and saved is there again after a restart,
in the roster list and in the batch panel's name picker."""


import harness
from harness import check

MAIN_TITLE = f"澜港银行批量工具（企业版） {harness.VERSION}"
NAME = "王五"
CARD = "6222020200112233"  # 16 characters: an own-bank card
REMARK = "三月货款"


def start(prog):
    chooser = prog.window("澜港银行批量工具")
    prog.press(prog.button("企业版", chooser))
    return prog.window(MAIN_TITLE)


def roster_rows(prog, main):
    """The rows of the list shown on the current tab."""
    return harness.table_rows(harness.shown_list(prog, main, "the roster list"))


def added_beneficiary_survives_a_restart():
    with harness.Program() as prog:
        prog.start()
        main = start(prog)
        prog.press(prog.button("收款人名册", main))
        prog.set_text(prog.field("收款人名称", main), NAME)
        prog.set_text(prog.field("收款人账号/卡号", main), CARD)
        prog.press(prog.button("是", main))
        prog.set_text(prog.field("备注", main), REMARK)
        prog.press_button("增加", main)

        want = [NAME, CARD, "澜港银行", REMARK]
        harness.wait_for(lambda: roster_rows(prog, main) == [want], "the new row in the roster list")
        check(harness.text_of(prog.field("收款人名称", main)) == "", "增加 empties the panel")

        prog.press_button("保存", main)
        box = prog.alert()
        check(box.text == "保存完毕！", f"保存 reports {box.text!r}")
        box.press()
        written = prog.read_bytes("bene.xml")
        expected = "|".join(want).encode("gbk") + b"|\r\n"
        check(written == expected, f"bene.xml holds the row, GBK, each field followed by '|', CR LF: {written!r}")

        harness.restart(prog)
        main = start(prog)
        prog.press(prog.button("收款人名册", main))
        rows = harness.wait_for(lambda: roster_rows(prog, main), "the roster list after the restart")
        check(rows == [want], f"after the restart the roster list holds {rows}")

        prog.press(prog.button("批量支付", main))
        name = prog.field("收款人名称", main)
        items = harness.combo_items(name)
        check(items == [NAME], f"the batch panel's name picker offers {items}")
        harness.select_item(name, NAME)
        account = prog.field("收款人账号/卡号", main)
        harness.wait_for(lambda: harness.combo_text(account) == CARD, "the single account to be picked")
        check(harness.combo_text(account) == CARD, "picking the name picks its only account")


if __name__ == "__main__":
    harness.run(added_beneficiary_survives_a_restart)
