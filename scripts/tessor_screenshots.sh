#!/bin/sh
# Saves Tessor's screenshots into docs/ under a virtual X server (Xvfb): the
# main window connected to the pymodbus peer, polling, and the IP address
# dialog after a scan of trax-sim. Everything stays on loopback.
# usage: scripts/tessor_screenshots.sh [BUILD_DIR]   (default: build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
command -v xvfb-run >/dev/null || { echo "xvfb-run missing: scripts/setup.sh installs xvfb" >&2; exit 1; }
cmake --build "$build" --target tessor_screenshots trax-sim
mkdir -p "$root/docs"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/tessor_screenshots" "$root/docs"
ls -l "$root/docs"/tessor-*.png
