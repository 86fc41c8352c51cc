#!/usr/bin/env bash
# A gamepad plays the real window: the game with a pad made in software beside it
# (SDL's virtual joystick: quelmo-pad-game) on a virtual X screen under openbox.  The
# pad is plugged in while the game stands still, and its buttons do what the keys they
# are bound to do, as quelmo-sim draws it for those keys: Start opens the menu; pulled
# out and plugged in again, the pad still plays: the left stick and the d-pad step the
# pointer over the menu, and A presses "Neues Spiel"; the close button ends the game.
#
#   pad_test.sh QUELMO_PAD_GAME QUELMO_SIM
#
# Exit status 77 (skipped) only when there is no Xvfb.  With QUELMO_E2E_KEEP=1 the
# screenshots and logs are kept.
set -euo pipefail

pad_game=${1:?usage: pad_test.sh QUELMO_PAD_GAME QUELMO_SIM}
sim=${2:?usage: pad_test.sh QUELMO_PAD_GAME QUELMO_SIM}

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"
begin_e2e pad xdotool wmctrl openbox import convert compare

step "starting Xvfb 1024x768 and openbox"
start_xsession

# What the window must show for the keys the pad's buttons stand for.
printf 'frames 3\npress Escape\nframes 3\nshot %s\npress Down\npress Space\nframes 3\nshot %s\n' \
  "$work/sim-menu.bmp" "$work/sim-notice.bmp" | "$sim" --seed 0 --desktop 1024 768 >/dev/null
convert "$work/sim-menu.bmp" -crop 128x48+16+16 +repage "$work/menu-open.png"
convert "$work/sim-notice.bmp" -crop 160x64+240+208 +repage "$work/notice.png"

mkfifo "$work/pad"
log=$work/frames.log
QUELMO_FRAME_LOG=$log "$pad_game" --seed 0 <"$work/pad" >"$work/quelmo.out" 2>&1 &
game=$!
pids+=("$game")
exec 7>"$work/pad"
# pad LINE: a line for the pad (pad_game.cpp); press BUTTON: held for a few frames.
pad() { echo "$*" >&7; }
press() {
  pad hold "$1" 1
  wait_frames 3
  pad hold "$1" 0
  wait_frames 3
}

wait_until 10 "the Quelmo window" find_window
wait_until 10 "the first frame" grep -q '^first-present' "$log"
wait_until 5 "the game to stand still" settled

step "a pad plugged in while the game stands still: Start opens the menu"
pad plug
pad hold start 1
wait_until 5 "the menu as quelmo-sim draws it after Escape" menu_open
pad hold start 0
pointer_at 80 8 || fail "Start did not put the pointer on the menu button"

step "pulled out and plugged in again: the stick and the d-pad step, A presses"
pad unplug
wait_frames 3
pad plug
pad push lefty 1
wait_until 5 "the stick to step down to \"Neues Spiel\"" pointer_at 80 24
pad push lefty 0
wait_frames 3
press dpdown
pointer_at 80 40 || fail "the d-pad's down did not step to \"Startlevel\""
press dpup
pointer_at 80 24 || fail "the d-pad's up did not step back to \"Neues Spiel\""
press a
wait_until 5 "the notice panel as quelmo-sim draws it" region_is "$work/notice.png" 240 208 160 64

step "the close button ends the game with exit code 0"
close_by_button
[[ ! -s $work/quelmo.out ]] || fail "the pad's program complained: $(cat "$work/quelmo.out")"
echo "PASS"
