#!/usr/bin/env bash
# The game as a screen reader meets it: under Xvfb with a session bus and the accessibility
# bus of at-spi2-core, the real program is read and driven through AT-SPI (atspi_menu.py).
#   run_atspi.sh <program dir>
set -euo pipefail
program_dir=${1:?program dir}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${ZANTHO_ATSPI_INSIDE:-}" ]; then
    for tool in xvfb-run dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
        command -v "$tool" >/dev/null || { echo "atspi: $tool is not installed" >&2; exit 1; }
    done
    /usr/bin/python3 -c 'import pyatspi' || { echo "atspi: python3-pyatspi is not installed" >&2; exit 1; }
    export ZANTHO_ATSPI_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zantho-atspi.XXXXXX")
bus= game=
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null || true
    [ -n "$bus" ] && kill "$bus" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.txt" 2>&1 &
bus=$!
cp -a "$program_dir" "$work/game"
# Qt talks to the accessibility bus only when it is asked to or a reader is running.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb \
    "$work/game/zantho-puzzle" >"$work/game.txt" 2>&1 &
game=$!
if ! /usr/bin/python3 "$here/atspi_menu.py" 60; then
    echo "--- the game's output:"; cat "$work/game.txt"
    echo "--- the accessibility bus:"; cat "$work/bus.txt"
    exit 1
fi
