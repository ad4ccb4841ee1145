"""One running copy per program directory: a second copy says so and ends, a crashed copy's lock is
taken over without a word."""

import pyatspi

import harness
from harness import check

BASE_TITLE = "澜港银行批量工具"
ALREADY_RUNNING = "本程序已经在此文件夹中运行，不能同时运行两个！"


def second_copy_ends_and_a_crashed_copy_is_replaced():
    with harness.Program() as first:
        first.start()
        first.window(BASE_TITLE)
        check(first.path("lgbatch.lock").exists(), "the first copy holds lgbatch.lock in its program directory")

        with harness.AnotherInstance(first) as second:
            second.start()
            box = second.alert()
            check(box.text == ALREADY_RUNNING, f"the second copy says {box.text!r}")
            check(box.title == BASE_TITLE, f"captioned with the application title: {box.title!r}")
            check(harness.role_of(box.acc) == pyatspi.ROLE_ALERT, "in a message box")
            box.press()
            code = second.wait_exit()
            check(code != 0, f"the second copy ends after OK (exit code {code})")
        check(first.running() and first.window_titles() == [BASE_TITLE], "the first copy runs on, untouched")

        harness.kill(first)
        with harness.AnotherInstance(first) as third:
            third.start()
            chooser = third.window(BASE_TITLE)
            check(third.button("企业版", chooser) is not None,
                  "after a crash the next copy starts with the chooser, without a message")
            check(all(harness.role_of(w) != pyatspi.ROLE_ALERT for w in third.windows()), "and shows no message box")


if __name__ == "__main__":
    harness.run(second_copy_ends_and_a_crashed_copy_is_replaced)
