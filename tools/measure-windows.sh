#!/usr/bin/env bash
# Measures the Windows game under Wine in Xvfb (1024 x 768, openbox; N times as big
# at QUELMO_SCALE=N), with the windows build, as tools/measure-window.sh does for the
# Linux game:
#
#   - time from starting the program (Wine's own start included) to its first frame,
#     with the Wine server already running, as in a test run
#   - processor time of the game, the Wine server and the X server while the game
#     idles on its open menu for 10 seconds
#   - median, 99th percentile and longest frame period over those 10 seconds
#   - the same processor times for the floor: a program that only waits 51 times a
#     second with the game's wait (quelmo-floor-probe), for 10 seconds right after
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

step "starting the Wine server"
tools/wine-run.sh "$prefix" cmd /c exit >/dev/null 2>&1
server=$(pgrep -n -x wineserver64 || pgrep -n -x wineserver)

step "starting the game"
start_ns=$(date +%s%N)
QUELMO_FRAME_LOG=$log tools/wine-run.sh "$prefix" "$exe" --scale "$scale" &
game=$!
pids+=("$game")
wait_until 30 "the window" find_window
wait_until 10 "the first frame" grep -q '^first-present' "$log"
startup_ms=$(startup_ms "$start_ns")

step "idling 10 s on the open menu"
wait_frames 10
click_at $((80 * scale)) $((8 * scale))
wait_frames 10
first_frame=$(frames)
g0=$(cpu_ns "$game") s0=$(cpu_ns "$server") x0=$(cpu_ns "$xserver")
t0=$(date +%s%N)
sleep 10
g1=$(cpu_ns "$game") s1=$(cpu_ns "$server") x1=$(cpu_ns "$xserver")
t1=$(date +%s%N)
last_frame=$(frames)
frame_periods "$first_frame" "$last_frame" "$work/periods.txt"
read -r median p99 longest <<<"$(stats "$work/periods.txt")"
periods=$(wc -l <"$work/periods.txt")

step "closing the game with its close button"
click_at $((632 * scale)) $((8 * scale))
wait_until 10 "the game to end" bash -c "! kill -0 $game 2>/dev/null"
wait "$game"

step "the floor: only waiting 51 times a second, for 10 s"
tools/wine-run.sh "$prefix" "$build/tests/windows/quelmo-floor-probe.exe" 12 >"$work/floor.txt" &
floor=$!
pids+=("$floor")
sleep 1
ff0=$(cpu_ns "$floor") fs0=$(cpu_ns "$server") fx0=$(cpu_ns "$xserver")
ft0=$(date +%s%N)
sleep 10
ff1=$(cpu_ns "$floor") fs1=$(cpu_ns "$server") fx1=$(cpu_ns "$xserver")
ft1=$(date +%s%N)
wait "$floor"
floor_percent() { awk -v c="$1" -v ns=$((ft1 - ft0)) 'BEGIN { printf "%.2f", 100 * c / ns }'; }

echo
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) (other work competes for the processor)"
echo "scale:                          $scale"
echo "quelmo.exe:                     $(stat -c %s "$exe") bytes"
echo "start to first presented frame: ${startup_ms} ms (Wine's start included)"
echo "CPU idle on the open menu:      game $(percent $((g1 - g0))) %, wineserver $(percent $((s1 - s0))) %, Xvfb $(percent $((x1 - x0))) % of one core"
echo "CPU of the floor (waits only):   probe $(floor_percent $((ff1 - ff0))) %, wineserver $(floor_percent $((fs1 - fs0))) %, Xvfb $(floor_percent $((fx1 - fx0))) % of one core"
echo "                                ($(cat "$work/floor.txt"))"
echo "game + wineserver / floor + wineserver: $(awk -v a=$((g1 - g0 + s1 - s0)) -v na=$((t1 - t0)) -v b=$((ff1 - ff0 + fs1 - fs0)) -v nb=$((ft1 - ft0)) 'BEGIN { printf "%.2f", (a / na) / (b / nb) }')"
echo "frame period over ${periods} frames: median ${median} ms, p99 ${p99} ms, longest ${longest} ms"
echo "                                (pace: $(awk 'BEGIN { printf "%.3f", 1000 / 51 }') ms)"
