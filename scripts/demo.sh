#!/usr/bin/env bash
# The whole suite against the simulators: trax-sim with modules in every
# state (some serving Modbus TCP), plc-sim behind COM5, and a program
# directory of the demo's own that points everything at loopback. The editor
# when a display is available, else a scripted tour with orvane-cli and
# tessor-cli.
# Nothing leaves 127.0.0.0/8. Builds only the programs it runs, without the
# test tools (scripts/setup.sh demo).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh demo

build=${TRAX_BUILD_DIR:-build-demo}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
targets=(orvane-cli tessor-cli trax-sim plc_sim Wirelet Tethra trax_program_directory)
for gui in orvane tessor; do
  cmake --build "$build" --target help | grep -q "^$gui:" && targets+=("$gui")
done
cmake --build "$build" --target "${targets[@]}"

# The demo's own program directory, so that its loopback Lumen_.ini never
# stands in a real installation.
demo="$build/demo"
rm -rf "$demo"
cp -a "$build/bin" "$demo"
cli="$demo/orvane-cli"

# write_settings PORT SCAN_PORT MODBUS_PORT: the demo's Lumen_.ini and
# Tessor's Config.ini, every destination on trax-sim at 127.0.0.1. Written
# before anything starts, so that no program of the demo (nor one started from
# its directory after a failed start) finds a destination of the copied build
# tree, and again with the ports trax-sim took.
write_settings() {
  cat >"$demo/Lumen_.ini" <<INI
[App]
ProtocolType=0
PortCom=5
FirmwareFileName=M4-TRAX100.bin
BroadcastAddress=127.0.0.1
BroadcastPort=$1
INI
  # Tessor's Config.ini: the one that travels with it, whose data exchange
  # settings make Tessor take the editor's hand-off (a file without them opens
  # on Tessor's defaults), with the port and the scan pointed at trax-sim.
  mkdir -p "$demo/ORVANETEST"
  sed -e "s/^ScanAddress=.*\r\$/ScanAddress=127.0.0.1\r/" -e "s/^ScanPort=.*\r\$/ScanPort=$2\r/" \
    -e "s/^\[MODBUSTCPIP\]\r\$/[MODBUSTCPIP]\r\nPort=$3\r/" tessor/gui/Config.ini >"$demo/ORVANETEST/Config.ini"
}
write_settings 58580 28784 1502

pids=()
stop_simulators() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap stop_simulators EXIT

# wait_for FILE PATTERN: the first match of a sed pattern printed to FILE.
wait_for() {
  local found=
  for _ in $(seq 50); do
    found=$(sed -n "$2" "$1" | head -n 1)
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || { echo "demo: no answer in $1" >&2; exit 1; }
  echo "$found"
}

# Its modules serve Modbus TCP on their own addresses 127.0.0.N, all on port
# 1502, which Tessor's Config.ini names: the editor's test command (Ctrl+T)
# hands Tessor a module's address, and Tessor reads it there.
"$demo/trax-sim" --listen 127.0.0.1:0 --keep-modbus-ports --scenario sim/trax_sim/scenarios/demo.json --log \
  >"$demo/trax-sim.log" 2>&1 &
pids+=($!)
port=$(wait_for "$demo/trax-sim.log" 's/^listening 127\.0\.0\.1:\([0-9]*\)$/\1/p')
scan_port=$(wait_for "$demo/trax-sim.log" 's/^scan-listening 127\.0\.0\.1:\([0-9]*\)$/\1/p')
modbus_port=$(wait_for "$demo/trax-sim.log" 's/^modbus-listening 127\.0\.0\.11:\([0-9]*\) .*$/\1/p')
"$demo/plc-sim" --scenario sim/plc_sim/scenarios/demo.json >"$demo/plc-sim.log" 2>&1 &
pids+=($!)
pty=$(wait_for "$demo/plc-sim.log" 's/^pty: \(.*\)$/\1/p')
export TRAX_COM5=$pty
echo "demo: trax-sim on 127.0.0.1:$port (scan 127.0.0.1:$scan_port, Modbus TCP on 127.0.0.N:$modbus_port, frames in $demo/trax-sim.log)"
echo "demo: plc-sim on $pty = COM5"

write_settings "$port" "$scan_port" "$modbus_port"

step() { printf '\n== %s\n' "$*"; }
tour() {
  local mac=00-11-22-33-44-55
  step "scan"; "$cli" scan
  step "basic settings of $mac"; "$cli" basic "$mac"
  step "peer table of $mac"; "$cli" peers "$mac"
  step "firmware upgrade of $mac"; "$cli" upgrade "$mac" --yes
  # The CSV file is in code page 936, as the editor writes it.
  step "export to $demo/modules.csv"; "$cli" export "$demo/modules.csv" && iconv -f GBK -t UTF-8 "$demo/modules.csv"
  step "scan through the PLC on COM5"; "$cli" --serial COM5 scan
  local tessor=("$demo/tessor-cli" --config "$demo/ORVANETEST/Config.ini")
  step "Tessor's module scan"; "${tessor[@]}" scan
  step "holding registers R0-R11 of module 1 (127.0.0.11), Modbus TCP"
  "${tessor[@]}" --host 127.0.0.11 read R0 10
  step "polling R0-R3, five cycles 200 ms apart"; "${tessor[@]}" --host 127.0.0.11 poll R0 4 --interval 200 --cycles 5
}

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$demo/orvane" ]; then
  "$demo/orvane"
else
  echo "demo: no display; a tour with orvane-cli and tessor-cli"
  tour
  echo
  echo "demo: done"
fi
