#!/usr/bin/env bash
# Plays the Windows game under Wine in a virtual X server the way a player would, as
# tests/e2e/window_test.sh does with the Linux game: a 1024 x 768 screen of 24 bits
# under a small window manager, the pointer moved and clicked with xdotool.
#
#   window_test.sh WINE_RUN WINE_PREFIX QUELMO.exe QUELMO_SIM.exe
#
# The pictures the window shows must be exactly those the Windows quelmo-sim draws
# for seed 0 and the same clicks.  Exit status 77 (skipped) only when there is no
# Xvfb.  With QUELMO_E2E_KEEP=1 the screenshots and logs are kept after a failure.
set -euo pipefail

wine_run=${1:?usage: window_test.sh WINE_RUN WINE_PREFIX QUELMO.exe QUELMO_SIM.exe}
prefix=$2 quelmo=$3 sim=$4

e2e=$(cd "$(dirname "$0")/../e2e" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$e2e/xsession.sh"
begin_e2e wine-e2e xdotool wmctrl openbox import convert compare
wine() { "$wine_run" "$prefix" "$@"; }

step "starting Xvfb 1024x768x24 and openbox"
start_xsession
# The Wine prefix stays where it is: only openbox keeps its files in the scratch folder.
export WINEPREFIX=$prefix

# What the window must show, drawn by the headless game: seed 0, the pointer at the
# desktop's corner (where the real one starts too), then the menu and "Neues Spiel".
printf 'frames 3\nshot %s\nclick 80 8\nframes 3\nshot %s\nclick 60 24\nframes 3\nshot %s\n' \
  "$work/sim-idle.bmp" "$work/sim-menu.bmp" "$work/sim-notice.bmp" |
  wine "$sim" --seed 0 --desktop 1024 768 - >/dev/null
convert "$work/sim-idle.bmp" "$work/idle.png"
convert "$work/sim-menu.bmp" "$work/menu.png"
convert "$work/sim-menu.bmp" -crop 128x48+16+16 +repage "$work/menu-open.png"
convert "$work/sim-idle.bmp" -crop 128x48+16+16 +repage "$work/menu-closed.png"
convert "$work/sim-notice.bmp" -crop 160x64+240+208 +repage "$work/notice.png"

# --- the game --------------------------------------------------------------------------
xdotool mousemove 0 0
log=$work/frames.log
QUELMO_FRAME_LOG=$log wine "$quelmo" --seed 0 >"$work/quelmo.out" 2>&1 &
game=$!
pids+=("$game")


step "waiting for the window"
wait_until 30 "the Quelmo window" find_window
wait_until 10 "the first frame" grep -q '^first-present' "$log"
wait_frames 3

step "geometry: 640x480 at (192, 144)"
wait_until 5 "the window at 192,144 640x480" at "192 144 640 480"

step "the window carries the program's icon resource"
# _NET_WM_ICON as Wine sets it from the window class: width, height, then ARGB pixels
# (Windows' large icon first).
xprop -id "$wid" -f _NET_WM_ICON 32c _NET_WM_ICON | cut -d= -f2 | tr -d ' ' | tr ',' '\n' |
  awk 'NR <= 2 { size = size " " $1; next } NR <= 2 + 32 * 32 { if (int($1 / 16777216) == 255) solid++ }
       END { print size, solid + 0 }' >"$work/icon.txt"
read -r icon_w icon_h icon_solid <"$work/icon.txt"
((icon_w == 32 && icon_h == 32 && icon_solid > 0)) ||
  fail "the window shows no 32x32 icon of the game: $(cat "$work/icon.txt")"

step "the idle frame is the headless game's, pixel for pixel"
wait_until 5 "the idle frame" region_is "$work/idle.png" 0 0 640 480

step "a click on the menu button opens the menu as the headless game draws it"
click_at 80 8
wait_until 5 "the open menu" region_is "$work/menu.png" 0 0 640 480

step "\"Neues Spiel\" shows the notice panel as the headless game draws it"
click_at 60 24
wait_until 5 "the notice panel" region_is "$work/notice.png" 240 208 160 64
wait_until 5 "the menu to close" menu_closed

# --- dragging the window by its title bar ----------------------------------------------------
step "press, move and release on the title bar moves the window by the pointer's offset"
press_and_pull 492 152 10 6   # from window point (300, 8)
wait_until 5 "the window to follow to 242,174" at "242 174 640 480"
input mousemove 392 252
wait_until 5 "the window to follow back to 92,244" at "92 244 640 480"
input mouseup 1
wait_frames 3
input mousemove 700 500
wait_frames 5
at "92 244 640 480" || fail "the window moved after the button was released: $(geometry)"
wait_until 5 "the title bar to be drawn at the new place" menu_closed

# --- the desktop's close requests --------------------------------------------------------------
step "close requests from the desktop leave the game running"
wine taskkill /im quelmo.exe >/dev/null 2>&1
wait_until 5 "the close request (taskkill) to reach the game" grep -q '^close-request' "$log"
wmctrl -i -c "$wid"
wait_until 5 "the second close request (window manager)" close_requests_at_least 2
wait_frames 10
game_alive || fail "the game ended after a close request"
find_window || fail "the window went away after a close request"

# --- short clicks ------------------------------------------------------------------------------
step "a click of 3 ms acts exactly once"
notice_gone() { ! region_is "$work/notice.png" 240 208 160 64; }
wait_until 20 "the level's setup to end" notice_gone
short_clicks_act_once

# --- the close button --------------------------------------------------------------------------
step "the close button ends the game with exit code 0"
close_by_button

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
