#!/usr/bin/env bash
# Saves the pictures of tessor/README.md into docs/screenshots/: Tessor's
# main window connected to the pymodbus peer, the same while polling, and the
# IP address dialog after a scan of trax-sim, under a virtual X display
# (Xvfb). Not part of the tests. Everything stays on 127.0.0.1.
set -euo pipefail
cd "$(dirname "$0")/.."

# The virtual display is needed by this script only.
if ! command -v xvfb-run >/dev/null; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends xvfb xauth
fi

build=${TRAX_BUILD_DIR:-build}
cmake --build "$build" --target tessor_screenshots trax-sim
mkdir -p docs/screenshots
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/tessor_screenshots" docs/screenshots
ls -l docs/screenshots/tessor-*.png
