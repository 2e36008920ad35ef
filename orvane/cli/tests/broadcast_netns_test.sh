#!/usr/bin/env bash
# The real broadcast path: orvane-cli scan with its default destination,
# 255.255.255.255:58580, reaching trax-sim on another host. Both hosts are
# network namespaces joined by a veth pair that this test creates, so nothing
# leaves the machine's own namespace. Skipped (77) where namespaces cannot be made.
set -u
bin=$1
scenario=$2
tag=$$
a=trxa$tag b=trxb$tag
work=$(mktemp -d)

cleanup() {
  [ -n "${sim_pid:-}" ] && kill "$sim_pid" 2>/dev/null
  ip netns del "$a" 2>/dev/null
  ip netns del "$b" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$a" 2>/dev/null || { echo "skip: cannot create network namespaces"; exit 77; }
ip netns add "$b" || exit 77
ip link add "va$tag" type veth peer name "vb$tag" || { echo "skip: no veth"; exit 77; }
ip link set "va$tag" netns "$a"
ip link set "vb$tag" netns "$b"
ip -n "$a" addr add 10.77.0.1/24 broadcast 10.77.0.255 dev "va$tag"
ip -n "$b" addr add 10.77.0.2/24 broadcast 10.77.0.255 dev "vb$tag"
for ns in "$a" "$b"; do ip -n "$ns" link set lo up; done
ip -n "$a" link set "va$tag" up
ip -n "$b" link set "vb$tag" up
# The limited broadcast leaves through the default route's interface.
ip -n "$a" route add default dev "va$tag"

ip netns exec "$b" "$bin/trax-sim" --listen 0.0.0.0:58580 --allow-non-loopback --no-scan \
  --scenario "$scenario" --log >"$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do grep -q '^listening' "$work/sim.log" && break; sleep 0.1; done

printf '[App]\r\n' >"$work/Lumen_.ini"   # no BroadcastAddress: the real default
out=$(ip netns exec "$a" timeout 20 "$bin/orvane-cli" --config "$work/Lumen_.ini" scan)
status=$?
echo "$out"
[ $status -eq 0 ] || { echo "FAIL: orvane-cli exited $status"; exit 1; }
grep -q '^rx AA 05 00 01 AE$' "$work/sim.log" || { echo "FAIL: no discovery seen"; exit 1; }
rows=$(printf '%s\n' "$out" | grep -c '^00\.11\.22\.33\.44\.5')
[ "$rows" -ge 5 ] || { echo "FAIL: expected the scenario's modules, got $rows rows"; exit 1; }
echo "ok: $rows modules found through 255.255.255.255"
