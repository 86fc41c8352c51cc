#!/usr/bin/env bash
# Records a game played in a virtual X server with xdotool and replays the recording in
# quelmo-sim with --check: the replay must end in exactly the state the game had when
# its close button was pressed.  A second game, killed in its stride, must still leave
# a recording that replays.
#
#   record_test.sh QUELMO QUELMO_SIM
#
# Exit status 77 (skipped) only when there is no Xvfb.  With QUELMO_E2E_KEEP=1 the
# recordings and logs are kept for a look.
set -euo pipefail

quelmo=${1:?usage: record_test.sh QUELMO QUELMO_SIM}
sim=${2:?usage: record_test.sh QUELMO QUELMO_SIM}

if ! command -v Xvfb >/dev/null; then
  echo "SKIPPED: Xvfb is not installed (tools/install-deps.sh installs it)"
  exit 77
fi
for tool in xdotool wmctrl openbox; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/install-deps.sh installs it)"; exit 1; }
done

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/quelmo-record.XXXXXX")
cleanup() {
  local status=$?
  end_processes
  if ((status != 0)) && [[ -f $work/quelmo.out ]]; then cat "$work/quelmo.out"; fi
  if [[ -n ${QUELMO_E2E_KEEP:-} ]]; then echo "kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

step "starting Xvfb 1024x768 and openbox"
start_xsession

log=$work/frames.log
record=$work/game.rec
QUELMO_FRAME_LOG=$log "$quelmo" --record "$record" >"$work/quelmo.out" 2>&1 &
game=$!
pids+=("$game")
wait_until 10 "the Quelmo window" find_window
wait_until 10 "the first frame" grep -q '^first-present' "$log"
wait_frames 3
# cell C R: the desktop point in the middle of board cell (C, R).
cell() { desk $((32 * $1 + 16)) $((32 * $2 + 16)); }

step "menu, \"Neues Spiel\", the level's setup"
click_at 80 8
wait_frames 3
click_at 60 24
sleep 5   # the setup lasts 200 frames

step "pieces laid with clicks and with the button held"
for c in 4 5 6; do
  # shellcheck disable=SC2046
  input mousemove $(cell "$c" 12) click 1
  wait_frames 3
done
# shellcheck disable=SC2046
input mousemove $(cell 9 13) mousedown 1
wait_frames 20
for c in 10 11 12; do
  # shellcheck disable=SC2046
  input mousemove $(cell "$c" 13)
  wait_frames 10
done
input mouseup 1
wait_frames 3

step "the window dragged by its title bar"
# shellcheck disable=SC2046
input mousemove $(desk 300 8) mousedown 1
wait_frames 2
for i in 1 2 3 4 5; do
  input mousemove $((492 + 12 * i)) $((152 + 7 * i))
  wait_frames 1
done
input mouseup 1
wait_frames 3

step "the countdown runs out, \"Schnell\""
# The recording is whole after every frame: replaying it so far tells how the game
# stands.  The first level counts down 30 seconds.
water_flows() { (cat "$record" && echo state) | "$sim" | grep -q '"FlowStep":[0-9]'; }
wait_until 45 "the water to flow" water_flows
click_at 592 64
wait_frames 60

step "the close button"
click_at 632 8
wait_until 5 "the game to end" bash -c "! kill -0 $game 2>/dev/null"
status=0
wait "$game" || status=$?
((status == 0)) || fail "exit code $status after the close button"
[[ $(tail -n 2 "$record" | head -n 1) == state && $(tail -n 1 "$record") == '# state {'* ]] ||
  fail "the recording does not end with the state: $(tail -n 3 "$record")"

step "the recording replays to the same state"
"$sim" --check "$record" >"$work/replay.out" || fail "the replay differs from the game"
grep -q '"FlowSpeed":4' "$work/replay.out" || fail "\"Schnell\" did not act in the game"
echo "recording: $(wc -l <"$record") lines, $(wc -c <"$record") bytes, $(grep -o '"frame":[0-9]*' "$work/replay.out")"

step "a game killed in its stride leaves a recording that replays"
cut=$work/cut.rec
QUELMO_FRAME_LOG=$log.2 "$quelmo" --record "$cut" >"$work/quelmo-cut.out" 2>&1 &
other=$!
pids+=("$other")
wait_until 10 "the second game's first frame" grep -qs '^first-present' "$log.2"
wait_until 10 "the second game's window" find_window
click_at 80 8
sleep 1
kill -KILL "$other"
wait "$other" 2>/dev/null || true
shown=$(grep -c '^frame' "$log.2" || true)
replayed=$( (cat "$cut"; echo state) | "$sim" | grep -o '"frame":[0-9]*' | cut -d: -f2)
((replayed >= shown - 2 && replayed <= shown)) ||
  fail "the cut recording replays $replayed frames of the $shown shown"

echo "PASS"
