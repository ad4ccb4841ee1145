#!/usr/bin/env bash
# Runs a program of the Windows build under Wine: CTest's emulator for the cross-built tests, and
# a way to start the Windows program by hand:
#   tools/wine-run.sh build-windows/bin/lgbatch.exe --version
# WINEPREFIX and WINEDEBUG come from the caller, and the folders of the DLLs (Qt's, MinGW's) as
# LGBATCH_WINE_DLL_DIRS=dir:dir:...; the Windows build's tests set them. With LGBATCH_QTEST_OUTPUT=1 a QtTest program writes its report to a file
# (-o FILE,txt), which is then printed: Wine's console output of such a program is not reliable.
set -uo pipefail

if (($# < 1)); then
    echo "usage: $0 PROGRAM.exe [ARGUMENTS...]" >&2
    exit 2
fi
exe=$1
shift

wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine || true)
if [[ -z $wine ]]; then
    echo "wine-run: Wine is not installed (Debian package wine64)" >&2
    exit 2
fi
export WINEDEBUG=${WINEDEBUG:--all}
if [[ -n ${LGBATCH_WINE_DLL_DIRS:-} ]]; then
    # Wine maps the Unix root to drive Z:.
    winepath=
    IFS=: read -ra dirs <<<"$LGBATCH_WINE_DLL_DIRS"
    for dir in "${dirs[@]}"; do
        winepath+="${winepath:+;}Z:${dir//\//\\}"
    done
    export WINEPATH=$winepath
fi

if [[ ${LGBATCH_QTEST_OUTPUT:-0} != 1 ]]; then
    exec "$wine" "$exe" "$@"
fi

report=$(mktemp --suffix=.txt)
trap 'rm -f "$report"' EXIT
"$wine" "$exe" "$@" -o "Z:${report//\//\\},txt" </dev/null
status=$?
cat "$report"
# A test program that died before writing its report must not pass for one with no failures.
if ((status == 0)) && ! grep -q '^Totals: ' "$report"; then
    echo "wine-run: $exe ended without a test report" >&2
    status=1
fi
exit "$status"
