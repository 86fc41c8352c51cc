#!/usr/bin/env bash
# Plays the real game in a virtual X server the way a player would: it starts the
# program on a 1024 x 768 screen under a small window manager, moves and clicks the
# pointer with xdotool and reads what the screen shows.
#
#   window_test.sh QUELMO [QUELMO_SIM]
#
# QUELMO_SIM, when given, draws the expected pictures of the menu and the notice panel
# with the headless game, and the real window must show exactly those pixels.
# Exit status 77 (skipped) only when there is no Xvfb to run the window in.  With
# QUELMO_E2E_KEEP=1 the screenshots and logs are kept for a look after a failure.
set -euo pipefail

quelmo=${1:?usage: window_test.sh QUELMO [QUELMO_SIM]}
sim=${2:-}

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"
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

# --- the game --------------------------------------------------------------------------
log=$work/frames.log
QUELMO_FRAME_LOG=$log "$quelmo" >"$work/quelmo.out" 2>&1 &
game=$!
pids+=("$game")


step "waiting for the window"
wait_until 10 "the Quelmo window" find_window
wait_until 10 "the first frame" grep -q '^first-present' "$log"
wait_frames 3

# --- the window's place and size -------------------------------------------------------
step "geometry: 640x480 at (192, 144), the picture unscaled and without a frame"
wait_until 5 "the window at 192,144 640x480" at "192 144 640 480"
# The window's picture begins exactly at the window's corner: the screen around the
# window is the bare (black) desktop, with no frame, and the title bar is what the game
# drew.
import -window root "$work/screen.png"
for edge in "191 143 642 1" "191 624 642 1" "191 143 1 482" "832 143 1 482"; do
  # shellcheck disable=SC2086
  all_black "$work/screen.png" $edge || fail "something is drawn around the window (a frame?)"
done
convert "$work/screen.png" -crop 640x480+192+144 +repage "$work/window.png"
if [[ -n $sim ]]; then
  printf 'frames 3\nshot %s\nclick 80 8\nframes 3\nshot %s\nclick 60 24\nframes 3\nshot %s\n' \
    "$work/sim-start.bmp" "$work/sim-menu.bmp" "$work/sim-notice.bmp" |
    "$sim" --desktop 1024 768 >/dev/null
  convert "$work/sim-start.bmp" -crop 640x16+0+0 +repage "$work/title-expected.png"
  convert "$work/window.png" -crop 640x16+0+0 +repage "$work/title-shown.png"
  same_image "$work/title-shown.png" "$work/title-expected.png" ||
    fail "the title bar on screen is not the game's title bar"
fi
convert "$work/window.png" -crop 640x16+0+0 +repage -format '%k' info: >"$work/colours"
(($(cat "$work/colours") > 2)) || fail "the title bar shows no picture"

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

# --- the menu ------------------------------------------------------------------------------
step "a click on the menu button opens the menu"
shot_region "$work/menu-closed.png" 16 16 128 48
click_at 80 8
wait_until 5 "the menu entries to appear" region_differs "$work/menu-closed.png" 16 16 128 48
if [[ -n $sim ]]; then
  convert "$work/sim-menu.bmp" -crop 128x48+16+16 +repage "$work/menu-open.png"
  wait_until 5 "the menu entries as the game draws them" menu_open
else
  shot_region "$work/menu-open.png" 16 16 128 48
fi

step "\"Neues Spiel\" shows the notice panel"
shot_region "$work/board.png" 240 208 160 64
click_at 60 24
wait_until 5 "the notice panel" region_differs "$work/board.png" 240 208 160 64
if [[ -n $sim ]]; then
  convert "$work/sim-notice.bmp" -crop 160x64+240+208 +repage "$work/notice.png"
  wait_until 5 "the notice panel as the game draws it" region_is "$work/notice.png" 240 208 160 64
else
  wait_frames 3
  shot_region "$work/notice.png" 240 208 160 64
fi
wait_until 5 "the menu to close" menu_closed

# --- dragging the window by its title bar ----------------------------------------------------
step "press, move and release on the title bar moves the window with the pointer"
press_and_pull 492 152 10 6   # from window point (300, 8)
wait_until 5 "the window to follow to 242,174" at "242 174 640 480"
# A fast movement leaves the window behind for a moment; the grabbed point catches up.
input mousemove 850 600
wait_until 5 "the window to follow the pointer outside it to 550,592" at "550 592 640 480"
input mousemove 392 252
wait_until 5 "the window to follow back to 92,244" at "92 244 640 480"
input mouseup 1
wait_frames 3
input mousemove 700 500
wait_frames 5
at "92 244 640 480" || fail "the window moved after the button was released: $(geometry)"
wait_until 5 "the title bar to be drawn at the new place" menu_closed

# --- the desktop's close request ---------------------------------------------------------------
step "a close request from the desktop leaves the game running"
wmctrl -i -c "$wid"
wait_until 5 "the close request to reach the game" grep -q '^close-request' "$log"
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
input key alt+F4
wait_until 5 "the second close request (Alt+F4)" close_requests_at_least 2
wait_frames 10
game_alive || fail "the game ended after a close request"
find_window || fail "the window went away after a close request"

# --- short clicks ------------------------------------------------------------------------------
# The menu button does nothing while the level's pieces are laid out ("Bitte warten");
# once that is over, every click on it toggles the menu exactly once.
step "a click of a few milliseconds acts exactly once"
wait_until 20 "the level's setup to end" region_differs "$work/notice.png" 240 208 160 64
short_clicks_act_once

# --- the close button --------------------------------------------------------------------------
step "the close button ends the game with exit code 0"
close_by_button

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
