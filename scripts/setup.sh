#!/usr/bin/env bash
# Installs every Debian package the suite builds, tests and demonstrates with.
# Non-interactive; installs only what is missing; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-svg-dev libgl-dev fonts-wqy-microhei
  libmodbus-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev
  python3 python3-pytest python3-pymodbus python3-serial python3-serial-asyncio mbpoll
  clang libclang-rt-14-dev
  iproute2
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
