#!/usr/bin/env bash
# Measures the real window under Xvfb (1024 x 768, openbox), with the release build:
#
#   - time from starting the program to its first presented frame
#   - processor time while the game idles on its open menu for 10 seconds, and the
#     X server's over the same 10 seconds
#   - median, 99th percentile and longest frame period over those 10 seconds
#   - peak resident memory of the whole run
#   - the pacing wait alone (quelmo-pacing-probe) for 10 seconds under /usr/bin/time
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

step "idling 10 s on the open menu"
wait_frames 10
game_click 80 8
wait_frames 10
first_frame=$(frames)
cpu0=$(cpu_ns "$game")
xcpu0=$(cpu_ns "$xvfb_pid")
t0=$(date +%s%N)
sleep 10
cpu1=$(cpu_ns "$game")
xcpu1=$(cpu_ns "$xvfb_pid")
t1=$(date +%s%N)
last_frame=$(frames)
idle_cpu=$(percent $((cpu1 - cpu0)))
x_cpu=$(percent $((xcpu1 - xcpu0)))
frame_periods "$first_frame" "$last_frame" "$work/periods.txt"
read -r median p99 longest <<<"$(stats "$work/periods.txt")"
periods=$(wc -l <"$work/periods.txt")

if [[ -n $screenshot ]]; then
  step "photographing a level in play"
  game_click 60 24  # "Neues Spiel"
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

step "the pacing wait alone for 10 s"
/usr/bin/time -f '%P %U %S %e' -o "$work/probe-time.txt" \
  "$build/tests/e2e/quelmo-pacing-probe" 10 >"$work/probe.txt"

echo
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) (other work competes for the processor)"
echo "start to first presented frame: ${startup_ms} ms   (goal < 150 ms)"
echo "CPU idle on the open menu:      ${idle_cpu} % of one core at scale ${factor}   (goal < 1 %; < 1.5 % enlarged)"
echo "X server over the same 10 s:    ${x_cpu} % of one core"
echo "frame period over ${periods} frames: median ${median} ms, p99 ${p99} ms, longest ${longest} ms"
echo "                                (goal: median within 0.2 ms of $(awk 'BEGIN { printf "%.3f", 1000 / 51 }') ms)"
echo "peak resident memory:           ${peak_mb} MB   (goal < 60 MB)"
echo "pacing probe, 10 s:             $(cat "$work/probe.txt")"
echo "  /usr/bin/time:                CPU $(awk '{ print $1 " (user " $2 " s, system " $3 " s, elapsed " $4 " s)" }' "$work/probe-time.txt")"
[[ -z $screenshot ]] || echo "screenshot:                     $screenshot"
