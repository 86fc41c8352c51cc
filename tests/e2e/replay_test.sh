#!/usr/bin/env bash
# Watches a recorded game in the real window (quelmo --replay) the way a player would:
# a bad recording is refused in one line; a recording plays to exactly quelmo-sim's
# last frame of it; Space holds the picture and Right steps one frame; F plays
# faster; T hands the game to the player's own pointer; the close button ends it.
#
#   replay_test.sh QUELMO QUELMO_SIM RECORDING
#
# Exit status 77 (skipped) only when there is no Xvfb.  QUELMO_E2E_KEEP=1 keeps the
# pictures and logs.
set -euo pipefail

quelmo=${1:?usage: replay_test.sh QUELMO QUELMO_SIM RECORDING}
sim=${2:?usage: replay_test.sh QUELMO QUELMO_SIM RECORDING}
recording=${3:?usage: replay_test.sh QUELMO QUELMO_SIM RECORDING}

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"
begin_e2e replay xdotool openbox import convert compare

step "a recording that changes the game behind the player's back is refused in one line"
{ head -n 2 "$recording"; echo "frames 3"; echo "set Level 5"; } >"$work/bad.sim"
status=0
env -u DISPLAY "$quelmo" --replay "$work/bad.sim" >"$work/bad.out" 2>&1 || status=$?
((status == 2)) && [[ $(wc -l <"$work/bad.out") == 1 ]] && grep -q "line 4: 'set'" "$work/bad.out" ||
  fail "a bad recording: status $status, $(cat "$work/bad.out")"

step "starting Xvfb 1024x768 and openbox"
start_xsession
log=$work/frames.log
# quelmo-sim's last frame of the recording.
(cat "$recording" && echo "shot $work/sim-last.bmp") | "$sim" >/dev/null
convert "$work/sim-last.bmp" "$work/sim-last.png"

# Starts watching the recording, and waits until its window has shown `$1` frames.
watch() {
  QUELMO_FRAME_LOG=$log "$quelmo" --replay "$recording" >"$work/quelmo.out" 2>&1 &
  game=$!
  pids+=("$game")
  wait_until 10 "the window" find_window
  wait_until 10 "a few frames" frames_at_least "$1"
}

step "Space holds the picture, Right steps one frame, Space plays on"
watch 30
input key space
wait_until 5 "the pause" settled
paused=$(frames)
shot_region "$work/paused-1.png" 0 0 640 480
sleep 0.5
shot_region "$work/paused-2.png" 0 0 640 480
same_image "$work/paused-1.png" "$work/paused-2.png" || fail "the picture moved while paused"
(($(frames) == paused)) || fail "frames ran while paused"
input key Right
wait_until 5 "one step" frames_at_least $((paused + 1))
sleep 0.3
(($(frames) == paused + 1)) || fail "Right ran $(($(frames) - paused)) frames, not one"
input key space

step "F plays faster; the end stays on quelmo-sim's last frame"
input key f key f
wait_until 20 "the recording's end" settled
shot_region "$work/last.png" 0 0 640 480
same_image "$work/last.png" "$work/sim-last.png" || fail "the last frame is not quelmo-sim's (see $work/last.png)"
recorded=$(awk '$1 == "frames" { n += $2 } $1 == "click" { n += 2 } END { print n }' "$recording")
(($(frames) == recorded)) || fail "$(frames) frames shown, the recording has $recorded"

step "the close button ends the watching with exit status 0"
close_by_button

step "T: the player's own pointer plays on"
watch 10
input key t
wait_frames 5
shot_region "$work/before-menu.png" 16 16 128 48
click_at 80 8
wait_until 5 "the player's click to open the menu" region_differs "$work/before-menu.png" 16 16 128 48
close_by_button
echo "PASS"
