#!/usr/bin/env bash
# The Windows quelmo-sim under Wine reports the same states and draws the same frames,
# byte for byte, as the Linux one, on the reference scenes and on a long script of
# random play:
#   sim_match_test.sh LINUX_SIM WINE_RUN WINE_PREFIX WINDOWS_SIM SCENE.sim...
# Exit status 77 (skipped) when the Linux quelmo-sim has not been built.
set -euo pipefail
linux_sim=$1 wine_run=$2 prefix=$3 windows_sim=$4
shift 4
if [[ ! -x $linux_sim ]]; then
  echo "SKIPPED: no Linux quelmo-sim at $linux_sim (build the release preset first)"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/quelmo-sim-match.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A long game of random clicks, drags and waits over the whole window (the menu and
# its levels, the field, "Schnell", "O K"), with the state reported every few steps;
# the close button is left out, so the script plays to its end.
awk 'BEGIN {
  srand(20261208)
  print "click 30 8"; print "click 30 24"
  for (i = 0; i < 1500; i++) {
    x = int(rand() * 640); y = int(rand() * 480)
    if (y < 16 && x >= 608) x = 300
    r = rand()
    if (r < 0.5) print "click " x " " y
    else if (r < 0.6) { print "mouse " x " " y; print "down"; print "frames 3"
                        print "mouse " int(rand() * 640) " " int(rand() * 16); print "frames 2"
                        print "up" }
    else if (r < 0.7) print "mouse " x " " y
    else print "frames " int(rand() * 60)
    if (i % 10 == 0) print "state"
  }
  print "state"
}' >"$work/fuzz.sim"

status=0
for script in "$@" "$work/fuzz.sim"; do
  name=$(basename "$script" .sim)
  for side in linux windows; do
    { cat "$script"; echo "state"; echo "shot $work/$name.$side.bmp"; } >"$work/$name.$side.sim"
  done
  "$linux_sim" "$work/$name.linux.sim" >"$work/$name.linux.out"
  # The Windows program reads its script from standard input: no path to translate.
  "$wine_run" "$prefix" "$windows_sim" - <"$work/$name.windows.sim" >"$work/$name.windows.out"
  if ! cmp -s "$work/$name.linux.out" "$work/$name.windows.out"; then
    echo "FAIL: $name: the state reports differ"
    diff <(tr ',' '\n' <"$work/$name.linux.out") <(tr ',' '\n' <"$work/$name.windows.out") | head -n 10
    status=1
  elif ! cmp -s "$work/$name.linux.bmp" "$work/$name.windows.bmp"; then
    echo "FAIL: $name: the last frames differ"
    status=1
  else
    echo "same: $name ($(wc -l <"$work/$name.linux.out") state reports)"
  fi
done
exit "$status"
