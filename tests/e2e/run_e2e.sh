#!/usr/bin/env bash
# Run one end-to-end test against the built program:
#   run_e2e.sh <test.py> <path-to-lgbatch> <sample-dir>
# Gives the test its own X server (Xvfb), its own D-Bus session and an accessibility bus, so that the
# program exposes its controls through AT-SPI; nothing of the caller's desktop is used or touched.
set -euo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 <test.py> <path-to-lgbatch> <sample-dir>" >&2
    exit 2
fi

test_script=$(readlink -f "$1")
LGBATCH_EXE=$(readlink -f "$2")
LGBATCH_SAMPLE_DIR=$(readlink -f "$3")
export LGBATCH_EXE LGBATCH_SAMPLE_DIR

for need in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
    if ! command -v "$need" >/dev/null; then
        echo "run_e2e.sh: $need is missing (./dev test installs what the tests need)" >&2
        exit 2
    fi
done
[[ -x $LGBATCH_EXE ]] || { echo "run_e2e.sh: program $LGBATCH_EXE not found" >&2; exit 2; }

# The program shows its Chinese texts whatever the locale; a UTF-8 locale keeps Python's output readable.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
export PYTHONDONTWRITEBYTECODE=1 PYTHONUNBUFFERED=1

# Xvfb picks a free display itself (-displayfd) and says which once it accepts connections. A number
# picked beforehand by looking at lock files can still be held by the server of the test before, which
# goes on shutting down for a moment after it was told to, and the program would then reach that one.
# -noreset: by default the server resets when its last client leaves (the accessibility launcher, a
# test's look at the root window), and a program connecting just then is turned away.
display_file=$(mktemp) x_log=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$display_file" 2>"$x_log" &
x_server=$!
stop_x_server() {
    kill "$x_server" 2>/dev/null
    wait "$x_server" 2>/dev/null
    rm -f "$display_file" "$x_log"
    return 0
}
trap stop_x_server EXIT
for _ in $(seq 1 300); do
    [[ -s $display_file ]] && break
    if ! kill -0 "$x_server" 2>/dev/null; then
        echo "run_e2e.sh: Xvfb did not start:" >&2
        cat "$x_log" >&2
        exit 2
    fi
    sleep 0.1
done
[[ -s $display_file ]] || { echo "run_e2e.sh: Xvfb named no display within 30 s" >&2; exit 2; }
DISPLAY=":$(head -n 1 "$display_file")"
export DISPLAY

status=0
dbus-run-session -- bash -c '
        set -u
        export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
        /usr/libexec/at-spi-bus-launcher --launch-immediately &
        launcher=$!
        cleanup() {
            # The launcher started the accessibility bus and its registry: end them with it.
            local kids
            kids=$(pgrep -P "$launcher" 2>/dev/null | tr "\n" " ")
            kill "$launcher" 2>/dev/null
            wait "$launcher" 2>/dev/null
            [[ -n $kids ]] && kill $kids 2>/dev/null
            return 0
        }
        trap cleanup EXIT
        sleep 1
        # Wait (at most 20 s) until the session bus can hand out the accessibility bus address.
        for _ in $(seq 1 100); do
            command -v dbus-send >/dev/null || break
            if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
                >/dev/null 2>&1; then
                break
            fi
            sleep 0.2
        done
        /usr/bin/python3 "$1" "$2" "$3"
    ' run_e2e "$test_script" "$LGBATCH_EXE" "$LGBATCH_SAMPLE_DIR" || status=$?
if [[ $status -ne 0 && -s $x_log ]]; then
    echo "--- X server ($DISPLAY) output ---" >&2
    cat "$x_log" >&2
fi
exit "$status"
