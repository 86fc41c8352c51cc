#!/usr/bin/env bash
# Plays the Windows game under Wine in a virtual X server the way a player would, with
# the cases tests/e2e/window_test.sh plays on the Linux game (window_cases.sh): a
# 1024 x 768 screen of 24 bits under a small window manager, the pointer and the keys
# driven with xdotool, and the pictures the Windows quelmo-sim draws for seed 0 and
# the same input to compare with.
#
#   window_test.sh WINE_RUN WINE_PREFIX QUELMO.exe QUELMO_SIM.exe
#
# Exit status 77 (skipped) only when there is no Xvfb.  With QUELMO_E2E_KEEP=1 the
# screenshots and logs are kept after a failure.
set -euo pipefail

wine_run=${1:?usage: window_test.sh WINE_RUN WINE_PREFIX QUELMO.exe QUELMO_SIM.exe}
prefix=$2 quelmo=$3
sim=("$wine_run" "$prefix" "$4")

e2e=$(cd "$(dirname "$0")/../e2e" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$e2e/xsession.sh"
# shellcheck source=tests/e2e/window_cases.sh
source "$e2e/window_cases.sh"
begin_e2e wine-e2e xdotool wmctrl openbox import convert compare
wine() { "$wine_run" "$prefix" "$@"; }

step "starting Xvfb 1024x768x24 and openbox"
start_xsession
# The Wine prefix stays where it is: only openbox keeps its files in the scratch folder.
export WINEPREFIX=$prefix
expected_pictures

# --- the game --------------------------------------------------------------------------
log=$work/frames.log
step "waiting for the window"
start_game 30 wine "$quelmo"

step "the window carries the program's icon resource"
# _NET_WM_ICON as Wine sets it from the window class: width, height, then ARGB pixels
# (Windows' large icon first).
xprop -id "$wid" -f _NET_WM_ICON 32c _NET_WM_ICON | cut -d= -f2 | tr -d ' ' | tr ',' '\n' |
  awk 'NR <= 2 { size = size " " $1; next } NR <= 2 + 32 * 32 { if (int($1 / 16777216) == 255) solid++ }
       END { print size, solid + 0 }' >"$work/icon.txt"
read -r icon_w icon_h icon_solid <"$work/icon.txt"
((icon_w == 32 && icon_h == 32 && icon_solid > 0)) ||
  fail "the window shows no 32x32 icon of the game: $(cat "$work/icon.txt")"

opening_and_menu_cases
drag_cases
close_request_cases wine taskkill /im quelmo.exe
click_cases
key_cases

# --- the command line, answered in a message box ----------------------------------------------
# dismiss_box PID: presses Return in the message box; true once the program has ended.
dismiss_box() {
  find_window && xdotool windowactivate --sync "$wid" >/dev/null 2>&1 && input key Return
  sleep 0.2
  ! kill -0 "$1" 2>/dev/null
}
for case in "0 --version" "2 --seed x"; do
  read -r expected option <<<"$case"
  step "quelmo.exe $option answers in a message box and exits with $expected"
  # shellcheck disable=SC2086  # the option's words
  wine "$quelmo" $option >"$work/box.out" 2>&1 &
  other=$!
  pids+=("$other")
  wait_until 20 "the message box" find_window
  wait_until 10 "the message box to close with Return" dismiss_box "$other"
  status=0
  wait "$other" || status=$?
  ((status == expected)) || fail "quelmo.exe $option: exit status $status, not $expected"
done
echo "PASS"
