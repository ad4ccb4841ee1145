"""Start-up: the edition chooser, the main window of the chosen edition, and a missing branch table."""

import os

import pyatspi

import harness
from harness import check

BASE_TITLE = "澜港银行批量工具"
PERSONAL_MAIN_TITLE = f"澜港银行批量工具（个人版） {harness.VERSION}"
MISSING_BRANCH_TABLE = "支付系统行号表【BankCode.xml】不存在，系统将会关闭！"


def chooser_then_personal_main_window():
    with harness.Program() as prog:
        prog.start()
        chooser = prog.window(BASE_TITLE)
        check(prog.window_titles() == [BASE_TITLE], f"only the chooser {BASE_TITLE!r} is shown at start")
        check(prog.button("企业版", chooser) is not None, "the chooser has the button 企业版")
        personal = prog.button("个人版", chooser)
        check(personal is not None, "the chooser has the button 个人版")
        check(prog.label(f"版本 {harness.VERSION}", chooser) is not None, f"the chooser shows the label 版本 {harness.VERSION}")

        prog.press(personal)
        main = prog.window(PERSONAL_MAIN_TITLE)
        check(main is not None, f"pressing 个人版 shows the main window {PERSONAL_MAIN_TITLE!r}")
        harness.wait_for(lambda: BASE_TITLE not in prog.window_titles(), "the chooser to close")
        check(prog.window_titles() == [PERSONAL_MAIN_TITLE],
              f"the chooser has closed and only the main window is shown: {prog.window_titles()}")

        shot = os.environ.get("LGBATCH_E2E_SCREENSHOT")
        if shot:
            prog.screenshot(shot)


def missing_branch_table_ends_the_program():
    with harness.Program() as prog:
        prog.remove("BankCode.xml")
        prog.start()
        chooser = prog.window(BASE_TITLE)
        prog.press(prog.button("企业版", chooser))

        # From the press until the program has ended, no main window may turn up.
        seen = set()

        def alert_shown():
            titles = prog.window_titles()
            seen.update(titles)
            return any(harness.role_of(w) == pyatspi.ROLE_ALERT for w in prog.windows())
        harness.wait_for(alert_shown, "a message box")
        box = prog.alert()
        check(box.text == MISSING_BRANCH_TABLE, f"a message box says {box.text!r}")
        check(box.title == "澜港银行批量工具（企业版）",
              f"the message box is captioned with the application title and edition: {box.title!r}")
        box.press()

        def ended():
            try:
                seen.update(prog.window_titles())
            except harness.E2EFailure:
                pass
            return not prog.running()
        harness.wait_for(ended, "the program to end after the message box")
        check(not prog.running(), f"the program ended after OK (exit code {prog.process.returncode})")
        check(not any(t.endswith(f" {harness.VERSION}") for t in seen), f"no main window was shown (windows seen: {sorted(seen)})")


if __name__ == "__main__":
    harness.run(chooser_then_personal_main_window)
    harness.run(missing_branch_table_ends_the_program)
