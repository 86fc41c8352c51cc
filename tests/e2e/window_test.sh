#!/usr/bin/env bash
# Plays the real game in a virtual X server the way a player would: it starts the
# program on a 1024 x 768 screen under a small window manager, moves and clicks the
# pointer and presses keys with xdotool, and reads what the screen shows, which must
# be what the headless game draws for the same input (window_cases.sh, which the
# Windows game's test plays too).
#
#   window_test.sh QUELMO QUELMO_SIM
#
# Exit status 77 (skipped) only when there is no Xvfb to run the window in.  With
# QUELMO_E2E_KEEP=1 the screenshots and logs are kept for a look after a failure.
set -euo pipefail

quelmo=${1:?usage: window_test.sh QUELMO QUELMO_SIM}
sim=("${2:?usage: window_test.sh QUELMO QUELMO_SIM}")

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"
# shellcheck source=tests/e2e/window_cases.sh
source "$here/window_cases.sh"
begin_e2e e2e xdotool xprop wmctrl openbox import convert compare strace

# --- no display -------------------------------------------------------------------------
# Without a display the game says in one line what is missing and ends with status 1.
# expect_no_display TEXT ENV...: runs the game with the environment changed by ENV.
expect_no_display() {
  local says=$1 status=0
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY "$@" "$quelmo" >"$work/nodisplay.out" 2>&1 || status=$?
  ((status == 1)) || fail "exit status $status without a display ($*)"
  if [[ $(wc -l <"$work/nodisplay.out") != 1 ]] || ! grep -qF -- "$says" "$work/nodisplay.out"; then
    fail "without a display ($*) the game said: $(cat "$work/nodisplay.out")"
  fi
}
step "without a display: one line naming the cause, exit status 1"
expect_no_display "DISPLAY is not set"
expect_no_display "display ':4093'" DISPLAY=:4093
expect_no_display "Wayland display 'nowhere'" WAYLAND_DISPLAY=nowhere XDG_RUNTIME_DIR="$work"

step "starting Xvfb 1024x768 and openbox"
start_xsession
expected_pictures

# --- the game --------------------------------------------------------------------------
log=$work/frames.log
step "waiting for the window"
start_game 10 "$quelmo"
opening_and_menu_cases

step "the window has no frame: around it the bare desktop"
import -window root "$work/screen.png"
for edge in "191 143 642 1" "191 624 642 1" "191 143 1 482" "832 143 1 482"; do
  # shellcheck disable=SC2086
  all_black "$work/screen.png" $edge || fail "something is drawn around the window (a frame?)"
done

step "the window has one size: no resizing or maximising"
allowed=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
[[ $allowed != *RESIZE* && $allowed != *MAXIMIZE* ]] || fail "the window offers: $allowed"
not_maximised() { [[ $(xprop -id "$wid" _NET_WM_STATE) != *MAXIMIZED* ]] && at "192 144 640 480"; }
wmctrl -i -r "$wid" -b "add,maximized_vert,maximized_horz"
wait_frames 5
wait_until 5 "the window to refuse maximising" not_maximised
wait_frames 5
not_maximised || fail "after a maximise request: $(geometry), $(xprop -id "$wid" _NET_WM_STATE)"

step "the window carries the game's icon, its black made transparent"
# _NET_WM_ICON: width, height, then one ARGB value per pixel.
xprop -id "$wid" -f _NET_WM_ICON 32c _NET_WM_ICON | cut -d= -f2 | tr -d ' ' | tr ',' '\n' |
  awk 'NR <= 2 { size = size " " $1; next }
       { alpha = int($1 / 16777216); if (alpha == 0) clear++; else if (alpha == 255) solid++ }
       END { print size, clear + 0, solid + 0 }' >"$work/icon.txt"
read -r icon_w icon_h icon_clear icon_solid <"$work/icon.txt"
((icon_w == 64 && icon_h == 64)) || fail "the window's icon is not 64x64: $(cat "$work/icon.txt")"
((icon_clear > 0 && icon_solid > 0)) ||
  fail "the icon has no transparent or no opaque pixels: $(cat "$work/icon.txt")"

drag_cases
close_request_cases key alt+F4
click_cases
key_cases

# --- no process of its own --------------------------------------------------------------------
# Without a D-Bus session, nothing may go looking for one (libdbus would fork and run
# dbus-launch): the game starts no other process.
step "the game starts no process, also without a D-Bus session"
mkdir -p "$work/run"
env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$work/run" \
  strace -f -qq -e trace=process -o "$work/strace.txt" "$quelmo" >"$work/quelmo-traced.out" 2>&1 &
tracer=$!
pids+=("$tracer")
wait_until 10 "the traced game's window" find_window
wait_until 5 "the traced game" pgrep -P "$tracer"
sleep 1
kill "$(pgrep -P "$tracer")"
wait "$tracer" || true
children=$(grep -E '(clone3?|v?fork)\(' "$work/strace.txt" | grep -v CLONE_THREAD || true)
programs=$(grep -c 'execve(' "$work/strace.txt" || true)
[[ -z $children && $programs == 1 ]] ||
  fail "the game started a process: $(grep -E 'clone|fork|execve' "$work/strace.txt" | head -5)"

# --- Ctrl+C and SIGTERM end the game at once -------------------------------------------------------
for signal in INT TERM; do
  step "SIG$signal ends the game at once"
  # A script's background jobs start with SIGINT ignored; a terminal's do not.
  env --default-signal=INT "$quelmo" >"$work/quelmo-$signal.out" 2>&1 &
  other=$!
  pids+=("$other")
  wait_until 10 "the window" find_window
  kill -s "$signal" "$other"
  wait_until 2 "the game to end after SIG$signal" bash -c "! kill -0 $other 2>/dev/null"
done

echo "PASS"
