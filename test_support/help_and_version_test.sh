#!/bin/sh
# Runs every program of the suite with --version and --help as a new user
# would: in an empty directory, without a settings file and without a display.
# Each must answer at once on standard output with exit status 0, the version
# line naming the build's one version, and must neither open a socket or a
# terminal, nor open a settings file, nor write a file, nor start another
# program (strace watches that where it can run). The run keeps off every
# network when the system lets it make a network namespace of its own.
# usage: help_and_version_test.sh VERSION PROGRAM...
set -u
if [ -z "${TRAX_OWN_NETNS:-}" ] && unshare -rn true 2>/dev/null; then
  TRAX_OWN_NETNS=1 exec unshare -rn sh "$0" "$@"
fi
version=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
watch=
if strace -f -qq -o /dev/null true 2>/dev/null; then
  watch=1
else
  echo "note: strace cannot run here: only the answers are checked"
fi
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for program in "$@"; do
  name=$(basename "$program")
  before=$failures
  for option in --version --help; do
    timeout -k 5 30 "$program" "$option" >out 2>err
    rc=$?
    [ "$rc" -eq 0 ] || fail "$name $option: exit status $rc: $(head -c 300 err)"
    if [ "$option" = --version ]; then
      [ "$(cat out)" = "$name $version" ] || fail "$name --version printed \"$(head -c 200 out)\", not \"$name $version\""
    else
      grep -q -- "$name" out || fail "$name --help: no usage naming the program on standard output"
    fi
    [ -n "$watch" ] || continue
    # The leak checker cannot run under a tracer; the untraced run above had it.
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
      timeout -k 5 30 strace -f -qq -e trace=execve,socket,openat -o trace "$program" "$option" >/dev/null 2>&1
    [ "$(grep -c 'execve(' trace)" -le 1 ] || fail "$name $option started another program"
    if grep -E 'socket\(|openat\(.*(O_WRONLY|O_RDWR|O_CREAT|\.ini"|\.json")' trace >touched; then
      fail "$name $option touched: $(head -n 3 touched)"
    fi
  done
  [ "$failures" -eq "$before" ] && echo "$name: answers --version and --help"
done
[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
