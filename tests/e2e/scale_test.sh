#!/usr/bin/env bash
# The real window enlarged: on a 2560 x 1600 screen under openbox, the game at
# --scale 2 and in full screen (factor 3) shows exactly the headless game's frames
# in bigger pixels, and a click lands on the game pixel under the pointer (the cases
# of window_cases.sh, which the Windows game's test plays too); the window manager's
# full-screen command does as F11 does, and without --scale the game follows the
# desktop's scale setting.
#
#   scale_test.sh QUELMO QUELMO_SIM
#
# Exit status 77 (skipped) only when there is no Xvfb.  With QUELMO_E2E_KEEP=1 the
# screenshots and logs are kept.
set -euo pipefail

quelmo=${1:?usage: scale_test.sh QUELMO QUELMO_SIM}
sim=("${2:?usage: scale_test.sh QUELMO QUELMO_SIM}")

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"
# shellcheck source=tests/e2e/window_cases.sh
source "$here/window_cases.sh"
begin_e2e scale xdotool xprop wmctrl openbox import convert compare identify

step "starting Xvfb 2560x1600 and openbox"
start_xsession 2560x1600
log=$work/frames.log
scale_pictures

# --- the window at twice the size ---------------------------------------------------------
step "waiting for the window"
start_game 10 "$quelmo" --scale 2
scale_cases

step "the window manager's full-screen command does as F11 does"
wmctrl -i -r "$wid" -b add,fullscreen
wait_until 5 "full screen" full_screen
wait_until 5 "the frame at factor 3" screen_is "$work/idle-x3.png" 320 80
key alt+Return
wait_until 5 "the window back at 640,320" at "640 320 1280 960"
wait_until 5 "the window's picture" screen_is "$work/idle-x2.png" 640 320
# stop PID: ends a game, and waits until its window has gone (the next one found is
# the next game's).
window_gone() { ! find_window; }
stop() {
  kill "$1"
  wait_until 5 "the window to go" window_gone
}
stop "$game"

# --- the desktop's own scale ---------------------------------------------------------------
step "without --scale the game follows the desktop's Xft.dpi (192: twice), or fits"
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	192"
"$quelmo" --seed 0 >"$work/quelmo.out" 2>&1 &
pids+=($!)
wait_until 10 "the Quelmo window" find_window
wait_until 5 "the window at 1280x960" at "640 320 1280 960"
stop "$!"
# Five times would be 3200 x 2400: the largest factor that fits is 3.  The game centres
# its window on a desktop of 853 x 533 game pixels, at game point (106, 26).
"$quelmo" --seed 0 --scale 5 >"$work/quelmo.out" 2>&1 &
pids+=($!)
wait_until 10 "the Quelmo window" find_window
wait_until 5 "the window at 1920x1440" at "318 78 1920 1440"
echo "PASS"
