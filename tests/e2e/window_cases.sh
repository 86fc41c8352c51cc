# shellcheck shell=bash
# The cases the real-window tests play alike on the Linux game and on the Windows game
# under Wine, with the headless game's pictures to compare with (sourced after
# xsession.sh).  The caller sets `sim`, quelmo-sim's command with its launcher.
# shellcheck disable=SC2154  # sim, work, log and wid belong to the caller

# expected_pictures: the headless game's frames for seed 0 on the 1024 x 768 desktop,
# the pointer at the desktop's corner as the tests leave it: opening (idle.bmp), after
# a click on the menu button (menu.bmp) and on "Neues Spiel" (notice.bmp); and by
# keys, after Escape (keys-menu.bmp) and Down and Return (keys-notice.bmp).  Also the
# menu's place open (menu-open.png, keys-menu-open.png) and shut (menu-closed.png).
expected_pictures() {
  printf '%s\n' 'frames 3' "shot $work/idle.bmp" 'click 80 8' 'frames 3' "shot $work/menu.bmp" \
    'click 60 24' 'frames 3' "shot $work/notice.bmp" |
    "${sim[@]}" --seed 0 --desktop 1024 768 - >/dev/null
  printf '%s\n' 'frames 3' 'press Escape' 'frames 3' "shot $work/keys-menu.bmp" 'press Down' \
    'press Return' 'frames 3' "shot $work/keys-notice.bmp" |
    "${sim[@]}" --seed 0 --desktop 1024 768 - >/dev/null
  convert "$work/menu.bmp" -crop 128x48+16+16 +repage "$work/menu-open.png"
  convert "$work/keys-menu.bmp" -crop 128x48+16+16 +repage "$work/keys-menu-open.png"
  convert "$work/idle.bmp" -crop 128x48+16+16 +repage "$work/menu-closed.png"
}
# notice_is FILE: the window shows the notice panel of a new game ("Bitte warten") as
# picture FILE does; notice_gone: no longer (the level's setup is over).
notice_is() {
  convert "$1" -crop 160x64+240+208 +repage "$work/notice-expected.png"
  region_is "$work/notice-expected.png" 240 208 160 64
}
notice_gone() { ! region_is "$work/notice-expected.png" 240 208 160 64; }

# start_game SECONDS COMMAND...: starts the game (seed 0, the pointer at the desktop's
# corner) with its frame log, and waits up to SECONDS for its window and first frames.
start_game() {
  local seconds=$1
  shift
  xdotool mousemove 0 0
  QUELMO_FRAME_LOG=$log "$@" --seed 0 >"$work/quelmo.out" 2>&1 &
  game=$!
  pids+=("$game")
  wait_until "$seconds" "the Quelmo window" find_window
  wait_until 10 "the first frame" grep -q '^first-present' "$log"
  wait_frames 3
}

# The window opens centred, 640 x 480, showing the headless game's opening frame; a
# click on the menu button opens the menu, and "Neues Spiel" shows the notice panel,
# each as the headless game draws it.
opening_and_menu_cases() {
  step "geometry: 640x480 at (192, 144), showing the headless game's opening frame"
  wait_until 5 "the window at 192,144 640x480" at "192 144 640 480"
  wait_until 5 "the opening frame" region_is "$work/idle.bmp" 0 0 640 480
  step "a click on the menu button opens the menu as the headless game draws it"
  click_at 80 8
  wait_until 5 "the open menu" region_is "$work/menu.bmp" 0 0 640 480
  step "\"Neues Spiel\" shows the notice panel as the headless game draws it"
  click_at 60 24
  wait_until 5 "the notice panel" notice_is "$work/notice.bmp"
  wait_until 5 "the menu to close" menu_closed
}

# Press, move and release on the title bar moves the window with the pointer, also
# when the pointer outruns it; released, the window stays.
drag_cases() {
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
}

# close_request_cases COMMAND...: the window manager's close request, then the one
# COMMAND makes the desktop send, leave the game running.
close_request_cases() {
  step "close requests from the window manager and the desktop leave the game running"
  wmctrl -i -c "$wid"
  wait_until 5 "the close request (window manager) to reach the game" close_requests_at_least 1
  "$@"
  wait_until 5 "the second close request ($*)" close_requests_at_least 2
  wait_frames 10
  game_alive || fail "the game ended after a close request"
  find_window || fail "the window went away after a close request"
}

# Once the level's setup is over, every click on the menu button toggles the menu
# exactly once: a click of a few milliseconds, and the click that gives the window
# the focus back after a click on the desktop beside it.
click_cases() {
  step "a click of a few milliseconds acts exactly once"
  wait_until 20 "the level's setup to end" notice_gone
  short_clicks_act_once
  step "a click on the desktop, then on the menu button: the menu opens (3 times)"
  local round
  for round in 1 2 3; do
    input mousemove 1000 20 click 1   # the desktop, beside the window
    wait_until 5 "round $round: the desktop to take the focus" focus_elsewhere
    click_at 80 8
    wait_until 5 "round $round: the menu to open after a click on the desktop" menu_open
    click_at 80 8
    wait_until 5 "round $round: the menu to close" menu_closed
  done
}
# The keys play the window as quelmo-sim plays them: Escape opens the menu, Down and
# Return start a new game, and Tab goes round to the close button, where Return ends
# the game with exit code 0.
key_cases() {
  step "Escape opens the menu, as quelmo-sim draws it for Escape"
  key Escape
  wait_until 5 "the menu opened by Escape" region_is "$work/keys-menu-open.png" 16 16 128 48
  step "Down and Return: \"Neues Spiel\", as quelmo-sim draws it for those keys"
  key Down
  wait_frames 3
  key Return
  wait_until 5 "the notice panel" notice_is "$work/keys-notice.bmp"
  step "Tab goes round to the close button, and Return there ends the game with exit code 0"
  local tabs=0 status=0
  until pointer_at 632 8; do
    ((++tabs <= 10)) || fail "ten Tabs did not reach the close button"
    key Tab
    wait_frames 3
  done
  key Return
  wait_until 5 "the game to end" game_ended
  wait "$game" || status=$?
  ((status == 0)) || fail "exit code $status after Return on the close button"
}

# --- enlarged, on a 2560 x 1600 screen ---------------------------------------------------
# scale_pictures: the headless game's opening frame and open menu on the desktop the
# game sees at scale 2 (1280 x 800 game pixels), as they show doubled in the window
# (idle-x2.png, menu-x2.png) and tripled in full screen (idle-x3.png, menu-x3.png).
scale_pictures() {
  local picture factor
  printf '%s\n' 'frames 3' "shot $work/idle.bmp" 'click 80 8' 'frames 3' "shot $work/menu.bmp" |
    "${sim[@]}" --seed 0 --desktop 1280 800 - >/dev/null
  for picture in idle menu; do
    for factor in 2 3; do
      convert "$work/$picture.bmp" -sample "$((factor * 100))%" "$work/$picture-x$factor.png"
    done
  done
}
# screen_is PICTURE X Y: the screen shows PICTURE with its top-left corner at (X, Y).
screen_is() {
  local size
  size=$(identify -format '%wx%h' "$1")
  import -window root -crop "$size+$2+$3" +repage "$work/now.png"
  same_image "$work/now.png" "$1"
}
full_screen() { at "0 0 2560 1600"; }

# The game at --scale 2 (started by the caller) shows its frames doubled, centred;
# clicks land on the game pixel under the pointer; F11 and Alt+Enter switch to full
# screen, the frame tripled and centred on black, where clicks land on the frame and
# the title bar drags nothing, and back.
scale_cases() {
  step "--scale 2: 1280x960, centred, showing the headless frame in 2 x 2 blocks"
  wait_until 5 "the window at 640,320 1280x960" at "640 320 1280 960"
  wait_until 5 "the opening frame, doubled" screen_is "$work/idle-x2.png" 640 320

  step "a click lands on the game pixel under the pointer, on either side of an edge"
  # The menu button takes the game columns after 16: screen column 673 is still game
  # column 16, beside it; 674 is game column 17, its first.
  input mousemove 673 337 click 1
  wait_frames 5
  screen_is "$work/idle-x2.png" 640 320 || fail "a click beside the menu button opened it"
  input mousemove 674 337 click 1
  wait_until 5 "the open menu, doubled" screen_is "$work/menu-x2.png" 640 320

  step "F11: full screen, the frame three times enlarged, centred on black"
  key F11
  wait_until 10 "the window to cover the screen" full_screen
  wait_until 5 "the open menu, tripled, at 320,80" screen_is "$work/menu-x3.png" 320 80
  import -window root "$work/screen.png"
  local band
  for band in "0 0 2560 80" "0 1520 2560 80" "0 80 320 1440" "2240 80 320 1440"; do
    # shellcheck disable=SC2086
    all_black "$work/screen.png" $band || fail "the border around the frame is not black ($band)"
  done

  step "in full screen clicks land on the frame, and the title bar drags nothing"
  # Game pixel (17, 8), the menu button's first column, is at screen (320 + 51, 80 + 24).
  input mousemove 371 104 click 1
  wait_until 5 "the menu to close" screen_is "$work/idle-x3.png" 320 80
  input mousemove 1298 104 mousedown 1   # game pixel (326, 8): the title bar
  wait_frames 2
  input mousemove 1500 305
  wait_frames 3
  input mouseup 1
  wait_frames 3
  full_screen || fail "a drag moved the full-screen window: $(geometry)"
  screen_is "$work/idle-x3.png" 320 80 || fail "a drag moved the frame"

  step "F11 again: the window is back, 1280x960 at its place"
  key F11
  wait_until 10 "the window back at 640,320 1280x960" at "640 320 1280 960"
  wait_until 5 "the window's picture" screen_is "$work/idle-x2.png" 640 320

  step "Alt+Enter switches to full screen and back too"
  key alt+Return
  wait_until 10 "the window to cover the screen" full_screen
  wait_until 5 "the frame tripled" screen_is "$work/idle-x3.png" 320 80
  key alt+Return
  wait_until 10 "the window back at 640,320 1280x960" at "640 320 1280 960"
  wait_until 5 "the window's picture" screen_is "$work/idle-x2.png" 640 320
}
