#!/usr/bin/env bash
# Sets up the machine, builds the suite and runs every test: first a normal
# build, then one with the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test

run_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON "$@"
  cmake --build "$dir"
  ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
}

run_build build
if [ "${TRAX_SKIP_SANITIZE:-0}" != 1 ]; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    CC=clang CXX=clang++ run_build build-sanitize -DTRAX_SANITIZE=ON -DTRAX_FUZZ=ON -DTRAX_BUILD_GUI=OFF
fi
echo "test.sh: all tests passed"
