#!/usr/bin/env bash
# The Windows game under Wine at twice the size, and in full screen, on a large virtual
# X screen (2560 x 1600, openbox) whose desktop is set to 300 %: with --scale 2 the
# window is 1280 x 960 and centred, its picture is the headless game's with every
# pixel doubled, a click at a screen point acts on the game pixel under it, and F11
# and Alt+Enter switch to full screen (the frame three times enlarged, centred on
# black) and back (the cases of window_cases.sh, which the Linux game's test plays
# too); a drag moves it by whole game pixels.  Without --scale the game takes the
# desktop's setting: three times enlarged.
#
#   scale_test.sh WINE_RUN WINE_PREFIX QUELMO.exe QUELMO_SIM.exe
#
# Exit status 77 (skipped) only when there is no Xvfb.  With QUELMO_E2E_KEEP=1 the
# screenshots and logs are kept after a failure.
set -euo pipefail

wine_run=${1:?usage: scale_test.sh WINE_RUN WINE_PREFIX QUELMO.exe QUELMO_SIM.exe}
prefix=$2 quelmo=$3
sim=("$wine_run" "$prefix" "$4")

e2e=$(cd "$(dirname "$0")/../e2e" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$e2e/xsession.sh"
# shellcheck source=tests/e2e/window_cases.sh
source "$e2e/window_cases.sh"
begin_e2e wine-scale xdotool openbox import convert compare identify
dpi_key='HKCU\Control Panel\Desktop'
old_dpi=
# The Wine prefix is the other tests' too: its scale setting goes back as it was.
restore_e2e() {
  if [[ -n $old_dpi ]]; then
    wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$((old_dpi))" /f >/dev/null 2>&1 || true
  elif [[ -n ${dpi_set:-} ]]; then
    wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true
  fi
}
wine() { "$wine_run" "$prefix" "$@"; }

step "starting Xvfb 2560x1600 and openbox"
start_xsession 2560x1600
export WINEPREFIX=$prefix
old_dpi=$(wine reg query "$dpi_key" /v LogPixels 2>/dev/null |
  awk '$1 == "LogPixels" { print $3 }') || true
dpi_set=1
wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d 288 /f >/dev/null  # 300 %

scale_pictures

log=$work/frames.log
step "waiting for the window"
start_game 30 wine "$quelmo" --scale 2
scale_cases

step "a drag on the title bar moves the window by whole game pixels"
press_and_pull 1241 337 20 12   # from game pixel (300, 8)
# Released once the window has come to rest: Wine loses a release that reaches it
# while it is still moving its X window (seen here, also before any change of the
# game's), and the button then stays down for every program under it.
wait_until 5 "the window to follow to 740,380" at "740 380 1280 960"
wait_frames 2
input mouseup 1
wait_frames 2

step "the close button ends the game with exit code 0"
close_by_button 2005 397   # game pixel (632, 8)

step "without --scale the window takes the desktop's 300 %: 1920x1440, centred"
# The game sees a desktop of 853 x 533 game pixels and centres its window at (106, 26).
QUELMO_FRAME_LOG=$log wine "$quelmo" --seed 0 >"$work/quelmo.out" 2>&1 &
game=$!
pids+=("$game")
wait_until 30 "the Quelmo window" find_window
wait_until 5 "the window at 318,78 1920x1440" at "318 78 1920 1440"
input mousemove 2215 103 click 1   # game pixel (632, 8): the close button
wait_until 10 "the game to end" game_ended
echo "PASS"
