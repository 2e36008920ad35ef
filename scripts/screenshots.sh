#!/usr/bin/env bash
# Saves the README's pictures of the editor: starts simulated modules on
# loopback, runs the editor's screenshot tour under a virtual X display
# (Xvfb) and writes docs/screenshots/*.png. Not part of the tests.
# Everything stays on 127.0.0.1.
set -euo pipefail
cd "$(dirname "$0")/.."

# The virtual display is needed by this script only.
if ! command -v xvfb-run >/dev/null; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends xvfb xauth
fi

build=${TRAX_BUILD_DIR:-build}
cmake --build "$build" --target orvane-screenshot-tour trax-sim
bin="$build/bin"
out=docs/screenshots

# A program directory of its own, so its Lumen_.ini never points a real
# installation at loopback.
tour="$build/screenshot-tour"
mkdir -p "$tour"
cp -f "$bin/orvane-screenshot-tour" "$bin"/*.so "$bin"/*.htm "$tour"/
# The firmware file whose major version the modules are checked against.
"$bin/trax-sim" make-image --kind system --version 4.1.0.0 --size 65536 "$tour/M4-TRAX100.bin" >/dev/null

log="$tour/trax-sim.log"
"$bin/trax-sim" --listen 127.0.0.1:0 --scenario "$out/scenario.json" >"$log" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
port=
for _ in $(seq 50); do
  port=$(sed -n 's/^listening 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$log")
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "screenshots: trax-sim did not start" >&2; exit 1; }

cat >"$tour/Lumen_.ini" <<INI
[App]
ProtocolType=0
FirmwareFileName=M4-TRAX100.bin
BroadcastAddress=127.0.0.1
BroadcastPort=$port
INI

# The tour's own profile, so that the user's column widths stay untouched.
export XDG_CONFIG_HOME="$tour/config"
xvfb-run -a -s "-screen 0 1600x720x24" "$tour/orvane-screenshot-tour" "$out"
