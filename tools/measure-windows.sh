#!/usr/bin/env bash
# Measures the Windows game under Wine in Xvfb (1024 x 768, openbox; N times as big
# at QUELMO_SCALE=N), with the windows build, as tools/measure-window.sh does for the
# Linux game:
#
#   - time from starting the program (Wine's own start included) to its first frame,
#     with the Wine server already running, as in a test run
#   - still: the game on its open menu with the pointer away from the window, 10 s:
#     processor time of the game, the Wine server and the X server, and the game's
#     wake-ups a second
#   - moving: a level's countdown, 10 s: the same, and the median, 99th percentile and
#     longest frame period
#   - the same figures for the floor: a program that only waits 51 times a second
#     with the game's wait (quelmo-floor-probe), for 10 s
#   - the requests the Wine server answers, still and moving, a second and a frame
#     (a second run, with the server tracing every request)
#
#   tools/measure-windows.sh
#
# QUELMO_SCALE=N measures the game at scale N (--scale N) on a screen N times as big.
# QUELMO_BINARY=PATH measures another quelmo.exe (an older one, to compare) with the
# same steps and the same floor.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target quelmo quelmo-floor-probe >/dev/null
build=$root/build/windows
prefix=$build/wine
exe=${QUELMO_BINARY:-$build/programs/quelmo/quelmo.exe}

# shellcheck source=tests/e2e/xsession.sh
source "$root/tests/e2e/xsession.sh"
# shellcheck source=tools/measure-common.sh
source "$root/tools/measure-common.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/quelmo-measure-windows.XXXXXX")
trap 'end_processes; rm -rf "$work"' EXIT
scale=${QUELMO_SCALE:-1}
start_xsession "$((1024 * scale))x$((768 * scale))"
xserver=${pids[0]}
log=$work/frames.log
game_click() { click_at $((scale * $1)) $((scale * $2)); }

step "starting the Wine server"
tools/wine-run.sh "$prefix" cmd /c exit >/dev/null 2>&1
server=$(pgrep -n -x wineserver64 || pgrep -n -x wineserver)

# measure_10s PID: "wakes_per_second process_cpu wineserver_cpu xvfb_cpu" over 10 s.
measure_10s() {
  local w0 c0 s0 x0 w1 c1 s1 x1
  w0=$(wakes "$1") c0=$(cpu_ns "$1") s0=$(cpu_ns "$server") x0=$(cpu_ns "$xserver")
  t0=$(date +%s%N)
  sleep 10
  w1=$(wakes "$1") c1=$(cpu_ns "$1") s1=$(cpu_ns "$server") x1=$(cpu_ns "$xserver")
  t1=$(date +%s%N)
  echo "$(per_second $((w1 - w0))) $(percent $((c1 - c0))) $(percent $((s1 - s0))) $(percent $((x1 - x0)))"
}
# The game's own process under Wine (the launcher script is its parent's parent).
game_process() { pgrep -n -f 'quelmo.exe' | head -n 1; }

# play: starts the game, opens the menu and moves the pointer away: the game stands
# still.
play() {
  : >"$log"
  QUELMO_FRAME_LOG=$log tools/wine-run.sh "$prefix" "$exe" --scale "$scale" &
  game=$!
  pids+=("$game")
  wait_until 30 "the window" find_window
  wait_until 10 "the first frame" grep -q '^first-present' "$log"
  wait_frames 10
  game_click 80 8
  wait_frames 10
  input mousemove 5 5
  wait_frames 10
  sleep 1
}
# to_moving: "Neues Spiel" in the open menu, and on to the level's countdown.
to_moving() {
  game_click 60 24
  wait_frames 230
}
close_game() {
  game_click 632 8
  wait_until 10 "the game to end" bash -c "! kill -0 $game 2>/dev/null"
  wait "$game"
}
# requests_5s: the requests the Wine server answered over 5 s (from all of Wine's
# processes, the game's nearly all of them), and the game's frames meanwhile, as
# "requests_per_second requests_per_frame".
requests_5s() {
  local r0 f0 r1 f1
  r0=$(grep -c '^[0-9a-f]*: [a-z_]*( ' "$work/trace.txt" || true) f0=$(frames)
  sleep 5
  r1=$(grep -c '^[0-9a-f]*: [a-z_]*( ' "$work/trace.txt" || true) f1=$(frames)
  awk -v r=$((r1 - r0)) -v f=$((f1 - f0)) 'BEGIN { printf "%.1f %s", r / 5, f ? sprintf("%.1f", r / f) : "-" }'
}

step "starting the game"
start_ns=$(date +%s%N)
play
startup_ms=$(startup_ms "$start_ns")
process=$(game_process)

step "still 10 s: the menu open, the pointer away from the window"
read -r still_wakes still_game still_server still_x <<<"$(measure_10s "$process")"

step "moving 10 s: a level's countdown"
to_moving
first_frame=$(frames)
read -r moving_wakes moving_game moving_server moving_x <<<"$(measure_10s "$process")"
last_frame=$(frames)
frame_periods "$first_frame" "$last_frame" "$work/periods.txt"
read -r median p99 longest <<<"$(stats "$work/periods.txt")"
periods=$(wc -l <"$work/periods.txt")
close_game

step "the floor: only waiting 51 times a second, for 10 s"
tools/wine-run.sh "$prefix" "$build/tests/windows/quelmo-floor-probe.exe" 12 >"$work/floor.txt" &
floor=$!
pids+=("$floor")
sleep 1
read -r floor_wakes floor_game floor_server floor_x <<<"$(measure_10s "$(pgrep -n -f quelmo-floor-probe.exe)")"
wait "$floor"

step "Wine server requests, still and moving (a server that traces every request)"
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
WINEPREFIX=$prefix wineserver -f -d1 -p30 </dev/null >/dev/null 2>"$work/trace.txt" &
tracer=$!
pids+=("$tracer")
play
still_requests=$(requests_5s)
to_moving
moving_requests=$(requests_5s)
close_game
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true

echo
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) (other work competes for the processor)"
echo "scale:                          $scale"
echo "quelmo.exe:                     $(stat -c %s "$exe") bytes"
echo "start to first presented frame: ${startup_ms} ms (Wine's start included)"
echo "                                wakes/s   CPU % of a core: program  wineserver  Xvfb"
printf '%-32s%-10s%18s%12s%6s\n' "still (menu open, pointer away)" "$still_wakes" "$still_game" "$still_server" "$still_x"
printf '%-32s%-10s%18s%12s%6s\n' "moving (countdown)" "$moving_wakes" "$moving_game" "$moving_server" "$moving_x"
printf '%-32s%-10s%18s%12s%6s\n' "floor (waits only)" "$floor_wakes" "$floor_game" "$floor_server" "$floor_x"
echo "                                ($(cat "$work/floor.txt"))"
echo "Wine server requests:           still $(cut -d' ' -f1 <<<"$still_requests")/s; moving $(cut -d' ' -f1 <<<"$moving_requests")/s, $(cut -d' ' -f2 <<<"$moving_requests") a frame"
echo "moving frame period over ${periods} frames: median ${median} ms, p99 ${p99} ms, longest ${longest} ms"
echo "                                (pace: $(awk 'BEGIN { printf "%.3f", 1000 / 51 }') ms)"
