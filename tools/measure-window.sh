#!/usr/bin/env bash
# Measures the real window under Xvfb (1024 x 768, openbox), with the release build:
#
#   - time from starting the program to its first presented frame
#   - still: the game on its open menu with the pointer away from the window, 10 s:
#     wake-ups a second (voluntary context switches of all its threads) and processor
#     time, and the X server's processor time
#   - a click after the still stretch: how soon after the game woke for it its first
#     frame is shown, and that the click shut the menu
#   - moving: a level's setup and countdown, 10 s: wake-ups a second, processor time,
#     and the median, 99th percentile and longest frame period
#   - the floor beside them: a program that only wakes once a frame with the game's
#     pacing (quelmo-pacing-probe), 10 s, the same figures
#   - peak resident memory of the whole run
#
#   tools/measure-window.sh [--screenshot FILE]
#
# QUELMO_BINARY=PATH measures another build of the game (an older one, to compare)
# with the same steps.  QUELMO_SCALE=N measures the game at --scale N, on a screen N
# times as large (the window stays where it is in game pixels).
# With --screenshot the window is also photographed in a level with a few pieces laid
# (for the README: docs/window.png).  The frame periods come from the window backend's
# opt-in frame log (QUELMO_FRAME_LOG), which the game itself never reads.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

screenshot=
if [[ ${1:-} == --screenshot ]]; then
  screenshot=$(realpath -m "${2:?--screenshot needs a file name}")
elif [[ $# -gt 0 ]]; then
  echo "usage: tools/measure-window.sh [--screenshot FILE]" >&2
  exit 2
fi

tools/install-deps.sh
cmake --preset release -DQUELMO_TESTS=ON >/dev/null  # the pacing probe lives with the tests
cmake --build --preset release --target quelmo quelmo-pacing-probe >/dev/null
build=$root/build/release

# shellcheck source=tests/e2e/xsession.sh
source "$root/tests/e2e/xsession.sh"
# shellcheck source=tools/measure-common.sh
source "$root/tools/measure-common.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/quelmo-measure.XXXXXX")
trap 'end_processes; rm -rf "$work"' EXIT
factor=${QUELMO_SCALE:-1}
start_xsession "$((1024 * factor))x$((768 * factor))"
log=$work/frames.log
scale_args=()
((factor == 1)) || scale_args=(--scale "$factor")  # an older build knows no --scale
# game_click X Y: a click at game point (X, Y) of the window.
game_click() { click_at $((factor * $1)) $((factor * $2)); }

# measure_10s PID: wake-ups and processor time of PID and of the X server over 10 s,
# as "wakes_per_second cpu_percent x_cpu_percent".
measure_10s() {
  local w0 c0 x0 w1 c1 x1
  w0=$(wakes "$1") c0=$(cpu_ns "$1") x0=$(cpu_ns "$xvfb_pid")
  t0=$(date +%s%N)
  sleep 10
  w1=$(wakes "$1") c1=$(cpu_ns "$1") x1=$(cpu_ns "$xvfb_pid")
  t1=$(date +%s%N)
  echo "$(per_second $((w1 - w0))) $(percent $((c1 - c0))) $(percent $((x1 - x0)))"
}

step "starting the game"
start_ns=$(date +%s%N)
QUELMO_FRAME_LOG=$log /usr/bin/time -f '%M' -o "$work/rss.txt" \
  "${QUELMO_BINARY:-$build/programs/quelmo/quelmo}" "${scale_args[@]}" &
timer=$!
pids+=("$timer")
wait_until 10 "the window" find_window
wait_until 10 "the first frame" grep -q '^first-present' "$log"
startup_ms=$(startup_ms "$start_ns")
game=$(pgrep -P "$timer" -x quelmo)

step "still 10 s: the menu open, the pointer away from the window"
wait_frames 10
game_click 80 8
wait_frames 10
shot_region "$work/menu-open.png" 16 16 128 48
input mousemove 5 5
wait_frames 10
sleep 1
frames_before=$(frames)
read -r still_wakes still_cpu still_x <<<"$(measure_10s "$game")"
still_frames=$(($(frames) - frames_before))

step "a click on the menu button after the still stretch"
lines_before=$(wc -l <"$log")
# shellcheck disable=SC2046
xdotool mousemove --sync $(desk $((factor * 80)) $((factor * 8))) click 1
wait_frames 4
# The wake that the pointer's arrival brought, and the first frame after it.
read -r wake_ns first_ns <<<"$(tail -n +$((lines_before + 1)) "$log" |
  awk '/^wake/ && !w { w = $2 } /^frame/ && w && !f { f = $2 } END { print w, f }')"
click_ms=$(awk -v a="$wake_ns" -v b="$first_ns" 'BEGIN { printf "%.2f", (b - a) / 1e6 }')
region_differs "$work/menu-open.png" 16 16 128 48 || fail "the click after the still stretch did not shut the menu"
game_click 80 8
wait_frames 3
step "moving 10 s: a level's setup and countdown"
game_click 60 24  # "Neues Spiel"
wait_frames 20
first_frame=$(frames)
read -r moving_wakes moving_cpu moving_x <<<"$(measure_10s "$game")"
last_frame=$(frames)
frame_periods "$first_frame" "$last_frame" "$work/periods.txt"
read -r median p99 longest <<<"$(stats "$work/periods.txt")"
periods=$(wc -l <"$work/periods.txt")

if [[ -n $screenshot ]]; then
  step "photographing a level in play"
  wait_frames 260  # the level's pieces are laid out for 200 frames
  for cell in "3 8" "4 8" "5 8" "6 8" "7 9" "8 9" "9 7" "10 7"; do
    read -r c r <<<"$cell"
    game_click $((32 * c)) $((32 * r))
    wait_frames 12
  done
  # shellcheck disable=SC2046
  input mousemove $(desk $((factor * 400)) $((factor * 300)))
  wait_frames 30  # the queue has slid into place
  import -window root -crop "$((640 * factor))x$((480 * factor))+$((192 * factor))+$((144 * factor))" \
    +repage "$screenshot"
fi

step "closing the game with its close button"
game_click 632 8
wait_until 10 "the game to end" bash -c "! kill -0 $timer 2>/dev/null"
wait "$timer"
peak_mb=$(awk '{ printf "%.1f", $1 / 1024 }' "$work/rss.txt")

step "the floor: a program that only wakes once a frame, 10 s"
"$build/tests/e2e/quelmo-pacing-probe" 12 >"$work/probe.txt" &
probe=$!
pids+=("$probe")
sleep 1
read -r floor_wakes floor_cpu floor_x <<<"$(measure_10s "$probe")"
wait "$probe"

echo
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) (other work competes for the processor)"
echo "scale:                          ${factor}"
echo "start to first presented frame: ${startup_ms} ms   (goal < 150 ms)"
echo "                                wakes/s   CPU % of a core   X server CPU %"
printf '%-32s%-10s%-18s%s\n' "still (menu open, pointer away)" "$still_wakes" "$still_cpu" "$still_x"
printf '%-32s%-10s%-18s%s\n' "moving (setup, countdown)" "$moving_wakes" "$moving_cpu" "$moving_x"
printf '%-32s%-10s%-18s%s\n' "floor (wakes once a frame)" "$floor_wakes" "$floor_cpu" "$floor_x"
echo "                                (goals: still at most 3 wakes/s and under 0.2 %; moving at most 60 wakes/s)"
echo "frames shown while still:       ${still_frames}"
echo "a click after the still 10 s:   first frame ${click_ms} ms after the game woke; the click shut the menu"
echo "moving frame period over ${periods} frames: median ${median} ms, p99 ${p99} ms, longest ${longest} ms"
echo "                                (goal: median within 0.2 ms of $(awk 'BEGIN { printf "%.3f", 1000 / 51 }') ms)"
echo "floor's periods:                $(cat "$work/probe.txt")"
echo "peak resident memory:           ${peak_mb} MB   (goal < 60 MB)"
[[ -z $screenshot ]] || echo "screenshot:                     $screenshot"
