#!/usr/bin/env bash
# Answering "Yes": the window covers the whole screen, the 640 × 480 picture is enlarged to fit
# with its shape kept, centred between black bars, and a click on a level cell still opens it.
source "$(dirname "$0")/e2e_lib.sh"
[ -n "${E2E_REPLAY:-}" ] || e2e_fail "the replay runner (E2E_REPLAY) is needed for the reference pictures"
# A wide screen, so that there are bars left and right: the picture becomes 960 × 720 at x = 160.
screen_width=1280
screen_height=720
e2e_setup ${screen_width}x${screen_height}
e2e_run_folder

script="$E2E_WORK/select.replay"
printf '%s\n' "wait 400" "shot $E2E_WORK/select.png" "click 130 35" "wait 150" "shot $E2E_WORK/level1.png" >"$script"
(cd "$E2E_RUN/build" && "$E2E_REPLAY" "$script" >/dev/null 2>"$E2E_WORK/replay.txt") \
  || { cat "$E2E_WORK/replay.txt" >&2; e2e_fail "the replay runner failed"; }

e2e_start_game
e2e_answer Yes

e2e_wait 20 "a window covering the screen" find_fullscreen_window "$screen_width" "$screen_height"
GAME_WINDOW=$(find_fullscreen_window "$screen_width" "$screen_height")

shows_fitted() {
  "$E2E_TOOL" shot root "$E2E_WORK/screen.png" && "$E2E_TOOL" fitted "$E2E_WORK/screen.png" "$1"
}
e2e_wait 30 "the level-select screen fitted to the screen" shows_fitted "$E2E_WORK/select.png"
"$E2E_TOOL" fitted "$E2E_WORK/screen.png" "$E2E_WORK/select.png"

# Level 1's cell at logical (130, 35): back-buffer pixel (260, 70), on the screen 160 + 260 × 1.5
# across and 70 × 1.5 down.
xdotool mousemove 550 105 click 1
e2e_wait 10 "level 1 opened by a click on the enlarged picture" shows_fitted "$E2E_WORK/level1.png"
"$E2E_TOOL" fitted "$E2E_WORK/screen.png" "$E2E_WORK/level1.png"

xdotool key --window "$GAME_WINDOW" Escape
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "exit code $GAME_STATUS after Escape"
[ "$(console_last_line)" = "goodbye" ] || e2e_fail "\"goodbye\" is not last"
echo "PASS"
