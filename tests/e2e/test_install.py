"""The installed program: `cmake --install` into a temporary prefix, started from there with a
temporary HOME. The installed tables go to the user's own program directory, a roster saved there
survives a restart, a newer installed branch table is offered at the next start, and a second
user's HOME gets a folder of its own. --help and --version answer without a display."""

import os
import shutil
import subprocess
import tempfile
from pathlib import Path

import harness
from harness import check

MAIN_TITLE = f"澜港银行批量工具（企业版） {harness.VERSION}"
TABLES = ["BankCode.xml", "banktype.xml", "city.xml", "state.xml"]
ROW = ["王五", "6222020200112233", "澜港银行", "三月货款"]


def build_dir():
    """The build that the tested program comes from (ctest says so; else the program's build/bin/..)."""
    given = os.environ.get("LGBATCH_BUILD_DIR")
    found = Path(given) if given else Path(os.environ["LGBATCH_EXE"]).resolve().parents[1]
    if not (found / "CMakeCache.txt").is_file():
        raise harness.E2EFailure(f"no CMake build in {found}: set LGBATCH_BUILD_DIR")
    return found


def open_roster_tab(prog):
    prog.press(prog.button("企业版", prog.window("澜港银行批量工具")))
    main = prog.window(MAIN_TITLE)
    prog.press(prog.button("收款人名册", main))
    return main


def roster_rows(prog, main):
    return harness.table_rows(harness.shown_list(prog, main, "the beneficiary roster"))


def answers_on_the_terminal(exe):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    hint = "用 lgbatch --help 查看用法。\n"
    for options, status, stdout, stderr in (
            (["--version"], 0, f"澜港银行批量工具 {harness.VERSION}", ""), (["--help"], 0, "用法：lgbatch [--dir 目录]", ""),
            (["--bogus"], 1, "", "未知的选项：--bogus\n" + hint), (["--dir"], 1, "", "选项 --dir 后面缺少目录\n" + hint),
            (["-platform", "offscreen", "-reverse", "--help"], 0, "用法：lgbatch", "")):
        answer = subprocess.run([exe, *options], capture_output=True, text=True, env=env, timeout=30)
        check(answer.returncode == status and answer.stdout.startswith(stdout) and answer.stderr == stderr,
              f"{options} answers without a display: {answer.returncode} "
              f"{answer.stdout.splitlines()[:1]} {answer.stderr!r}")


def installed_program_keeps_each_users_files_in_their_home():
    os.environ.pop("XDG_DATA_HOME", None)
    work = Path(tempfile.mkdtemp(prefix="lgbatch-install-"))
    try:
        prefix = work / "prefix"
        subprocess.run(["cmake", "--install", build_dir(), "--prefix", prefix], check=True, capture_output=True)
        exe, shipped = prefix / "bin/lgbatch", prefix / "share/lgbatch"
        answers_on_the_terminal(exe)

        with harness.InstalledProgram(exe, work / "home1") as prog:
            prog.start()
            main = open_roster_tab(prog)
            for name in TABLES:
                check(prog.read_bytes(name) == (shipped / name).read_bytes(), f"{name} copied into {prog.dir}")
            prog.set_text(prog.field("收款人名称", main), ROW[0])
            prog.set_text(prog.field("收款人账号/卡号", main), ROW[1])
            prog.press(prog.button("是", main))
            prog.set_text(prog.field("备注", main), ROW[3])
            prog.press_button("增加", main)
            prog.press_button("保存", main)
            box = prog.alert()
            check(box.text == "保存完毕！", f"保存 reports {box.text!r}")
            box.press()
            check(prog.path("bene.xml").is_file(), "the roster is written to the user's folder")
            check(sorted(p.name for p in (prefix / "bin").iterdir()) == ["lgbatch"], "nothing is written beside the program")

            harness.restart(prog)
            main = open_roster_tab(prog)
            rows = harness.wait_for(lambda: roster_rows(prog, main), "the roster after the restart")
            check(rows == [ROW], f"after a restart the roster holds {rows}")

            # A newer package brings another branch table: offered once, with the update's backup.
            old_table = prog.read_bytes("BankCode.xml")
            new_table = (shipped / "BankCode.xml").read_bytes() + "999100000019=新银行营业部\r\n".encode("gbk")
            (shipped / "BankCode.xml").write_bytes(new_table)
            harness.restart(prog)
            box = prog.alert()
            check(box.text.endswith("确定更新支付系统行号表？"), f"the start asks {box.text!r}")
            box.press("是")
            box = prog.alert()
            check(box.text == "支付系统行号表更新完成!", f"then reports {box.text!r}")
            box.press()
            prog.window("澜港银行批量工具")
            check(prog.read_bytes("BankCode.xml") == new_table and prog.read_bytes("BankCode.xml.bak") == old_table,
                  "the installed table replaced the user's, which is kept as BankCode.xml.bak")

        with harness.InstalledProgram(exe, work / "home2") as other:
            other.start()
            main = open_roster_tab(other)
            check(other.read_bytes("BankCode.xml") == (shipped / "BankCode.xml").read_bytes(),
                  "a second user gets a program directory of their own")
            check(roster_rows(other, main) == [] and not other.path("bene.xml").exists(),
                  "and does not see the first user's roster")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    harness.run(installed_program_keeps_each_users_files_in_their_home)
