"""Typed work survives a killed process: a restart offers each list's unsaved rows, in the order of the
tabs; 是 puts them back (the exit then asks to save them), 否 sets the copy aside; a normal exit leaves
nothing to recover, and a copy that cannot be read is set aside with one message."""


import harness
from harness import check

TITLE = "澜港银行批量工具（企业版）"
MAIN = f"{TITLE} {harness.VERSION}"


def open_corporate(prog, again=False):
    if again:
        harness.restart(prog)  # killed when still running: nothing asked, nothing saved
    else:
        prog.start()
    prog.press(prog.button("企业版", prog.window("澜港银行批量工具")))
    return prog.window(MAIN)


def answer(prog, text, caption):
    box = prog.alert()
    check(box.text == text, f"the program asks {text!r} (asked: {box.text!r})")
    box.press(caption)


def recovered_after_kill():
    with harness.Program() as prog:
        main = open_corporate(prog)
        prog.press(prog.button("代发工资", main))
        for label, text in (("收款人名称", "张三"), ("收款人账号/卡号", "123456789012345"), ("金额", "1234.5")):
            prog.set_text(prog.field(label, main), text)
        prog.press_button("增加", main)
        answer(prog, "收款人不存在，需要保存到名册吗？", "否")
        prog.press(prog.button("付款人名册", main))
        prog.set_text(prog.field("付款人名称", main), "澜港贸易有限公司")
        prog.set_text(prog.field("付款人账号", main), "123456789012345")
        prog.press_button("增加", main)
        copies = [prog.path("recovery/payroll.json"), prog.path("recovery/payers.json")]
        harness.wait_for(lambda: all(p.exists() for p in copies), "the recovery copies of both lists")

        main = open_corporate(prog, again=True)
        answer(prog, "上次未正常退出，发现未保存的代发工资列表（1笔），需要恢复吗？", "是")
        answer(prog, "上次未正常退出，发现未保存的付款人名册（1笔），需要恢复吗？", "否")
        discarded = prog.path("recovery/discarded")
        harness.wait_for(lambda: discarded.is_dir() and any(discarded.glob("payers-*.json")),
                         "the payer roster's copy to be set aside")

        prog.press(prog.button("代发工资", main))
        payroll = harness.shown_list(prog, main, "the payroll list")
        want = [["张三", "123456789012345", "澜港银行", "1,234.50", ""]]
        harness.wait_for(lambda: harness.table_rows(payroll) == want, f"the payroll list to hold {want}")
        total = ["总笔数：", "1", "总金额 ：", "1,234.50"]
        harness.wait_for(lambda: harness.status_bar_texts(main) == total, f"the status bar to show {total}")
        prog.press(prog.button("付款人名册", main))
        check(harness.table_rows(harness.shown_list(prog, main, "the payer roster")) == [],
              "否 keeps nothing in the payer roster")

        harness.press_later(harness.menu_item(main, "文件", "退出"))
        answer(prog, "代发工资列表已经更新，需要保存吗？", "否")
        check(prog.wait_exit() == 0, "the program ends normally")
        check(not prog.path("recovery/payroll.json").exists() and not copies[1].exists(),
              "a normal exit leaves nothing to recover")

        # A copy that cannot be read: one message naming the list and where it went, nothing else.
        prog.write_bytes("recovery/beneficiaries.json", b'{"format":"lgbatch-recovery"')
        main = open_corporate(prog, again=True)
        box = prog.alert()
        check(box.text.startswith("未保存的收款人名册的恢复数据无法读取，已移至")
              and "beneficiaries-" in box.text, f"the unreadable copy is named and set aside: {box.text!r}")
        box.press("确定")
        prog.press(prog.button("收款人名册", main))
        check(harness.table_rows(harness.shown_list(prog, main, "the beneficiary roster")) == [],
              "nothing else changes")
        check(not prog.path("recovery/beneficiaries.json").exists(), "the unreadable copy is not offered again")


if __name__ == "__main__":
    harness.run(recovered_after_kill)
