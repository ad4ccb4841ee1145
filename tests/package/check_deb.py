"""The Debian package of a build: its files and owners, its control fields, its desktop entry and
AppStream metadata validated (when desktop-file-utils and appstream are installed), its tables the
ones of the repository, and its program answering --version without a display.

Usage: check_deb.py <build-dir> <version> <sample-tables-dir>
"""

import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

APP_ID = "cn.langgangbank.lgbatch"
TABLES = ["BankCode.xml", "banktype.xml", "city.xml", "state.xml"]
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
FILES = {
    "usr/bin/lgbatch",
    f"usr/share/applications/{APP_ID}.desktop",
    f"usr/share/metainfo/{APP_ID}.metainfo.xml",
    f"usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg",
    *(f"usr/share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES),
    *(f"usr/share/lgbatch/{name}" for name in TABLES),
}
# The libraries the program links, found by dpkg-shlibdeps, and what it needs at run time besides.
DEPENDS = {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libc6", "libstdc++6",
           "qt6-qpa-plugins", "qt6-translations-l10n", "fonts-noto-cjk"}

failures = []


def check(condition, message):
    print(("ok: " if condition else "FAIL: ") + message, flush=True)
    if not condition:
        failures.append(message)


def run(*command, **kwargs):
    return subprocess.run([str(c) for c in command], check=True, capture_output=True, text=True, **kwargs).stdout


def control_fields(deb):
    fields = {}
    for line in run("dpkg-deb", "-I", deb, "control").splitlines():
        if line[:1] not in (" ", "") and ":" in line:
            key, value = line.split(":", 1)
            fields[key] = value.strip()
    return fields


def main():
    build, version, sample = Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3])
    with tempfile.TemporaryDirectory(prefix="lgbatch-deb-") as tmp:
        tmp = Path(tmp)
        run("cpack", "--config", build / "CPackConfig.cmake", "-G", "DEB", "-B", tmp / "out")
        debs = sorted((tmp / "out").glob("lgbatch_*.deb"))
        check(len(debs) == 1, f"cpack made one package: {[d.name for d in debs]}")
        deb = debs[0]

        fields = control_fields(deb)
        check(fields.get("Package") == "lgbatch" and fields.get("Version") == version,
              f"package lgbatch {version}: {fields.get('Package')} {fields.get('Version')}")
        depends = {alt.split()[0] for group in fields.get("Depends", "").split(",") for alt in group.split("|")
                   if alt.strip()}
        check(DEPENDS <= depends, f"depends on {sorted(DEPENDS)}; missing {sorted(DEPENDS - depends)}")

        listing = [line.split(None, 5) for line in run("dpkg-deb", "-c", deb).splitlines()]
        files = {entry[5].removeprefix("./") for entry in listing if entry[0].startswith("-")}
        check(files == FILES, f"holds exactly the expected files; extra {sorted(files - FILES)}, "
                              f"missing {sorted(FILES - files)}")
        check(all(entry[1] == "root/root" for entry in listing), "everything is owned by root")
        modes = {entry[5].removeprefix("./"): entry[0] for entry in listing}
        check(modes.get("usr/bin/lgbatch") == "-rwxr-xr-x", f"the program is executable: {modes.get('usr/bin/lgbatch')}")

        root = tmp / "root"
        run("dpkg-deb", "-x", deb, root)
        for name in TABLES:
            shipped = root / "usr/share/lgbatch" / name
            check(shipped.read_bytes() == (sample / name).read_bytes(), f"{name} is the repository's table")

        desktop = root / f"usr/share/applications/{APP_ID}.desktop"
        entry = dict(line.split("=", 1) for line in desktop.read_text(encoding="utf-8").splitlines() if "=" in line)
        check(entry.get("Name") == "澜港银行批量工具" and entry.get("Categories") == "Office;Finance;"
              and entry.get("Exec") == "lgbatch" and entry.get("Icon") == APP_ID,
              f"desktop entry: {entry.get('Name')}, {entry.get('Categories')}, {entry.get('Exec')}, {entry.get('Icon')}")
        validators = [("desktop-file-validate", [desktop]),
                      ("appstreamcli", ["validate", "--no-net", root / f"usr/share/metainfo/{APP_ID}.metainfo.xml"])]
        for tool, arguments in validators:
            if shutil.which(tool) is None:
                print(f"skipped: {tool} is not installed", flush=True)
                continue
            result = subprocess.run([tool, *map(str, arguments)], capture_output=True, text=True)
            check(result.returncode == 0, f"{tool} accepts it{': ' + result.stdout + result.stderr if result.returncode else ''}")

        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env["QT_QPA_PLATFORM"] = "xcb"  # a window would fail without a display
        answer = subprocess.run([root / "usr/bin/lgbatch", "--version"], capture_output=True, text=True, env=env,
                                timeout=30)
        check(answer.returncode == 0 and answer.stdout == f"澜港银行批量工具 {version}\n",
              f"the packaged program answers --version without a display: {answer.stdout!r} {answer.stderr!r}")
    print("FAIL" if failures else "PASS", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
