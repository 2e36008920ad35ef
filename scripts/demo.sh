#!/usr/bin/env bash
# Sets up, builds, starts simulated modules on loopback and shows them:
# in the editor when a display is available, else with `orvane-cli scan`.
# Everything stays on 127.0.0.1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=${TRAX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
bin="$build/bin"

# The demo keeps its own program directory, so its Lumen_.ini never points a
# real installation at loopback.
demo="$build/demo"
mkdir -p "$demo"
cp -f "$bin"/orvane-cli "$bin"/*.so "$demo"/
[ -x "$bin/orvane" ] && cp -f "$bin/orvane" "$demo"/
"$bin/trax-sim" make-image --kind system --version 4.1.0.0 --size 65536 "$demo/M4-TRAX100.bin" >/dev/null

log="$demo/trax-sim.log"
"$bin/trax-sim" --listen 127.0.0.1:0 --scenario sim/trax_sim/scenarios/demo.json --log >"$log" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
port=
for _ in $(seq 50); do
  port=$(sed -n 's/^listening 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$log")
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "demo: trax-sim did not start" >&2; exit 1; }
echo "demo: trax-sim answers on 127.0.0.1:$port (frames logged to $log)"

cat >"$demo/Lumen_.ini" <<INI
[App]
ProtocolType=0
FirmwareFileName=M4-TRAX100.bin
BroadcastAddress=127.0.0.1
BroadcastPort=$port
INI

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$demo/orvane" ]; then
  "$demo/orvane"
else
  echo "demo: no display; scanning with orvane-cli"
  "$demo/orvane-cli" scan
  echo
  "$demo/orvane-cli" scan --json
fi
