#!/usr/bin/env bash
# The two Windows packages, tried under Wine as a user would:
# - the installer installs silently (/S) into a new Wine prefix: program, Start-menu entry and
#   uninstaller entry are there, and the installed lgbatch.exe answers --version; its silent
#   uninstall removes the program and leaves the user's own folder;
# - the portable copy, unpacked into a folder whose name has Chinese characters and a space,
#   starts on an X server (Xvfb) with the real Windows platform plugin, shows its chooser window
#   (found by its caption), which a screenshot keeps, takes its folder as its program directory
#   and ends cleanly when the window is closed.
#   smoke_packages.sh BUILD_DIR        (BUILD_DIR: build-windows, with both packages written)
set -uo pipefail

build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
setup=$build/lgbatch-$version-win64-setup.exe
portable=$build/lgbatch-$version-win64.zip
title="澜港银行批量工具"
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

failures=0
check() { # description command...
    local what=$1
    shift
    if "$@"; then
        echo "PASS   : $what"
    else
        echo "FAIL!  : $what"
        failures=$((failures + 1))
    fi
}

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export WINEPREFIX=$work/prefix
"$wine" wineboot -i >/dev/null 2>&1
wineserver -w

# --- the installer ---------------------------------------------------------------------------
drive=$WINEPREFIX/drive_c
installed="$drive/Program Files/lgbatch"
"$wine" "$setup" /S >/dev/null 2>&1
wineserver -w
check "the installer puts lgbatch.exe under Program Files" test -f "$installed/lgbatch.exe"
check "the installer puts Qt's Chinese texts beside it" test -f "$installed/translations/qtbase_zh_CN.qm"
check "the installer puts the shipped tables beside it" test -f "$installed/share/lgbatch/BankCode.xml"
check "the installer makes the Start-menu entry" \
    test -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/$title.lnk"
check "the installer registers its uninstaller" grep -q 'Uninstall\\\\lgbatch' "$WINEPREFIX/system.reg"
answer=$("$wine" "$installed/lgbatch.exe" --version 2>/dev/null | tr -d '\r')
check "the installed lgbatch.exe --version answers $version (answered: $answer)" \
    grep -q "$version" <<<"$answer"
user_dir=$(find "$drive/users" -maxdepth 4 -type d -path '*AppData/Local' | head -n 1)
mkdir -p "$user_dir/lgbatch" && echo kept >"$user_dir/lgbatch/bene.xml"
"$wine" "$installed/uninstall.exe" /S >/dev/null 2>&1
sleep 2
wineserver -w
check "the silent uninstall removes the program" test ! -e "$installed/lgbatch.exe"
check "the uninstall leaves the user's own folder" test -f "$user_dir/lgbatch/bene.xml"

# --- the portable copy -----------------------------------------------------------------------
folder="$work/便携 工具"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$portable")
program="$folder/lgbatch/lgbatch.exe"
check "the portable copy holds the tables beside lgbatch.exe" test -f "$folder/lgbatch/BankCode.xml"

display=:$((90 + RANDOM % 50))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 2
DISPLAY=$display "$wine" "$program" >"$work/portable.log" 2>&1 &
program_pid=$!
window=
for _ in $(seq 60); do
    window=$(DISPLAY=$display xdotool search --name "^$title\$" 2>/dev/null | head -n 1)
    [[ -n $window ]] && break
    sleep 1
done
check "the portable copy shows its chooser window ($title)" test -n "$window"
if [[ -n $window ]]; then
    if command -v import >/dev/null; then
        DISPLAY=$display import -window root "$build/portable-chooser.png" 2>/dev/null &&
            echo "screenshot: $build/portable-chooser.png"
    fi
    check "the portable copy takes its own folder (its lock file is there)" test -f "$folder/lgbatch/lgbatch.lock"
    DISPLAY=$display xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 2>/dev/null ||
        DISPLAY=$display xdotool key --window "$window" alt+F4
fi
ended=false
for _ in $(seq 30); do
    kill -0 "$program_pid" 2>/dev/null || { ended=true; break; }
    sleep 1
done
status=1
if $ended; then
    wait "$program_pid"
    status=$?
else
    kill "$program_pid" 2>/dev/null
fi
check "the portable copy ends cleanly when its window is closed (status $status)" test "$status" -eq 0

((failures == 0))
