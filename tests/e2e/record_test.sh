#!/usr/bin/env bash
# Records a game played in a virtual X server with xdotool and replays the recording in
# quelmo-sim with --check: the replay must end in exactly the state the game had when
# its close button was pressed.  A second game, killed in its stride, must still leave
# a recording that replays.
#
#   record_test.sh QUELMO_SIM GAME_COMMAND...
#
# GAME_COMMAND is the desktop game with any launcher before it (`wine quelmo.exe`).
# Exit status 77 (skipped) only when there is no Xvfb.  With QUELMO_E2E_KEEP=1 the
# recordings and logs are kept for a look.
set -euo pipefail

sim=${1:?usage: record_test.sh QUELMO_SIM GAME_COMMAND...}
shift
game_command=("${@:?usage: record_test.sh QUELMO_SIM GAME_COMMAND...}")

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"
begin_e2e record xdotool wmctrl openbox import convert compare

step "starting Xvfb 1024x768 and openbox"
start_xsession

record=$work/game.sim
log=$work/frames.log
QUELMO_FRAME_LOG=$log "${game_command[@]}" --record "$record" >"$work/quelmo.out" 2>&1 &
game=$!
pids+=("$game")
wait_until 20 "the Quelmo window" find_window
wait_until 10 "the first frame" frames_at_least 1
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

step "the desktop moves the window by itself"
xdotool windowmove "$wid" 150 100
moved() { [[ $(geometry) == "150 100 640 480" ]]; }
wait_until 5 "the window at 150,100" moved
wait_frames 10

step "the window dragged by its title bar"
press_and_pull 450 108 12 7   # from window point (300, 8)
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

grep -q '^window 150 100$' "$record" || fail "the recording does not say where the desktop put the window"
# The head: the options, then the format and the game that made it.
[[ $(sed -n 2p "$record") =~ ^\#\ recording\ format\ [0-9]+,\ quelmo\ [0-9]+\.[0-9]+\.[0-9]+\ [a-z]+$ ]] ||
  fail "the recording does not name its format and the game: $(sed -n 2p "$record")"
# A game in the default look says so by naming no look at all.
[[ $(head -n 1 "$record") != *--lang* && $(head -n 1 "$record") != *--marks* ]] ||
  fail "the German game's recording names a look: $(head -n 1 "$record")"

step "the recording replays to the same state"
"$sim" --check "$record" >"$work/replay.out" || fail "the replay differs from the game"
grep -q '"FlowSpeed":4' "$work/replay.out" || fail "\"Schnell\" did not act in the game"
echo "recording: $(wc -l <"$record") lines, $(wc -c <"$record") bytes, $(grep -o '"frame":[0-9]*' "$work/replay.out")"

step "a game in English with the marks, killed in its stride, leaves a recording that replays"
record=$work/cut.sim
log=$work/frames-cut.log
QUELMO_FRAME_LOG=$log "${game_command[@]}" --lang en --marks --record "$record" >"$work/quelmo-cut.out" 2>&1 &
other=$!
pids+=("$other")
wait_until 20 "the second game's window" find_window
wait_until 10 "the second game's first frame" frames_at_least 1
wait_frames 3
click_at 80 8
wait_frames 20
shot_region "$work/cut-window.png" 0 0 640 480   # the open menu, still
kill -KILL "$other"
wait "$other" 2>/dev/null || true
[[ $(tail -c 1 "$record" | od -An -c | tr -d ' ') == '\n' ]] || fail "the cut recording ends in half a line"
replayed=$( (cat "$record" && echo state) | "$sim" | grep -o '"MenuOpen":[0-9]*,' ) ||
  fail "the cut recording does not replay"
[[ $replayed == '"MenuOpen":1,' ]] || fail "the cut recording lost the click on the menu button"
[[ $(head -n 1 "$record") == "# options: "*" --lang en --marks" ]] ||
  fail "the recording does not keep the look it was played in: $(head -n 1 "$record")"
(cat "$record" && echo "shot $work/cut-replayed.bmp") | "$sim" >/dev/null
convert "$work/cut-replayed.bmp" "$work/cut-replayed.png"
same_image "$work/cut-window.png" "$work/cut-replayed.png" ||
  fail "the English window differs from its replay (see $work/cut-window.png)"

echo "PASS"
