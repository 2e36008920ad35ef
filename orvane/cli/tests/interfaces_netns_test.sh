#!/usr/bin/env bash
# Discovery on every network card. A computer with two cards, card1 and card2,
# each wired (a veth pair) to a plant network of its own with a trax-sim on it:
# module 0A behind card1, 0B behind card2, 0C behind both. One scan with the
# default destination must list 0A and 0C on card1, 0B and 0C on card2, and a
# settings request must leave through the card its module answered on.
# The computer and both plant networks are network namespaces this test makes
# (unprivileged where user namespaces are allowed), so nothing leaves the
# machine's own namespace. Skipped (77) where they cannot be made.
set -u
bin=$1
if [ -z "${TRAX_INTERFACES_NETNS:-}" ]; then
  for how in -rn -n; do
    unshare "$how" true 2>/dev/null && TRAX_INTERFACES_NETNS=1 exec unshare "$how" bash "$0" "$@"
  done
  echo "skip: cannot make a network namespace"
  exit 77
fi
# The scan below goes out of every card it finds: a namespace holding anything
# but loopback is not one this test made.
[ "$(ip -o link show 2>/dev/null | wc -l)" = 1 ] || { echo "FAIL: not in a new network namespace"; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
skip() { echo "skip: $*"; exit 77; }
fail() { echo "FAIL: $*"; for n in 1 2; do echo "--- plant $n"; cat "$work/sim$n.log"; done; exit 1; }
command -v ip >/dev/null || skip "no ip command (iproute2)"
command -v nsenter >/dev/null || skip "no nsenter"
ip link set lo up 2>/dev/null || skip "cannot configure the namespace"

module() { printf '{"mac": "02-00-00-00-00-%s", "firmwareVersion": "4.1.0.3"}' "$1"; }
own=$(readlink /proc/self/ns/net)
for n in 1 2; do
  # The plant network: a namespace kept alive by a sleeping process.
  unshare -n sleep 600 &
  holder=$!
  pids+=("$holder")
  for _ in $(seq 50); do [ "$(readlink /proc/$holder/ns/net)" != "$own" ] && break; sleep 0.05; done
  [ "$(readlink /proc/$holder/ns/net)" != "$own" ] || skip "cannot make a second network namespace"
  {
    ip link add "card$n" type veth peer name "plant$n" &&
    ip link set "plant$n" netns "$holder" &&
    ip addr add "10.78.$n.1/24" broadcast "10.78.$n.255" dev "card$n" &&
    ip link set "card$n" up &&
    nsenter -t "$holder" -n sh -c "ip link set lo up && ip addr add 10.78.$n.2/24 dev plant$n &&
                                   ip link set plant$n up"
  } 2>/dev/null || skip "cannot wire the namespaces together"
  behind=$([ "$n" = 1 ] && echo 0A || echo 0B)
  nsenter -t "$holder" -n "$bin/trax-sim" --listen 0.0.0.0:58580 --allow-non-loopback --no-scan \
    --module "$(module "$behind")" --module "$(module 0C)" --log >"$work/sim$n.log" 2>&1 &
  pids+=("$!")
done
for n in 1 2; do
  for _ in $(seq 50); do grep -q '^listening' "$work/sim$n.log" && break; sleep 0.1; done
done

# No BroadcastAddress: every card. The image makes the modules compatible.
"$bin/trax-sim" make-image --kind system --version 4.1.0.3 --size 4096 "$work/fw.bin" >/dev/null ||
  fail "no firmware image"
printf '[App]\r\nFirmwareFileName=fw.bin\r\n' >"$work/Lumen_.ini"
cli() { timeout 20 "$bin/orvane-cli" --config "$work/Lumen_.ini" "$@"; }

found=$(cli scan --json | python3 -c '
import json, sys
print(" ".join(sorted(m["mac"][-2:] + "@" + m["interface"] for m in json.load(sys.stdin))))')
[ "$found" = "0A@card1 0B@card2 0C@card1 0C@card2" ] || fail "scan found: $found"

# ReadAdvancedSettings (0x07) to a module, as trax-sim logs it.
read_advanced() { printf 'rx AA 0B 00 07 02 00 00 00 00 %s' "$1"; }
cli advanced 02-00-00-00-00-0A >/dev/null || fail "advanced 0A"
cli advanced 02-00-00-00-00-0B >/dev/null || fail "advanced 0B"
cli --interface card2 advanced 02-00-00-00-00-0C >/dev/null || fail "advanced 0C through card2"
for expect in "1 0A 1" "2 0A 0" "1 0B 0" "2 0B 1" "1 0C 0" "2 0C 1"; do
  set -- $expect
  got=$(grep -c "^$(read_advanced "$2")" "$work/sim$1.log")
  [ "$got" = "$3" ] || fail "plant $1 saw $got requests for 0$2, expected $3"
done
cli --interface card9 scan 2>/dev/null && fail "a scan through no card succeeded"
echo "ok: one scan found $found; each request left through its module's card"
