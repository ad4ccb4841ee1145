"""The main window at its designed size: every tab in use shows its own list, entry panel and buttons, none
cut off by the window or lying over another, and the status bar follows the tab in front."""

from pathlib import Path

import pyatspi

import harness
from harness import check

# Tab: a column header of its list, a field of its panel, the caption of its save button.
TABS = {
    "批量支付": ("收款人名称", "收款人名称", "保存文件"),
    "代发工资": ("金额", "支付日期", "保存文件"),
    "收款人名册": ("备注", "省份", "保存"),
    "付款人名册": ("付款人银行开户行", "付款人账号", "保存"),
    "代发工资名册": ("收款人账号", "收款人账号/卡号", "保存"),
}
CONTROLS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_RADIO_BUTTON,
            pyatspi.ROLE_LABEL, pyatspi.ROLE_TREE, pyatspi.ROLE_DATE_EDITOR,
            pyatspi.ROLE_SPIN_BUTTON}


def box(acc):
    e = harness.extents(acc)
    return e.x, e.y, e.x + e.width, e.y + e.height


def inside(inner, outer):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and inner[2] <= outer[2] and inner[3] <= outer[3]


def apart(a, b):
    return a[2] <= b[0] or b[2] <= a[0] or a[3] <= b[1] or b[3] <= a[1]


GOLDEN = Path(__file__).resolve().parents[1] / "data"
# What the status bar shows on each tab once the golden batch and payroll files are read in.
FILLED = {"批量支付": ["2", "12,645.60"], "代发工资": ["1", "1,000.00"]}


def import_file(prog, main, tab, title, path):
    prog.press(prog.button(tab, main))
    prog.press_button("导入文件", main)
    box = prog.alert()
    box.press("否")
    harness.choose_file(prog, title, path, "打开")


def every_tab_in_use(edition, tabs, filled=False):
    with harness.Program() as prog:
        prog.start()
        prog.press(prog.button(edition, prog.window("澜港银行批量工具")))
        main = prog.window(f"澜港银行批量工具（{edition}） {harness.VERSION}")
        if filled:
            import_file(prog, main, "批量支付", "导入ZPK批量支付文件...", GOLDEN / "files/batch_corporate.zpk")
            import_file(prog, main, "代发工资", "导入ZPK代发工资文件...", GOLDEN / "payroll/salary.csv")
        for caption in tabs:
            header, field_label, save = TABS[caption]
            prog.press(prog.button(caption, main))
            field = prog.field(field_label, main)
            lists = harness.find_all(main, lambda n: harness.role_of(n) == pyatspi.ROLE_TREE)
            check(len(lists) == 1 and header in harness.table_headers(lists[0]),
                  f"{caption}: one list is shown, with the column {header!r}")
            for button in ("增加", "修改", "删除", "导入文件", save):
                prog.button(button, main)
            window, shown = box(main), box(lists[0])
            controls = harness.find_all(main, lambda n: harness.role_of(n) in CONTROLS and box(n)[2] > box(n)[0])
            cut = [harness.name_of(n) or harness.text_of(n) for n in controls if not inside(box(n), window)]
            check(not cut, f"{caption}: no control is cut off by the window {window} (cut off: {cut})")
            check(apart(shown, box(field)), f"{caption}: the list {shown} lies beside the panel's {field_label!r}")
            count, total = FILLED[caption] if filled and caption in FILLED else ("0", "0.00")
            check(harness.status_bar_texts(main) == ["总笔数：", count, "总金额 ：", total],
                  f"{caption}: the status bar shows the count {count} and the total {total} of its list")


if __name__ == "__main__":
    harness.run(lambda: every_tab_in_use("企业版", list(TABS), filled=True))
    harness.run(lambda: every_tab_in_use("个人版", ["批量支付", "收款人名册"]))
