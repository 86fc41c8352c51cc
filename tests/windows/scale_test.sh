#!/usr/bin/env bash
# The Windows game under Wine at twice the size, and in full screen, on a large virtual
# X screen (2560 x 1600, openbox) whose desktop is set to 300 %: with --scale 2 the
# window is 1280 x 960 and centred, its picture is the headless game's with every
# pixel doubled, a click at a screen point acts on the game pixel under it, a drag
# moves it by whole game pixels, and F11 and Alt+Enter switch to full screen (the
# frame three times enlarged, centred on black) and back.  Without --scale the game
# takes the desktop's setting: three times enlarged.
#
#   scale_test.sh WINE_RUN WINE_PREFIX QUELMO.exe QUELMO_SIM.exe
#
# Exit status 77 (skipped) only when there is no Xvfb.  With QUELMO_E2E_KEEP=1 the
# screenshots and logs are kept after a failure.
set -euo pipefail

wine_run=${1:?usage: scale_test.sh WINE_RUN WINE_PREFIX QUELMO.exe QUELMO_SIM.exe}
prefix=$2 quelmo=$3 sim=$4

e2e=$(cd "$(dirname "$0")/../e2e" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$e2e/xsession.sh"
begin_e2e wine-scale xdotool openbox import convert compare
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

# The game's pictures in game pixels, drawn by the headless game on the desktop the
# game sees at scale 2 (1280 x 800): seed 0, idle, the open menu, then "Neues Spiel".
printf 'frames 3\nshot %s\nclick 80 8\nframes 3\nshot %s\nclick 60 24\nframes 3\nshot %s\n' \
  "$work/idle.bmp" "$work/menu.bmp" "$work/notice.bmp" |
  wine "$sim" --seed 0 --desktop 1280 800 - >/dev/null
# enlarged FACTOR NAME: the picture with each pixel as a FACTOR x FACTOR block.
enlarged() { convert "$work/$2.bmp" -sample "$(($1 * 100))%" "$work/$2-x$1.png"; }
enlarged 2 idle
enlarged 2 menu
enlarged 3 menu
convert "$work/notice.bmp" -crop 160x64+240+208 +repage -sample 300% "$work/notice-x3.png"
convert "$work/notice.bmp" -crop 160x64+240+208 +repage -sample 200% "$work/notice-x2.png"

xdotool mousemove 0 0
log=$work/frames.log
QUELMO_FRAME_LOG=$log wine "$quelmo" --seed 0 --scale 2 >"$work/quelmo.out" 2>&1 &
game=$!
pids+=("$game")

# screen_is PICTURE X Y: the screen shows PICTURE with its top-left corner at (X, Y).
screen_is() {
  local size
  size=$(identify -format '%wx%h' "$1")
  import -window root -crop "$size+$2+$3" +repage "$work/now.png"
  same_image "$work/now.png" "$1"
}
key() {
  xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
  input key "$1"
}

step "waiting for the window"
wait_until 30 "the Quelmo window" find_window
wait_until 10 "the first frame" grep -q '^first-present' "$log"
wait_frames 3

step "at scale 2 the window is 1280x960, centred on the 2560x1600 screen"
wait_until 5 "the window at 640,320 1280x960" at "640 320 1280 960"
wait_until 5 "the idle frame, every pixel doubled" screen_is "$work/idle-x2.png" 640 320

step "a click on the screen acts on the game pixel under it, on either side of an edge"
# The menu button starts at game column 17: screen column 673 is still game column 16
# (beside it), 674 is game column 17.
input mousemove 673 337 click 1
wait_frames 5
screen_is "$work/idle-x2.png" 640 320 || fail "a click beside the menu button opened it"
input mousemove 674 337 click 1
wait_until 5 "the open menu, every pixel doubled" screen_is "$work/menu-x2.png" 640 320

step "F11: full screen, the frame three times enlarged, centred on black"
key F11
wait_until 10 "the window to cover the screen" at "0 0 2560 1600"
wait_until 5 "the open menu, tripled, at 320,80" screen_is "$work/menu-x3.png" 320 80
import -window root "$work/screen.png"
all_black "$work/screen.png" 0 0 2560 80 || fail "the screen above the frame is not black"
all_black "$work/screen.png" 0 0 320 1600 || fail "the screen left of the frame is not black"
all_black "$work/screen.png" 2240 0 320 1600 || fail "the screen right of the frame is not black"

step "in full screen, clicks land on the frame, and dragging the title bar moves nothing"
# Screen point (501, 153) is in the block of game pixel (60, 24): "Neues Spiel".
input mousemove 501 153 click 1
wait_until 5 "the notice panel, tripled" screen_is "$work/notice-x3.png" 1040 704
input mousemove 1300 105 mousedown 1   # game pixel (326, 8): the title bar
wait_frames 2
input mousemove 1500 305
wait_frames 3
input mouseup 1
wait_frames 2
at "0 0 2560 1600" || fail "a drag moved the full-screen window: $(geometry)"

step "F11 again: the window is back, 1280x960 at its place"
key F11
wait_until 10 "the window back at 640,320 1280x960" at "640 320 1280 960"
wait_until 5 "the notice panel, doubled" screen_is "$work/notice-x2.png" 1120 736

step "Alt+Enter switches to full screen and back too"
key alt+Return
wait_until 10 "the window to cover the screen" at "0 0 2560 1600"
key alt+Return
wait_until 10 "the window back at 640,320 1280x960" at "640 320 1280 960"

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
