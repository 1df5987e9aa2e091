#!/usr/bin/env bash
# The Windows game under Wine, answered "Yes": Direct3D takes the screen exclusively at 640 × 480
# (the X server is given that mode, as a monitor would offer it), the level-select screen shows,
# a click on level 1 opens it, another program in front loses the device and the game in front
# again resets it, Escape ends the game with exit code 0 and "goodbye" last, and the screen is
# given back its own mode.
source "$(dirname "$0")/windows_e2e_lib.sh"
e2e_windows_setup 1024x768
e2e_run_folder
golden="$E2E_SOURCE/tests/views/golden"

output=$(xrandr 2>/dev/null | awk '/ connected/ { print $1; exit }')
[ -n "$output" ] || e2e_fail "the X server has no RandR output"
xrandr --newmode 640x480_game 25.175 640 656 752 800 480 490 492 525 -hsync -vsync 2>/dev/null \
  || e2e_fail "cannot make a 640 x 480 mode"
xrandr --addmode "$output" 640x480_game || e2e_fail "cannot offer the 640 x 480 mode"
screen_size() { xdpyinfo 2>/dev/null | awk '/dimensions:/ { print $2; exit }'; }
[ "$(screen_size)" = "1024x768" ] || e2e_fail "the screen is not 1024 x 768 at the start"

e2e_start_game
e2e_answer Yes
e2e_wait_game_window
e2e_wait 30 "the screen switched to 640 x 480" eval '[ "$(screen_size)" = "640x480" ]'

level_select_shown() {
  shows_area $(strip_area 0) "$golden/level_select.png" $(strip_area 0 | cut -d' ' -f1-2) \
    && $E2E_PICTURES same "$E2E_WORK/poll.png" $(strip_area 3 | cut -d' ' -f1-2) "$golden/level_select.png" \
      $(strip_area 3)
}
e2e_wait 60 "the level-select screen" level_select_shown
e2e_click 260 70
e2e_wait 10 "level 1" shows_area 400 40 160 40 "$golden/stopped_level.png" 400 40

# Another program in front (Alt+Tab): Direct3D gives up the screen, whose own mode comes back, and
# the device is lost. The game in front again: its device is reset, the mode is the game's again
# and the level shows as it was.
"$E2E_WINE" notepad </dev/null >/dev/null 2>&1 &
notepad=$!
e2e_wait 30 "the screen's own mode while another program is in front" eval '[ "$(screen_size)" = "1024x768" ]'
sleep 1  # frames go by with the device lost
"$E2E_WINE" "$E2E_RESTORE" </dev/null || e2e_fail "cannot bring the game back to the front"
e2e_wait 30 "the game's 640 x 480 again" eval '[ "$(screen_size)" = "640x480" ]'
e2e_wait 30 "level 1 again after the device was reset" shows_area 400 40 160 40 "$golden/stopped_level.png" 400 40
kill "$notepad" 2>/dev/null || true

xdotool key --window "$GAME_WINDOW" Escape
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "exit code $GAME_STATUS after Escape"
[ "$(console_last_line | tr -d '\r')" = "goodbye" ] || e2e_fail "\"goodbye\" is not last"
# Direct3D gives the screen its own mode back when the game releases the device.
deadline=$((SECONDS + 30))
until [ "$(screen_size)" = "1024x768" ]; do
  [ $SECONDS -lt $deadline ] || e2e_fail "the screen's own mode is not back after 30 s: \"$(screen_size)\"; $(xrandr 2>&1 | head -n 1)"
  sleep 0.05
done
echo "PASS"
