#!/usr/bin/env bash
# The two Windows packages, tried under Wine as a user would:
# - the installer installs silently (/S) into a new Wine prefix: program, Start-menu entry and
#   uninstaller entry are there, and the installed lgbatch.exe answers --version; started, it
#   fills the user's own folder (%LOCALAPPDATA%\lgbatch) with the installed tables, and with
#   --dir a folder whose name has Chinese characters and a space; its silent uninstall removes
#   the program and leaves the user's own folder;
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
# An X server of its own, on the first free display (Xvfb names it).
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 20); do
    [[ -s $work/display ]] && break
    sleep 0.5
done
display=:$(head -n 1 "$work/display")
# Every Wine program of the prefix on that display, from the first: the first one starts Wine's
# desktop process, which all later windows go through.
export DISPLAY=$display
export WINEPREFIX=$work/prefix
"$wine" wineboot -i >/dev/null 2>&1
wineserver -w


# Starts the program with its arguments and waits for its chooser window: its id in $window
# (empty when none came), the program's process in $program_pid.
program_pid=
window=
start_program() {
    "$wine" "$@" >>"$work/program.log" 2>&1 &
    program_pid=$!
    window=
    for _ in $(seq 60); do
        window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1)
        [[ -n $window ]] && break
        sleep 1
    done
    if [[ -z $window ]]; then
        echo "no window titled $title; the program's windows and output:"
        xdotool search --name . getwindowname %@ 2>/dev/null
        cat "$work/program.log"
    fi
}

# Closes the window as a user does (Alt+F4) and gives the program's exit status (or 1 when it did
# not end).
close_program() { # window
    xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4 >/dev/null 2>&1 ||
        xdotool key --window "$1" alt+F4 >/dev/null 2>&1
    for _ in $(seq 30); do
        if ! kill -0 "$program_pid" 2>/dev/null; then
            wait "$program_pid"
            return
        fi
        sleep 1
    done
    kill "$program_pid" 2>/dev/null
    return 1
}

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
start_program "$installed/lgbatch.exe"
check "the installed program shows its chooser window" test -n "$window"
user_dir=$(find "$drive/users" -maxdepth 4 -type d -path '*AppData/Local' | head -n 1)
check "the installed program fills the user's own folder with its tables" test -f "$user_dir/lgbatch/BankCode.xml"
[[ -n $window ]] && close_program "$window"
named="$work/数据 目录"
start_program "$installed/lgbatch.exe" --dir "Z:${named//\//\\}"
check "--dir takes a folder whose name has Chinese characters and a space" test -f "$named/BankCode.xml"
[[ -n $window ]] && close_program "$window"
"$wine" "$installed/uninstall.exe" /S >/dev/null 2>&1
sleep 2
wineserver -w
check "the silent uninstall removes the program" test ! -e "$installed/lgbatch.exe"
check "the uninstall leaves the user's own folder" test -f "$user_dir/lgbatch/BankCode.xml"

# --- the portable copy -----------------------------------------------------------------------
folder="$work/便携 工具"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$portable")
program="$folder/lgbatch/lgbatch.exe"
check "the portable copy holds the tables beside lgbatch.exe" test -f "$folder/lgbatch/BankCode.xml"

start_program "$program"
check "the portable copy shows its chooser window ($title)" test -n "$window"
status=1
if [[ -n $window ]]; then
    if command -v import >/dev/null; then
        import -window root "$build/portable-chooser.png" 2>/dev/null &&
            echo "screenshot: $build/portable-chooser.png"
    fi
    check "the portable copy takes its own folder (its lock file is there)" test -f "$folder/lgbatch/lgbatch.lock"
    close_program "$window"
    status=$?
fi
check "the portable copy ends cleanly when its window is closed (status $status)" test "$status" -eq 0

((failures == 0))
