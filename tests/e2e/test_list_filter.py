"""The filter above the lists: initials typed into 查找 show only the matching rows, 删除 removes the
one row selected among them, and emptying the field brings every other row back, on the beneficiary
roster and on the batch list. The window keeps the splitter where the user dragged it across a
restart."""

import time
from pathlib import Path

import pyatspi

import harness
from harness import check

MAIN_TITLE = f"澜港银行批量工具（企业版） {harness.VERSION}"
NAMES = ["张三", "李四", "张伟", "王五", "赵六"]
BATCH = Path(__file__).resolve().parents[1] / "data/files/batch_corporate.zpk"


def start(prog):
    chooser = prog.window("澜港银行批量工具")
    prog.press(prog.button("企业版", chooser))
    return prog.window(MAIN_TITLE)


def names_shown(prog, main):
    return [row[0] for row in harness.table_rows(harness.shown_list(prog, main))]


def drag(x0, y, x1):
    pyatspi.Registry.generateMouseEvent(int(x0), int(y), "b1p")
    time.sleep(0.1)
    for step in range(1, 6):
        pyatspi.Registry.generateMouseEvent(int(x0 + (x1 - x0) * step / 5), int(y), "abs")
        time.sleep(0.05)
    pyatspi.Registry.generateMouseEvent(int(x1), int(y), "b1r")
    time.sleep(0.1)


def filter_acts_on_rows_shown_and_window_remembers():
    with harness.Program() as prog:
        roster = "".join(f"{name}|12345678901234{i}|澜港银行|备注{i}|\r\n" for i, name in enumerate(NAMES))
        prog.write_bytes("bene.xml", roster.encode("gbk"))
        prog.start()
        main = start(prog)
        prog.press(prog.button("收款人名册", main))
        harness.wait_for(lambda: names_shown(prog, main) == NAMES, "the roster's five rows")

        find = prog.field("查找", main)
        harness.focus(find)
        harness.type_text("z")
        harness.wait_for(lambda: names_shown(prog, main) == ["张三", "张伟", "赵六"], "the rows with z initials")
        prog.label("显示 3 / 5", main)
        harness.type_text("w")
        harness.wait_for(lambda: names_shown(prog, main) == ["张伟"], "张伟 alone for zw")

        cell = harness.shown_list(prog, main).queryTable().getAccessibleAt(0, 0)
        harness.click(cell)
        harness.wait_for(lambda: harness.text_of(prog.field("收款人名称", main)) == "张伟", "the row clicked loaded")
        prog.press_button("删除", main)
        box = prog.alert()
        check(box.text == "确定删除所选定的记录？", f"删除 asks {box.text!r}")
        box.press("是")
        harness.wait_for(lambda: names_shown(prog, main) == [], "no row left for zw")
        prog.label("显示 0 / 4", main)

        prog.set_text(find, "")
        rest = ["张三", "李四", "王五", "赵六"]
        harness.wait_for(lambda: names_shown(prog, main) == rest, "every other row back")

        # The bar between the list and the panel, dragged 120 pixels to the left.
        tree = harness.extents(harness.shown_list(prog, main))
        bar = tree.x + tree.width + 2
        drag(bar, tree.y + tree.height // 2, bar - 120)
        dragged = harness.wait_for(
            lambda: (w := harness.extents(harness.shown_list(prog, main)).width) < tree.width - 60 and w,
            "the list narrower after the drag")

        harness.press_later(harness.menu_item(main, "文件 (&F)", "退出 (&X)"))
        box = prog.alert()
        box.press("否")
        prog.wait_exit()

        harness.restart(prog)
        main = start(prog)
        prog.press(prog.button("收款人名册", main))
        harness.wait_for(lambda: names_shown(prog, main) == NAMES, "the roster as saved, unchanged")
        width = harness.wait_for(
            lambda: (w := harness.extents(harness.shown_list(prog, main)).width) == dragged and w,
            f"the list {dragged} wide again after the restart")
        check(width == dragged, "the splitter survives a restart")
        check(prog.path("lgbatch.ini").is_file(), "the arrangement is kept in lgbatch.ini")


def batch_list_filter_keeps_the_totals():
    with harness.Program() as prog:
        prog.start()
        main = start(prog)
        prog.press_button("导入文件", main)
        prog.alert().press("否")  # append to the empty list
        harness.choose_file(prog, "导入ZPK批量支付文件...", BATCH, "打开")
        payees = lambda: [row[2] for row in harness.table_rows(harness.shown_list(prog, main))]
        harness.wait_for(lambda: payees() == ["张三", "李四"], "the two imported payments")

        find = prog.field("查找", main)
        harness.focus(find)
        harness.type_text("ls")
        harness.wait_for(lambda: payees() == ["李四"], "李四 alone for ls")
        status = harness.status_bar_texts(main)
        check(status[1] == "2", f"the status bar counts the whole list while filtered: {status}")

        harness.click(harness.shown_list(prog, main).queryTable().getAccessibleAt(0, 2))
        prog.press_button("删除", main)
        box = prog.alert()
        box.press("是")
        harness.wait_for(lambda: harness.status_bar_texts(main)[1] == "1", "the count of the list after 删除")
        prog.set_text(find, "")
        harness.wait_for(lambda: payees() == ["张三"], "张三's payment, untouched, once the filter is empty")
        check(harness.status_bar_texts(main)[3] == "12,345.60", "the total is 张三's payment")


def filter_on_both_lists():
    batch_list_filter_keeps_the_totals()
    filter_acts_on_rows_shown_and_window_remembers()


if __name__ == "__main__":
    harness.run(filter_on_both_lists)
