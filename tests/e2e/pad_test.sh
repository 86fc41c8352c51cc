#!/usr/bin/env bash
# A gamepad made in software (quelmo-pad-game) plays the real window under openbox,
# plugged in while the game stands still, out and in again: its buttons and stick do
# what the keys they are bound to do, as quelmo-sim draws it for those keys.
#
#   pad_test.sh QUELMO_PAD_GAME QUELMO_SIM      (77: skipped, there is no Xvfb)
set -euo pipefail

pad_game=${1:?usage: pad_test.sh QUELMO_PAD_GAME QUELMO_SIM}
sim=("${2:?usage: pad_test.sh QUELMO_PAD_GAME QUELMO_SIM}")

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"
# shellcheck source=tests/e2e/window_cases.sh
source "$here/window_cases.sh"
begin_e2e pad xdotool wmctrl openbox import convert compare

step "starting Xvfb 1024x768 and openbox"
start_xsession
expected_pictures

# The pad's lines (pad_game.cpp) go through a pipe.
mkfifo "$work/pad"
exec 7<>"$work/pad"
pad() { echo "$*" >&7; }
# press BUTTON: held for a few frames.
press() { pad hold "$1" 1 && wait_frames 3 && pad hold "$1" 0 && wait_frames 3; }
log=$work/frames.log
start_game 10 "$pad_game" "$work/pad"
wait_until 5 "the game to stand still" settled

step "a pad plugged in while the game stands still: Start opens the menu"
pad plug
pad hold start 1
wait_until 5 "the menu as quelmo-sim draws it for Escape" \
  region_is "$work/keys-menu-open.png" 16 16 128 48
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
wait_until 5 "the notice panel as quelmo-sim draws it" notice_is "$work/keys-notice.bmp"

step "the close button ends the game with exit code 0"
close_by_button
[[ ! -s $work/quelmo.out ]] || fail "the pad's program complained: $(cat "$work/quelmo.out")"
echo "PASS"
