# shellcheck shell=bash
# Shared by tools/measure-window.sh and tools/measure-windows.sh (sourced, not run): the
# figures both take from the game's frame log ($log) and from the scheduler.

# stats FILE: "median p99 max" of the numbers in FILE (one per line).
stats() {
  sort -g "$1" | awk '{ v[NR] = $1 } END {
    i50 = int(NR * 0.50) + 1; i99 = int(NR * 0.99) + 1; if (i99 > NR) i99 = NR
    printf "%.3f %.3f %.3f", v[i50], v[i99], v[NR] }'
}

# startup_ms START_NS: milliseconds from START_NS (wall clock) to the first shown frame.
startup_ms() {
  local first_ns
  first_ns=$(awk '/^first-present/ { print $2; exit }' "$log")
  awk -v a="$1" -v b="$first_ns" 'BEGIN { printf "%.1f", (b - a) / 1e6 }'
}

# Processor time of every thread of a process, in nanoseconds (the scheduler's own
# count: finer than the 10 ms ticks of /proc/PID/stat).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s }'; }

# Voluntary context switches of every thread of a process: each is a wake-up after
# the thread went to sleep (a wait, a timer, a message from the desktop).
wakes() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s + 0 }'; }

# per_second N: N events over t0 .. t1 (wall clock, ns), per second.
per_second() { awk -v n="$1" -v ns=$((t1 - t0)) 'BEGIN { printf "%.1f", n * 1e9 / ns }'; }

# percent NS: NS of processor time as a share of one core over t0 .. t1 (wall clock, ns).
percent() { awk -v c="$1" -v ns=$((t1 - t0)) 'BEGIN { printf "%.2f", 100 * c / ns }'; }

# frame_periods FIRST LAST FILE: the periods between frames FIRST and LAST of the log,
# in milliseconds, one per line into FILE.
frame_periods() {
  awk -v a="$1" -v b="$2" '/^frame/ { n++; if (n > a && n <= b) {
    if (p) printf "%.6f\n", ($2 - p) / 1e6; p = $2 } }' "$log" >"$3"
}
