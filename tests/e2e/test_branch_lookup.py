"""Branch lookup in the batch payment panel: finding a branch that is not in the table, and a typed
city that does not exist."""

import pyatspi

import harness
from harness import check

CORPORATE = "企业版"
PERSONAL = "个人版"
TITLE = {CORPORATE: "澜港银行批量工具（企业版）", PERSONAL: "澜港银行批量工具（个人版）"}
VERSION = harness.VERSION

# A branch that no table holds, but whose words name a bank and a city that the tables know.
UNKNOWN_BRANCH = "中国工商银行北京市某某新支行"
UNKNOWN_CITY = "火星市"
SUBORDINATE = "  - "


def read_table(prog, name):
    """The rows of a table of the program directory as lists of fields (GBK, CR LF)."""
    text = prog.read_bytes(name).decode("gbk")
    return [line.split("=") for line in text.split("\r\n") if line]


def expected_superior(prog, typed):
    """What the find button should offer for a branch name that is not in the table: the first
    branch, in file order, of the bank and the city whose names occur in the typed name, with the
    province, city and bank names the pickers should then show."""
    branches = read_table(prog, "BankCode.xml")
    banks = read_table(prog, "banktype.xml")
    cities = read_table(prog, "city.xml")
    states = read_table(prog, "state.xml")
    check(all(row[1] != typed for row in branches), f"{typed!r} is not a branch of BankCode.xml")

    bank = next(row for row in banks if row[1] in typed)
    city = next(row for row in cities if row[2].replace(SUBORDINATE, "") in typed)
    prefix = bank[0] + city[1]
    superior = next(row for row in branches if row[0][:7] == prefix)
    state = next(row for row in states if int(row[0]) == int(city[0]))
    city_shown = city[2] if city[1][3:4] == "0" else SUBORDINATE + city[2]
    return {
        "branch": superior[1],
        "branches": [row[1] for row in branches if row[0][:7] == prefix],
        "state": state[1],
        "city": city_shown,
        "bank": bank[1],
    }


def start(prog, edition):
    """Start the program, choose an edition and return its main window."""
    prog.start()
    chooser = prog.window("澜港银行批量工具")
    prog.press(prog.button(edition, chooser))
    main = prog.window(f"{TITLE[edition]} {VERSION}")
    prog.press(prog.button("批量支付", main))
    return main


def panel_fields(prog, main):
    labels = {"state": "省份：", "city": "城市：", "bank": "收款银行：", "branch": "收款开户行：", "remark": "备注："}
    return {key: prog.field(label, main) for key, label in labels.items()}


def shown(fields):
    """What the panel's branch fields show now."""
    result = {key: harness.combo_text(fields[key]) for key in ("state", "city", "bank", "branch")}
    fields["remark"].clear_cache()
    result["remark"] = harness.text_of(fields["remark"])
    return result


def press_answer(box, answer):
    """Press 是 or 否 of a question box: Qt's buttons must show in Chinese."""
    box.press(answer)


def find_unknown_branch(prog, edition):
    """Type a branch that is not in the table into the batch panel, press 查找 and return the
    fields, the expected superior branch and the question box."""
    main = start(prog, edition)
    fields = panel_fields(prog, main)
    want = expected_superior(prog, UNKNOWN_BRANCH)
    print(f"expected superior branch {want['branch']!r} in {want['state']}/{want['city']}/{want['bank']}", flush=True)

    prog.set_text(fields["branch"], UNKNOWN_BRANCH)
    harness.wait_for(lambda: harness.combo_text(fields["branch"]) == UNKNOWN_BRANCH, "the typed branch to show")
    prog.press_button("查找", main)
    box = prog.alert()
    question = f"该收款开户行不存在，是否转入上级开户行？【{want['branch']}】"
    check(box.text == question, f"查找 asks {box.text!r}")
    check(box.title == TITLE[edition], f"the question is captioned {box.title!r}")
    captions = box.button_captions()
    check(sorted(captions) == sorted(["是", "否"]), f"the question offers 是 and 否: {captions}")
    return fields, want, box


def superior_branch_taken_on_yes():
    with harness.Program() as prog:
        fields, want, box = find_unknown_branch(prog, CORPORATE)
        press_answer(box, "是")

        expected = {"state": want["state"], "city": want["city"], "bank": want["bank"],
                    "branch": want["branch"], "remark": f"请转：（{UNKNOWN_BRANCH}）"}
        now = _wait_shown(fields, expected)
        check(now["branch"] == want["branch"], f"the branch field shows the superior branch {now['branch']!r}")
        check(now["remark"] == expected["remark"], f"the remark holds the redirect note {now['remark']!r}")
        check((now["state"], now["city"], now["bank"]) == (want["state"], want["city"], want["bank"]),
              f"the pickers show {now['state']} / {now['city']} / {now['bank']}")
        items = harness.combo_items(fields["branch"])
        check(items == want["branches"],
              f"the branch list holds the {len(items)} branches of that bank in that city, in file order")
        check_no_message_box(prog)


def nothing_changes_on_no():
    with harness.Program() as prog:
        fields, _want, box = find_unknown_branch(prog, CORPORATE)
        press_answer(box, "否")

        expected = {"state": "", "city": "", "bank": "", "branch": UNKNOWN_BRANCH, "remark": ""}
        now = _wait_shown(fields, expected)
        check(now["branch"] == UNKNOWN_BRANCH, f"the branch field keeps the typed text {now['branch']!r}")
        check(now["remark"] == "", f"the remark stays empty {now['remark']!r}")
        check((now["state"], now["city"], now["bank"]) == ("", "", ""),
              f"the pickers stay empty {(now['state'], now['city'], now['bank'])}")
        check_no_message_box(prog)


def _wait_shown(fields, expected, timeout=10):
    """Wait until the panel shows what is expected; return what it shows then, or when time is up
    (the checks that follow say what differs)."""
    try:
        harness.wait_for(lambda: shown(fields) == expected, f"the panel to show {expected}", timeout)
    except harness.E2EFailure:
        pass
    return shown(fields)


def unknown_city_refused_personal():
    with harness.Program() as prog:
        main = start(prog, PERSONAL)
        fields = panel_fields(prog, main)
        city = fields["city"]

        harness.focus(city)
        prog.set_text(city, UNKNOWN_CITY)
        harness.wait_for(lambda: harness.combo_text(city) == UNKNOWN_CITY, "the typed city to show")
        harness.press_key("Tab")
        print("pressed Tab to leave the city field", flush=True)

        box = prog.alert()
        check(box.text == "您输入的城市无效！", f"leaving the city field warns {box.text!r}")
        check(box.title == TITLE[PERSONAL], f"the warning is captioned {box.title!r}")
        box.press()

        # Without a window manager nothing hands the activation back to the main window when the
        # box closes; the user clicks into it, and the field the program gave the focus to gets it.
        harness.activate(main)
        harness.wait_for(lambda: _holds_focus(city), "the focus to return to the city field", timeout=10)
        check(_holds_focus(city) and not _holds_focus(fields["bank"]),
              "after OK the focus is back in the city field (not in 收款银行, where Tab would have taken it)")
        check(harness.combo_text(city) == UNKNOWN_CITY, f"the city field still holds {harness.combo_text(city)!r}")
        selection = _selection(city)
        check(selection == (0, len(UNKNOWN_CITY)), f"the city text is selected whole {selection}")
        check_no_message_box(prog)


def check_no_message_box(prog):
    check(not any(harness.role_of(w) == pyatspi.ROLE_ALERT for w in prog.windows()), "no further message box follows")


def _holds_focus(combo):
    """An editable combo box has the focus when it or its line edit has it."""
    return harness.has_focus(combo) or any(harness.has_focus(n) for n in harness.children(combo))


def _selection(combo):
    """The selected range (start, end) of an editable combo box's text; None without a selection."""
    for node in harness.children(combo):
        if harness.role_of(node) != pyatspi.ROLE_TEXT:
            continue
        node.clear_cache()
        text = node.queryText()
        return tuple(text.getSelection(0)) if text.getNSelections() > 0 else None
    return None


if __name__ == "__main__":
    harness.run(superior_branch_taken_on_yes)
    harness.run(nothing_changes_on_no)
    harness.run(unknown_city_refused_personal)
