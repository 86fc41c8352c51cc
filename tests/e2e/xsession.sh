# shellcheck shell=bash
# Shared by the window tests and tools/measure-window.sh (sourced, not run): a virtual
# X screen with the openbox window manager, and waiting with time limits.
#
# The caller sets `work` (a scratch directory) before start_xsession and `log` (the
# game's frame log) before counting frames; every process started here or added to
# `pids` is ended by end_processes.
# shellcheck disable=SC2154  # work and log belong to the caller

# begin_e2e NAME TOOL...: skips the test (exit status 77) where there is no Xvfb, fails
# where a tool it needs is missing, makes the scratch directory `work` and, when the
# test ends, ends every process and removes `work` (kept with QUELMO_E2E_KEEP=1; the
# game's output, $work/quelmo.out, is shown after a failure).
begin_e2e() {
  local name=$1 tool
  shift
  if ! command -v Xvfb >/dev/null; then
    echo "SKIPPED: Xvfb is not installed (tools/install-deps.sh installs it)"
    exit 77
  fi
  for tool in "$@"; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
  done
  work=$(mktemp -d "${TMPDIR:-/tmp}/quelmo-$name.XXXXXX")
  trap end_e2e EXIT
}
# A test that changes something outside `work` puts it back in its own function
# restore_e2e, which end_e2e calls first.
end_e2e() {
  local status=$?
  if declare -F restore_e2e >/dev/null; then restore_e2e; fi
  end_processes
  if ((status != 0)) && [[ -f $work/quelmo.out ]]; then
    echo "frames shown: $(frames); the game's output:"
    cat "$work/quelmo.out"
  fi
  if [[ -n ${QUELMO_E2E_KEEP:-} ]]; then echo "kept: $work"; else rm -rf "$work"; fi
}

pids=()
end_processes() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}

step() { echo "-- $*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# wait_until SECONDS WHAT COMMAND...: runs COMMAND every 50 ms until it succeeds.
wait_until() {
  local timeout=$1 what=$2
  shift 2
  local deadline=$((SECONDS + timeout))
  until "$@"; do
    ((SECONDS < deadline)) || fail "timed out after ${timeout}s waiting for: $what"
    sleep 0.05
  done
}

# start_xsession [WIDTHxHEIGHT]: Xvfb on a free display (1024x768 unless given) and
# openbox on it; exports DISPLAY and sets xvfb_pid.
start_xsession() {
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -br -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  pids+=("$xvfb_pid")
  wait_until 10 "Xvfb to choose a display" test -s "$work/display"
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
  unset WAYLAND_DISPLAY
  # openbox keeps its settings and caches in the scratch directory.
  export HOME=$work XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
  # On a machine whose font cache was never built, openbox builds it before it maps
  # any window, and the game's window would wait unmapped for seconds.  Building it
  # here first (quick once it exists) keeps that out of the timed waits.
  if command -v fc-cache >/dev/null; then fc-cache >/dev/null 2>&1 || true; fi
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  wait_until 10 "openbox to manage the screen" wmctrl -m >/dev/null 2>&1
}

# The frame log the window backend writes when QUELMO_FRAME_LOG names it ($log).
frames() { grep -c '^frame' "$log" 2>/dev/null || true; }
frames_at_least() { (($(frames) >= $1)); }
# settled: the game stands still, waiting for input (and has been for a tenth of a
# second, time enough to wake for input just sent): it shows no frames until more comes.
settled() {
  local lines
  lines=$(wc -l <"$log")
  [[ $(tail -n 1 "$log") == still* ]] && sleep 0.1 && (($(wc -l <"$log") == lines))
}
frames_or_settled() { frames_at_least "$1" || settled; }
# wait_frames N: lets the game run N more whole frames, or come to rest.
wait_frames() { wait_until 10 "$1 frames" frames_or_settled $(($(frames) + $1)); }

# find_window: sets wid to the game's window, if there is one.
find_window() { wid=$(xdotool search --name '^Quelmo$' 2>/dev/null | head -n1) && [[ -n $wid ]]; }
# geometry: "X Y WIDTH HEIGHT" of the game's window on the screen.
geometry() {
  # shellcheck disable=SC2034  # set by the eval, not all of them used
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  echo "$X $Y $WIDTH $HEIGHT"
}
# desk X Y: the screen point of window point (X, Y).
desk() {
  local g
  read -r -a g <<<"$(geometry)"
  echo "$((g[0] + $1)) $((g[1] + $2))"
}
# input XDOTOOL-COMMANDS...: sends pointer or key input and returns once the X server
# has taken it (the pointer query at the end is answered only after it), so that the
# next frame of the game sees it.
input() { xdotool "$@" getmouselocation >/dev/null; }
# press_and_pull X Y DX DY: presses at screen point (X, Y) and moves the pointer five
# times by (DX, DY), a frame after each step; the button stays down.
press_and_pull() {
  local i
  input mousemove "$1" "$2" mousedown 1
  wait_frames 2
  for i in 1 2 3 4 5; do
    input mousemove $(($1 + $3 * i)) $(($2 + $4 * i))
    wait_frames 1
  done
}
click_at() {
  # shellcheck disable=SC2046
  input mousemove $(desk "$1" "$2") click 1
}
# key KEYS...: keys pressed on the game's window, given the focus first.
key() {
  xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
  input key "$@"
}
# pointer_at X Y: the desktop's pointer is at window point (X, Y).
pointer_at() {
  # shellcheck disable=SC2034  # set by the eval, not all of them used
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  [[ "$X $Y" == "$(desk "$1" "$2")" ]]
}
# focus_elsewhere: another window than the game's has the focus.
focus_elsewhere() { [[ $(xdotool getwindowfocus 2>/dev/null) != "$wid" ]]; }

# at "X Y WIDTH HEIGHT": the game's window has that geometry.
at() { [[ $(geometry) == "$1" ]]; }
# shot_region FILE X Y W H: the screen's pixels of window rectangle (X, Y, W, H).
shot_region() {
  local g
  read -r -a g <<<"$(geometry)"
  import -window root -crop "$4x$5+$((g[0] + $2))+$((g[1] + $3))" +repage "$1"
}
same_image() { compare -metric AE "$1" "$2" null: 2>/dev/null; }
# region_is FILE X Y W H: the window rectangle shows exactly the pixels of FILE.
region_is() {
  shot_region "$work/now.png" "$2" "$3" "$4" "$5"
  same_image "$work/now.png" "$1"
}
region_differs() { ! region_is "$@"; }
# all_black FILE X Y W H: the rectangle of screenshot FILE is black throughout.
all_black() {
  [[ $(convert "$1" -crop "$4x$5+$2+$3" +repage -format '%k %[fx:maxima]' info:) == "1 0" ]]
}

# --- the game in the window ($game: its process; $work/menu-open.png and
# --- $work/menu-closed.png: the menu's 128 x 48 pixels at (16, 16), open and shut) -----
game_alive() { kill -0 "$game" 2>/dev/null; }
game_ended() { ! game_alive; }
menu_open() { region_is "$work/menu-open.png" 16 16 128 48; }
menu_closed() { region_is "$work/menu-closed.png" 16 16 128 48; }
close_requests_at_least() { (($(grep -c '^close-request' "$log" || true) >= $1)); }

# short_clicks_act_once: three rounds of clicks of 3 ms on the menu button, each of
# which opens or shuts the menu exactly once (it is still so some frames later).
short_clicks_act_once() {
  local round
  for round in 1 2 3; do
    # shellcheck disable=SC2046
    input mousemove $(desk 80 8)
    wait_frames 2
    input mousedown 1 sleep 0.003 mouseup 1
    wait_until 5 "round $round: a short click to open the menu" menu_open
    wait_frames 5
    menu_open || fail "round $round: one short click opened and closed the menu"
    input mousedown 1 sleep 0.003 mouseup 1
    wait_until 5 "round $round: a short click to close the menu" menu_closed
    wait_frames 5
    menu_closed || fail "round $round: one short click closed and opened the menu"
  done
}

# close_by_button [X Y]: the close button (window point (632, 8), or the screen point
# (X, Y) where an enlarged window shows it) ends the game with exit code 0.
close_by_button() {
  local status=0
  if (($# == 2)); then input mousemove "$1" "$2" click 1; else click_at 632 8; fi
  wait_until 5 "the game to end" game_ended
  wait "$game" || status=$?
  ((status == 0)) || { cat "$work/quelmo.out" >&2; fail "exit code $status after the close button"; }
}
