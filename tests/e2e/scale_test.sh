#!/usr/bin/env bash
# The real window enlarged: on a 2560 x 1600 screen under openbox, the game at
# --scale 2 and in full screen (factor 3) shows exactly the headless game's frames
# in bigger pixels, and a click lands on the game pixel under the pointer.
#
#   scale_test.sh QUELMO QUELMO_SIM
#
# Exit status 77 (skipped) only when there is no Xvfb.  With QUELMO_E2E_KEEP=1 the
# screenshots and logs are kept.
set -euo pipefail

quelmo=${1:?usage: scale_test.sh QUELMO QUELMO_SIM}
sim=${2:?usage: scale_test.sh QUELMO QUELMO_SIM}

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"
begin_e2e scale xdotool xprop wmctrl openbox import convert compare

step "starting Xvfb 2560x1600 and openbox"
start_xsession 2560x1600
log=$work/frames.log

# The headless game's frames for the same seed and clicks: the opening frame and the
# open menu, at factor 1, 2 (the window) and 3 (full screen: 2560 / 640 = 4,
# 1600 / 480 = 3).
for factor in 1 2 3; do
  printf 'frames 3\nshot %s\nclick 80 8\nframes 3\nshot %s\n' \
    "$work/start-$factor.bmp" "$work/menu-$factor.bmp" |
    "$sim" --seed 0 --desktop 1280 800 --scale "$factor" >/dev/null
done
# frame_is FILE X Y W H: the screen rectangle (X, Y, W, H) shows exactly FILE.
frame_is() {
  import -window root -crop "$4x$5+$2+$3" +repage "$work/now.png"
  same_image "$work/now.png" "$1"
}
# click_screen X Y: a click at the physical screen point (X, Y).
click_screen() { input mousemove "$1" "$2" click 1; }

# --- the window at twice the size ---------------------------------------------------------
QUELMO_FRAME_LOG=$log "$quelmo" --seed 0 --scale 2 >"$work/quelmo.out" 2>&1 &
game=$!
pids+=("$game")
wait_until 10 "the Quelmo window" find_window
wait_until 10 "the first frame" grep -q '^first-present' "$log"
wait_frames 3

step "--scale 2: 1280x960, centred, showing the headless frame in 2 x 2 blocks"
wait_until 5 "the window at 640,320 1280x960" at "640 320 1280 960"
wait_until 5 "the opening frame" frame_is "$work/start-2.bmp" 640 320 1280 960
convert "$work/now.png" -sample 50% "$work/reduced.png"
same_image "$work/reduced.png" "$work/start-1.bmp" || fail "the reduced screenshot is not the game's frame"

step "a click lands on the game pixel under the pointer"
# The menu button takes the game columns after 16: game column 16 is physical columns
# 672 and 673 of the window at 640, outside; 674 is game column 17, inside.
click_screen $((640 + 2 * 16 + 1)) $((320 + 2 * 8))
wait_frames 5
frame_is "$work/start-2.bmp" 640 320 1280 960 || fail "a click beside the menu button opened it"
click_screen $((640 + 2 * 17)) $((320 + 2 * 8))
wait_until 5 "the menu to open" frame_is "$work/menu-2.bmp" 640 320 1280 960

# --- full screen ---------------------------------------------------------------------------
full_screen() { at "0 0 2560 1600"; }
step "F11: full screen, the frame at factor 3 centred on black"
input key F11
wait_until 5 "full screen" full_screen
wait_until 5 "the frame at factor 3" frame_is "$work/menu-3.bmp" 320 80 1920 1440
import -window root "$work/screen.png"
for band in "0 0 2560 80" "0 1520 2560 80" "0 80 320 1440" "2240 80 320 1440"; do
  # shellcheck disable=SC2086
  all_black "$work/screen.png" $band || fail "the border around the frame is not black ($band)"
done

step "full screen: clicks map onto the frame, the title bar drags nothing"
# Game point (17, 8), the menu button's first column, is at physical (320 + 51, 80 + 24);
# a click there closes the menu again.
click_screen $((320 + 3 * 17)) $((80 + 3 * 8))
wait_until 5 "the menu to close" frame_is "$work/start-3.bmp" 320 80 1920 1440
input mousemove $((320 + 3 * 300)) $((80 + 3 * 8)) mousedown 1 mousemove 1200 700 mouseup 1
wait_frames 5
full_screen || fail "the drag moved the full-screen window: $(geometry)"
frame_is "$work/start-3.bmp" 320 80 1920 1440 || fail "the drag moved the frame"

step "F11 again: back to 1280x960 at its place"
input key F11
wait_until 5 "the window back at 640,320" at "640 320 1280 960"
wait_until 5 "the window's picture" frame_is "$work/start-2.bmp" 640 320 1280 960

step "the window manager's full-screen command does the same"
wmctrl -i -r "$wid" -b add,fullscreen
wait_until 5 "full screen" full_screen
wait_until 5 "the frame at factor 3" frame_is "$work/start-3.bmp" 320 80 1920 1440
input key alt+Return
wait_until 5 "the window back at 640,320" at "640 320 1280 960"
wait_until 5 "the window's picture" frame_is "$work/start-2.bmp" 640 320 1280 960
kill "$game"

# --- the desktop's own scale ---------------------------------------------------------------
step "without --scale the game follows the desktop's Xft.dpi (192: twice), or fits"
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	192"
"$quelmo" --seed 0 >"$work/quelmo.out" 2>&1 &
pids+=($!)
wait_until 10 "the Quelmo window" find_window
wait_until 5 "the window at 1280x960" at "640 320 1280 960"
kill "$!"
# Five times would be 3200 x 2400: the largest factor that fits is 3.  The game centres
# its window on a desktop of 853 x 533 game pixels, at game point (106, 26).
"$quelmo" --seed 0 --scale 5 >"$work/quelmo.out" 2>&1 &
pids+=($!)
wait_until 10 "the Quelmo window" find_window
wait_until 5 "the window at 1920x1440" at "318 78 1920 1440"
echo "PASS"
