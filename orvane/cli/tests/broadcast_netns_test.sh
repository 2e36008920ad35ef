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
  ip link del "va$tag" 2>/dev/null
  ip netns del "$a" 2>/dev/null
  ip netns del "$b" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

skip() { echo "skip: $*"; exit 77; }
command -v ip >/dev/null || skip "no ip command (iproute2)"
# Every step of building the two hosts needs privileges that a build root
# (chroot) or an unprivileged container may not grant: any refusal is a skip.
ip netns add "$a" 2>/dev/null || skip "cannot create network namespaces"
ip netns add "$b" 2>/dev/null || skip "cannot create a second network namespace"
ip netns exec "$a" true 2>/dev/null || skip "cannot enter a network namespace (no /sys or /run/netns?)"
ip link add "va$tag" type veth peer name "vb$tag" 2>/dev/null || skip "no veth"
{
  ip link set "va$tag" netns "$a" &&
  ip link set "vb$tag" netns "$b" &&
  ip -n "$a" addr add 10.77.0.1/24 broadcast 10.77.0.255 dev "va$tag" &&
  ip -n "$b" addr add 10.77.0.2/24 broadcast 10.77.0.255 dev "vb$tag" &&
  ip -n "$a" link set lo up && ip -n "$b" link set lo up &&
  ip -n "$a" link set "va$tag" up &&
  ip -n "$b" link set "vb$tag" up &&
  # The limited broadcast leaves through the default route's interface.
  ip -n "$a" route add default dev "va$tag"
} 2>/dev/null || skip "cannot wire the namespaces together"

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
