"""Drive the built lgbatch as a user would, through the accessibility interface (AT-SPI).

Runs under Debian's /usr/bin/python3 (it has pyatspi) inside an X server and a D-Bus session with the
accessibility bus started; run_e2e.sh sets all of that up. Typical use:

    import harness
    with harness.Program() as prog:          # copies the program and the sample tables to a temp folder
        prog.remove("BankCode.xml")           # optional: alter the program directory before the start
        prog.start()
        chooser = prog.window("澜港银行批量工具")
        prog.press(prog.button("个人版", chooser))
        main = prog.window(f"澜港银行批量工具（个人版） {harness.VERSION}")
        prog.set_text(prog.field("收款人名称", main), "张三")   # a field by its label's text
        harness.select_item(prog.field("省份", main), "北京市")
        prog.press_button("增加", main)
        box = prog.alert()                    # a message box: box.title, box.text
        box.press()                           # its only button, or box.press("是")

Every wait polls with a timeout (DEFAULT_TIMEOUT seconds) and fails with a message that says what it
waited for. Whatever a Program started is killed on close(), at interpreter exit and on SIGTERM.
"""

import atexit
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

def _project_version():
    """The version the build gives the program: from CTest (LGBATCH_VERSION), or, for a test run by
    hand, from the one place the project sets it (project(... VERSION) in the top CMakeLists.txt)."""
    if os.environ.get("LGBATCH_VERSION"):
        return os.environ["LGBATCH_VERSION"]
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")
    with open(top, encoding="utf-8") as f:
        return re.search(r"project\(lgbatch VERSION ([0-9.]+)", f.read()).group(1)


VERSION = _project_version()

import gi
import pyatspi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402  (after the version is chosen)

DEFAULT_TIMEOUT = 20.0
# libatspi's own timeouts of a call, in ms: a program's reply, and a young program's (its first 15 s).
_CALL_TIMEOUTS_MS = (800, 15000)
_SEND_ONLY_MS = 100
POLL_INTERVAL = 0.1

_REPO_ROOT = Path(__file__).resolve().parents[2]

# Roles whose children are rows, cells or list items: searching for a button or a label never needs to
# walk them, and a long list would make every search slow.
_ITEM_CONTAINERS = {
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_TREE,
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_LIST_BOX,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_MENU_BAR,
    pyatspi.ROLE_MENU,
    pyatspi.ROLE_SCROLL_BAR,
}

_BUTTON_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TOGGLE_BUTTON,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM,
}

_FIELD_ROLES = {
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_DATE_EDITOR,
    pyatspi.ROLE_EDITBAR,
}


# The caption of a message box's OK button. Qt's own buttons must speak Chinese: a missing
# translation fails the test instead of passing with "OK".
OK_CAPTIONS = ("确定",)


class E2EFailure(AssertionError):
    pass


def check(condition, message):
    """Fail the test with message unless condition holds; print what was checked when it does."""
    if not condition:
        raise E2EFailure(message)
    print("ok:", message, flush=True)


def normalize(text):
    """A caption as a user reads it: no mnemonic '&', no surrounding blanks, no trailing colon."""
    text = (text or "").replace("&&", "\0").replace("&", "").replace("\0", "&").strip()
    # Chinese captions carry their mnemonic as a trailing "(&Y)", before a colon if there is one
    # ("文件名称(&N)："): Qt drops the '&', we drop the rest.
    text = re.sub(r"\([A-Z0-9]\)([:：]?)$", r"\1", text).rstrip()
    while text.endswith(("：", ":")):
        text = text[:-1].rstrip()
    return text


def wait_for(predicate, what, timeout=DEFAULT_TIMEOUT, interval=POLL_INTERVAL):
    """Poll predicate until it returns something truthy; return that, or fail after timeout seconds."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            result = predicate()
            if result:
                return result
        except E2EFailure:
            raise
        except Exception as error:  # the tree changes under our feet: a dead object, a D-Bus timeout
            last_error = error
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise E2EFailure(f"timed out after {timeout:g} s waiting for {what}{detail}")
        time.sleep(interval)


def _safe(call, default=None):
    try:
        return call()
    except Exception:
        return default


def role_of(acc):
    return _safe(acc.getRole)


def name_of(acc):
    return _safe(lambda: acc.name, "") or ""


def is_showing(acc):
    states = _safe(acc.getState)
    return bool(states) and states.contains(pyatspi.STATE_SHOWING)


def children(acc):
    count = _safe(acc.get_child_count, 0) or 0
    result = []
    for i in range(count):
        child = _safe(lambda: acc.get_child_at_index(i))
        if child is not None:
            result.append(child)
    return result


def walk(root, showing_only=True, into_items=False):
    """All descendants of root, depth first (root excluded).

    showing_only skips hidden subtrees (other tabs' pages, hidden panels); into_items also walks
    the rows and cells of lists, tables and combo boxes."""
    stack = list(reversed(children(root)))
    while stack:
        node = stack.pop()
        if showing_only and not is_showing(node):
            continue
        yield node
        if into_items or role_of(node) not in _ITEM_CONTAINERS:
            stack.extend(reversed(children(node)))


def find_all(root, predicate, showing_only=True, into_items=False):
    return [n for n in walk(root, showing_only, into_items) if _safe(lambda: predicate(n), False)]


def dump(root, depth=0, max_depth=12, out=sys.stdout):
    """Print the accessible tree below root: for finding out what a test can see."""
    if depth > max_depth:
        return
    states = "" if is_showing(root) else " (hidden)"
    print("  " * depth + f"[{_safe(root.getRoleName, '?')}] {name_of(root)!r}{states}", file=out)
    for child in children(root):
        dump(child, depth + 1, max_depth, out)


def text_of(acc):
    """The text a control shows: its text contents where it has them, else its accessible name."""
    text_iface = _safe(acc.queryText)
    if text_iface is not None:
        contents = _safe(lambda: text_iface.getText(0, -1))
        if contents is not None:
            return contents
    return name_of(acc)


def press(acc):
    """Press a button (or pick a menu item, a tab, an option button) through its first action."""
    action = acc.queryAction()
    if action.nActions < 1:
        raise E2EFailure(f"{acc} has no action to press")
    name = name_of(acc)
    if not action.doAction(0):
        raise E2EFailure(f"pressing {acc} was refused")
    # Qt presses a push button as an animated click: down at once, clicked about 100 ms later. A next
    # step taken before that would race the button's own handler (a field typed into before 增加 has
    # cleared the panel), so wait for the release. A button whose window closed is released too.
    wait_for(lambda: not _is_pressed(acc), f"{name!r} to come back up")
    print(f"pressed {name!r}", flush=True)


def _is_pressed(acc):
    _safe(acc.clear_cache)
    states = _safe(acc.getState)
    return bool(states) and states.contains(pyatspi.STATE_PRESSED)


def set_text(acc, text):
    """Replace a field's text. An editable combo box gets it in its line edit."""
    what = _label_text(acc) or name_of(acc)  # a combo box is named after its text once it has one
    target = acc
    if _safe(acc.queryEditableText) is None:
        editable = [n for n in walk(acc, into_items=True) if _safe(n.queryEditableText) is not None]
        if not editable:
            raise E2EFailure(f"{acc} has no editable text")
        target = editable[0]
    if not target.queryEditableText().setTextContents(text):
        raise E2EFailure(f"setting the text of {acc} to {text!r} was refused")
    print(f"typed {text!r} into {what!r}", flush=True)


# X keysyms of the keys a test may need by name; a single printable character is its own keysym.
KEYSYMS = {
    "BackSpace": 0xFF08, "Tab": 0xFF09, "Return": 0xFF0D, "Escape": 0xFF1B, "Delete": 0xFFFF,
    "Home": 0xFF50, "Left": 0xFF51, "Up": 0xFF52, "Right": 0xFF53, "Down": 0xFF54,
    "Page_Up": 0xFF55, "Page_Down": 0xFF56, "End": 0xFF57, "space": 0x20,
    **{f"F{n}": 0xFFBD + n for n in range(1, 13)},
}


def press_key(name):
    """Send one key press and release to the focused control: a name from KEYSYMS or one character."""
    keysym = KEYSYMS.get(name, ord(name) if len(name) == 1 else None)
    if keysym is None:
        raise E2EFailure(f"unknown key {name!r}")
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    time.sleep(0.05)


def type_text(text):
    """Type ASCII text key by key into the focused control (set_text puts in any text at once)."""
    if not text.isascii():
        raise E2EFailure(f"type_text types ASCII only; use set_text for {text!r}")
    for char in text:
        press_key(char)


def extents(acc):
    return acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def click_at(x, y):
    pyatspi.Registry.generateMouseEvent(int(x), int(y), pyatspi.MOUSE_B1C)
    time.sleep(0.05)


def click(acc):
    """Click the middle of a control with the mouse, as a user would."""
    box = extents(acc)
    if box.width <= 0 or box.height <= 0:
        raise E2EFailure(f"{acc} has no area on the screen to click")
    click_at(box.x + box.width // 2, box.y + box.height // 2)


def top_window(acc):
    """The top-level window that holds acc."""
    node = acc
    while True:
        parent = _safe(lambda: node.parent)
        if parent is None or role_of(parent) == pyatspi.ROLE_APPLICATION:
            return node
        node = parent


def is_active(window):
    window.clear_cache()
    states = _safe(window.getState)
    return bool(states) and states.contains(pyatspi.STATE_ACTIVE)


def activate(window, timeout=DEFAULT_TIMEOUT):
    """Make a window the active one. There is no window manager under Xvfb, so a window becomes
    active only when clicked: click a label of it (labels do nothing when clicked)."""
    if is_active(window):
        return
    spot = next((n for n in walk(window) if role_of(n) == pyatspi.ROLE_LABEL
                 and _safe(lambda: extents(n).width, 0) > 0), None)
    if spot is not None:
        click(spot)
    else:
        box = extents(window)
        click_at(box.x + 1, box.y + 1)
    wait_for(lambda: is_active(window), f"window {name_of(window)!r} to become active", timeout)


def has_focus(acc):
    acc.clear_cache()
    states = _safe(acc.getState)
    return bool(states) and states.contains(pyatspi.STATE_FOCUSED)


def focus(acc, timeout=DEFAULT_TIMEOUT):
    """Give a control the keyboard focus, activating its window first."""
    activate(top_window(acc), timeout)
    if not _safe(lambda: acc.queryComponent().grabFocus(), False):
        # Combo boxes offer no focus action: click them, and close the list that the click opened.
        click(acc)
        if role_of(acc) == pyatspi.ROLE_COMBO_BOX:
            time.sleep(0.2)
            press_key("Escape")
    wait_for(lambda: has_focus(acc) or any(has_focus(n) for n in children(acc)),
             f"{acc} to take the focus", timeout)


def combo_items(combo):
    """The texts of a combo box's items, in order."""
    lists = [n for n in children(combo) if role_of(n) in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE)]
    if not lists:
        return []
    lists[0].clear_cache()
    return [name_of(item) for item in children(lists[0])]


def combo_text(combo):
    """The text a combo box shows: its typed text when editable, else its current item ("" for none).

    With no current item Qt names the combo box after its label, so that name counts as empty."""
    combo.clear_cache()
    editable = [n for n in children(combo) if _safe(n.queryEditableText) is not None]
    if editable:
        return text_of(editable[0])
    name = name_of(combo)
    return "" if name == _label_text(combo) else name


def _label_text(acc):
    """The text of the label whose buddy acc is, or None."""
    for relation in _safe(acc.getRelationSet, []) or []:
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            label = relation.getTarget(0)
            if label is not None:
                return text_of(label)
    return None


def select_item(combo, text, timeout=DEFAULT_TIMEOUT):
    """Pick an item of a combo box as a user does: open its list, walk to the item, press Enter."""
    what = _label_text(combo) or name_of(combo)
    items = combo_items(combo)
    if text not in items:
        raise E2EFailure(f"{what!r} has no item {text!r}; it has {items[:30]}")
    index = items.index(text)
    activate(top_window(combo), timeout)
    box = extents(combo)
    click_at(box.x + box.width - 6, box.y + box.height // 2)  # the arrow: opens editable ones too
    lists = [n for n in children(combo) if role_of(n) in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE)]
    wait_for(lambda: lists and (lists[0].clear_cache() or True) and is_showing(lists[0]),
             f"the list of {what!r} to open", timeout)
    press_key("Home")
    for _ in range(index):
        press_key("Down")
    press_key("Return")
    wait_for(lambda: not is_showing(lists[0]), f"the list of {what!r} to close", timeout)
    print(f"picked {text!r} in {what!r}", flush=True)


def table_rows(acc):
    """The cell texts of a list view, row by row (header excluded)."""
    table = acc.queryTable()
    rows = []
    for r in range(table.nRows):
        row = []
        for c in range(table.nColumns):
            cell = table.getAccessibleAt(r, c)
            row.append(text_of(cell) if cell is not None else "")
        rows.append(row)
    return rows


def table_headers(acc):
    table = acc.queryTable()
    headers = []
    for c in range(table.nColumns):
        header = _safe(lambda: table.getColumnHeader(c))
        headers.append(name_of(header) if header is not None else _safe(lambda: table.getColumnDescription(c), ""))
    return headers


class Alert:
    """A message box: a top-level 'alert' whose labels hold its text."""

    def __init__(self, program, acc):
        self.program = program
        self.acc = acc
        self.title = name_of(acc)
        labels = [text_of(n) for n in walk(acc) if role_of(n) == pyatspi.ROLE_LABEL]
        self.labels = [t for t in labels if t]
        self.text = "\n".join(self.labels)

    def buttons(self):
        return [n for n in walk(self.acc) if role_of(n) == pyatspi.ROLE_PUSH_BUTTON]

    def button_captions(self):
        return [normalize(name_of(b)) for b in self.buttons()]

    def press(self, caption=None):
        """Press the button with this caption; without one, the only button (or the OK button)."""
        buttons = self.buttons()
        if caption is None:
            if len(buttons) == 1:
                chosen = buttons[0]
            else:
                chosen = next((b for b in buttons if normalize(name_of(b)) in map(normalize, OK_CAPTIONS)), None)
        else:
            chosen = next((b for b in buttons if normalize(name_of(b)) == normalize(caption)), None)
        if chosen is None:
            raise E2EFailure(f"message box {self.text!r} has no button {caption!r}; it has {self.button_captions()}")
        press(chosen)
        self.program.wait_gone(self.acc, f"message box {self.text!r} to close")


class Program:
    """One run of the program in its own temporary program directory.

    exe: the built program (default: argv[1] or $LGBATCH_EXE); sample_dir: the folder whose files are
    copied beside it (default: argv[2], $LGBATCH_SAMPLE_DIR or the repository's data/sample)."""

    _live = []

    def __init__(self, exe=None, sample_dir=None, env=None):
        self.exe = Path(exe or _arg(1) or os.environ.get("LGBATCH_EXE") or _REPO_ROOT / "build/bin/lgbatch")
        self.sample_dir = Path(sample_dir or _arg(2) or os.environ.get("LGBATCH_SAMPLE_DIR") or _REPO_ROOT / "data/sample")
        if not self.exe.is_file():
            raise E2EFailure(f"program {self.exe} not found")
        if not self.sample_dir.is_dir():
            raise E2EFailure(f"sample folder {self.sample_dir} not found")
        self.root = Path(tempfile.mkdtemp(prefix="lgbatch-e2e-"))
        # The program directory; the working directory is a different, empty folder, so that a
        # program that looks for its files in the working directory does not pass by chance.
        self.dir = self.root / "app"
        self.cwd = self.root / "cwd"
        self.dir.mkdir()
        self.cwd.mkdir()
        for item in sorted(self.sample_dir.iterdir()):
            if item.is_file():
                shutil.copy2(item, self.dir / item.name)
        self.program = self.dir / self.exe.name
        shutil.copy2(self.exe, self.program)
        self.extra_env = dict(env or {})
        self.process = None
        self.log_path = self.root / "program.log"
        self._app = None
        Program._live.append(self)

    # --- the program directory -------------------------------------------------------------

    def path(self, name):
        return self.dir / name

    def remove(self, name):
        self.path(name).unlink()
        print(f"removed {name} from the program directory", flush=True)

    def write_bytes(self, name, data):
        self.path(name).write_bytes(data)

    def read_bytes(self, name):
        return self.path(name).read_bytes()

    # --- process ---------------------------------------------------------------------------

    def start(self):
        env = dict(os.environ)
        runtime = self.root / "runtime"
        runtime.mkdir(mode=0o700, exist_ok=True)
        env.update({
            "XDG_RUNTIME_DIR": str(runtime),
            "QT_ACCESSIBILITY": "1",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_QPA_PLATFORM": "xcb",
        })
        env.update(self.extra_env)
        self._log = open(self.log_path, "wb")
        self.process = subprocess.Popen(
            [str(self.program)], cwd=self.cwd, env=env, stdin=subprocess.DEVNULL,
            stdout=self._log, stderr=subprocess.STDOUT, start_new_session=True)
        print(f"started {self.program} (pid {self.process.pid})", flush=True)
        return self

    def running(self):
        return self.process is not None and self.process.poll() is None

    def _require_running(self):
        if not self.running():
            code = None if self.process is None else self.process.returncode
            raise E2EFailure(f"the program is not running (exit code {code})\n{self.log()}")

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        """Wait until the program ends by itself; return its exit code."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise E2EFailure(f"the program did not end within {timeout:g} s") from None

    def log(self):
        try:
            return self.log_path.read_text(errors="replace")
        except OSError:
            return ""

    def close(self):
        """Kill the program and everything it started, and remove the temporary folder."""
        if self.process is not None and self.process.poll() is None:
            for sig, grace in ((signal.SIGTERM, 5), (signal.SIGKILL, 5)):
                try:
                    os.killpg(self.process.pid, sig)
                except ProcessLookupError:
                    break
                try:
                    self.process.wait(timeout=grace)
                    break
                except subprocess.TimeoutExpired:
                    pass
        elif self.process is not None:
            # The program ended, but a child it left in its group must not outlive the test.
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                pass
        if getattr(self, "_log", None) is not None:
            self._log.close()
            self._log = None
        if os.environ.get("LGBATCH_E2E_KEEP"):
            print(f"kept {self.root}", flush=True)
        else:
            shutil.rmtree(self.root, ignore_errors=True)
        if self in Program._live:
            Program._live.remove(self)

    def __enter__(self):
        return self

    def __exit__(self, exc_type, exc, tb):
        if exc_type is not None and self.process is not None:
            print("--- program output ---\n" + self.log() + "--- end of program output ---", flush=True)
        self.close()
        return False

    # --- the accessible application --------------------------------------------------------

    def application(self, timeout=DEFAULT_TIMEOUT):
        """The program's accessible application object (found by process id)."""
        def find():
            self._require_running()
            desktop = pyatspi.Registry.getDesktop(0)
            desktop.clear_cache()
            for app in children(desktop):
                if _safe(app.get_process_id) == self.process.pid:
                    return app
            return None
        if self._app is None:
            self._app = wait_for(find, "the program's accessible application", timeout)
        self._app.clear_cache()
        return self._app

    def windows(self):
        """The top-level windows that are shown now (every child of the application is one, whatever
        its role: a plain widget shown as a window is a 'filler')."""
        app = self.application()
        return [w for w in children(app) if is_showing(w)]

    def window(self, title, timeout=DEFAULT_TIMEOUT):
        """Wait for a shown top-level window with exactly this caption."""
        def find():
            return next((w for w in self.windows() if name_of(w) == title), None)
        try:
            return wait_for(find, f"a window captioned {title!r}", timeout)
        except E2EFailure as failure:
            seen = _safe(lambda: [name_of(w) for w in self.windows()], [])
            raise E2EFailure(f"{failure}; windows shown: {seen}") from None

    def window_titles(self):
        return [name_of(w) for w in self.windows()]

    def alert(self, timeout=DEFAULT_TIMEOUT):
        """Wait for a message box and return it as an Alert."""
        def find():
            return next((w for w in self.windows() if role_of(w) == pyatspi.ROLE_ALERT), None)
        try:
            acc = wait_for(find, "a message box", timeout)
        except E2EFailure as failure:
            seen = _safe(lambda: [name_of(w) for w in self.windows()], [])
            raise E2EFailure(f"{failure}; windows shown: {seen}") from None
        # The labels are filled before the box is shown, but give the tree a moment to settle.
        return wait_for(lambda: (lambda a: a if a.text else None)(Alert(self, acc)), "the message box's text", timeout)

    def wait_gone(self, acc, what, timeout=DEFAULT_TIMEOUT):
        """Wait until a window is no longer shown (closed, hidden or destroyed)."""
        def gone():
            if not self.running():
                return True
            try:
                return all(w != acc for w in self.windows()) or not is_showing(acc)
            except E2EFailure:
                return not self.running()
        wait_for(gone, what, timeout)

    # --- controls --------------------------------------------------------------------------

    def find(self, predicate, root=None, what="a control", timeout=DEFAULT_TIMEOUT, showing_only=True):
        """Wait for the first control under root (default: all shown windows) that satisfies predicate."""
        def search():
            self._require_running()
            roots = [root] if root is not None else self.windows()
            for r in roots:
                r.clear_cache()
                found = find_all(r, predicate, showing_only)
                if found:
                    return found[0]
            return None
        return wait_for(search, what, timeout)

    def button(self, caption, root=None, timeout=DEFAULT_TIMEOUT):
        """A button, option button, check box, tab or menu item by its caption."""
        want = normalize(caption)
        return self.find(lambda n: role_of(n) in _BUTTON_ROLES and normalize(name_of(n)) == want,
                         root, f"a button captioned {caption!r}", timeout)

    def label(self, text, root=None, timeout=DEFAULT_TIMEOUT):
        want = normalize(text)
        return self.find(lambda n: role_of(n) == pyatspi.ROLE_LABEL and normalize(text_of(n)) == want,
                         root, f"a label {text!r}", timeout)

    def field(self, label_text, root=None, timeout=DEFAULT_TIMEOUT):
        """The entry field (text box, combo box, date picker ...) whose label reads label_text.

        A field is its label's buddy: the label is LABEL_FOR the field, and the field's accessible
        name is the label's text."""
        want = normalize(label_text)

        def search():
            self._require_running()
            roots = [root] if root is not None else self.windows()
            for r in roots:
                r.clear_cache()
                for node in walk(r):
                    role = role_of(node)
                    if role == pyatspi.ROLE_LABEL and normalize(text_of(node)) == want:
                        for relation in _safe(node.getRelationSet, []) or []:
                            if relation.getRelationType() == pyatspi.RELATION_LABEL_FOR:
                                target = relation.getTarget(0)
                                if target is not None:
                                    return target
                    elif role in _FIELD_ROLES and normalize(name_of(node)) == want:
                        return node
            return None
        return wait_for(search, f"a field labelled {label_text!r}", timeout)

    def press(self, acc):
        self._require_running()
        press(acc)

    def press_button(self, caption, root=None, timeout=DEFAULT_TIMEOUT):
        self.press(self.button(caption, root, timeout))

    def set_text(self, acc, text):
        self._require_running()
        set_text(acc, text)

    def screenshot(self, path):
        """Save the whole X screen as a PNG (needs imagemagick's import)."""
        display = os.environ.get("DISPLAY")
        if not display or shutil.which("import") is None:
            raise E2EFailure("a screenshot needs an X display and imagemagick's import")
        subprocess.run(["import", "-display", display, "-window", "root", str(path)], check=True, timeout=60)
        print(f"screenshot saved to {path}", flush=True)


def _arg(index):
    return sys.argv[index] if len(sys.argv) > index and sys.argv[index] else None


def _close_all():
    for program in list(Program._live):
        program.close()


def _on_signal(signum, _frame):
    _close_all()
    sys.exit(128 + signum)


atexit.register(_close_all)
for _sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
    signal.signal(_sig, _on_signal)


def run(test):
    """Run a test function; print the outcome and exit 0 on success, 1 on failure."""
    name = getattr(test, "__name__", "test")
    try:
        test()
    except E2EFailure as failure:
        print(f"FAIL {name}: {failure}", flush=True)
        _close_all()
        sys.exit(1)
    except Exception:
        import traceback
        traceback.print_exc()
        print(f"FAIL {name}: unexpected error", flush=True)
        _close_all()
        sys.exit(1)
    print(f"PASS {name}", flush=True)


def restart(program):
    """End the running program at once (nothing is asked, nothing saved) and start it again on the same
    program directory, as a user who closes and reopens it finds it."""
    if program.running():
        os.killpg(program.process.pid, signal.SIGKILL)
        program.wait_exit()
    if getattr(program, "_log", None) is not None:
        program._log.close()
        program._log = None
    program._app = None
    print("restarting the program", flush=True)
    return program.start()


def status_bar_texts(window):
    """The texts of a window's status bar panels, left to right."""
    bars = find_all(window, lambda n: role_of(n) == pyatspi.ROLE_STATUS_BAR)
    if not bars:
        raise E2EFailure(f"window {name_of(window)!r} has no status bar")
    return [text_of(n) for n in walk(bars[0]) if role_of(n) == pyatspi.ROLE_LABEL]


def menu_item(window, menu, item):
    """A menu bar item of a window: the menu by its caption, then the item by its own (mnemonics and
    shortcuts ignored). Press it with press_later when its command may show a message box."""
    bars = [n for n in walk(window) if role_of(n) == pyatspi.ROLE_MENU_BAR]
    if not bars:
        raise E2EFailure(f"window {name_of(window)!r} has no menu bar")
    menus = [n for n in children(bars[0]) if normalize(name_of(n)) == normalize(menu)]
    if not menus:
        raise E2EFailure(f"no menu {menu!r}: {[name_of(n) for n in children(bars[0])]}")
    items = [n for n in walk(menus[0], showing_only=False, into_items=True)
             if role_of(n) in _BUTTON_ROLES and normalize(name_of(n).split("\t")[0]) == normalize(item)]
    if not items:
        raise E2EFailure(f"menu {menu!r} has no item {item!r}")
    return items[0]


def choose_file(program, title, path, button):
    """Answer the program's file dialog captioned title: type the full path into its file name field
    and press its button (打开 or 保存)."""
    dialog = program.window(title)
    program.set_text(program.field("文件名称", dialog), str(path))
    program.press_button(button, dialog)
    program.wait_gone(dialog, f"the dialog {title!r} to close")


def press_later(acc):
    """Press a control whose action does not return until the window it opens is closed (a menu item
    runs its command within the press): the request is sent and its reply not waited for, so that the
    test can answer the window. Waiting for that reply in another thread would stall this thread's own
    calls until the reply's timeout (up to 15 s while the program is young): the library is not made for
    two threads."""
    Atspi.set_timeout(_SEND_ONLY_MS, _SEND_ONLY_MS)
    try:
        acc.queryAction().doAction(0)
    except Exception:  # the reply comes only once the command is over
        pass
    finally:
        Atspi.set_timeout(*_CALL_TIMEOUTS_MS)
    print(f"pressed {name_of(acc)!r}", flush=True)


_LIST_ROLES = (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE)


def shown_list(program, window, what="the list of the tab in front"):
    """The list view the window shows (the current tab's), fresh from the program."""
    found = program.find(lambda n: role_of(n) in _LIST_ROLES, window, what)
    found.clear_cache()
    return found


class InstalledProgram(Program):
    """The program where an installation put it, started in place with its own HOME: its program
    directory is then that user's folder (~/.local/share/lgbatch), which path(), read_bytes() and
    the other program-directory helpers look into. The test removes XDG_DATA_HOME from its own
    environment if it wants the folder to follow HOME."""

    def __init__(self, exe, home, env=None):
        self.exe = self.program = Path(exe)
        if not self.exe.is_file():
            raise E2EFailure(f"installed program {self.exe} not found")
        self.home = Path(home)
        self.home.mkdir(parents=True, exist_ok=True)
        self.root = Path(tempfile.mkdtemp(prefix="lgbatch-e2e-"))
        self.dir = self.home / ".local/share/lgbatch"
        self.cwd = self.root / "cwd"
        self.cwd.mkdir()
        self.extra_env = {"HOME": str(self.home), **(env or {})}
        self.process = None
        self.log_path = self.root / "program.log"
        self._app = None
        Program._live.append(self)


class AnotherInstance(Program):
    """A further copy of the program started from the program directory of `first` (a Program), as a
    user who starts the same program twice. It has its own log and runtime folder; closing it
    leaves the first one's folder alone."""

    def __init__(self, first):
        self.exe, self.sample_dir = first.exe, first.sample_dir
        self.root = Path(tempfile.mkdtemp(prefix="lgbatch-e2e-another-"))
        self.dir, self.cwd, self.program = first.dir, first.cwd, first.program
        self.extra_env = dict(first.extra_env)
        self.process = None
        self.log_path = self.root / "program.log"
        self._app = None
        Program._live.append(self)


def kill(program):
    """End a started Program at once, as a crash or a power cut would: nothing it holds is released."""
    os.killpg(program.process.pid, signal.SIGKILL)
    program.process.wait(timeout=DEFAULT_TIMEOUT)
    print(f"killed pid {program.process.pid}", flush=True)
