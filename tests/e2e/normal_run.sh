#!/usr/bin/env bash
# A whole game as a player would play it: answer "No", wait out the intro, open level 1, lay its
# eleven down conveyors with clicks, press Run, wait for the win, compare the window with the
# replay runner's picture of the same moment, press Escape. Exit code 0, "goodbye" last, and the
# engines' lines of a normal run in their order on the console and in "Log.log".
source "$(dirname "$0")/e2e_lib.sh"
[ -n "${E2E_REPLAY:-}" ] || e2e_fail "the replay runner (E2E_REPLAY) is needed for the reference pictures"
e2e_setup 1024x768
e2e_run_folder

# The reference pictures, from the same engine without a window. Logical coordinates: level 1's
# cell is at (110..150, 15..55), field cell (5, y) at (96..112, 44 + 12y ..), Run at (200..220, 20..40).
# Each picture is taken long after its screen appeared: the back buffer is never cleared, and
# where translucent text lies the earlier pictures fade out over some frames. Once settled, both
# runs show the same pixels.
script="$E2E_WORK/level1.replay"
{
  echo "wait 400"
  echo "shot $E2E_WORK/select.png"
  echo "click 130 35"
  echo "wait 150"
  echo "shot $E2E_WORK/level1.png"
  for y in 0 1 2 3 4 5 6 7 8 9 10; do
    echo "click 104 $((50 + 12 * y))"
    echo "click 104 $((50 + 12 * y))"
  done
  echo "click 210 30"
  echo "wait 1100"
  echo "shot $E2E_WORK/won.png"
} >"$script"
(cd "$E2E_RUN/build" && "$E2E_REPLAY" "$script" >/dev/null 2>"$E2E_WORK/replay.txt") \
  || { cat "$E2E_WORK/replay.txt" >&2; e2e_fail "the replay runner failed"; }
rm -f "$E2E_RUN/build/Log.log"

e2e_start_game
e2e_answer No
e2e_wait_game_window
e2e_check_windowed
# The window shows the level-select screen once the intro is over.
e2e_wait_picture 30 "$E2E_WORK/select.png"

# Window pixels are logical pixels doubled.
e2e_click 260 70
e2e_wait_picture 10 "$E2E_WORK/level1.png"
for y in 0 1 2 3 4 5 6 7 8 9 10; do
  # Two clicks turn an empty cell into a down conveyor; a frame apart so that each is its own.
  e2e_click 208 $((100 + 24 * y))
  e2e_click 208 $((100 + 24 * y))
done
e2e_click 420 60
# 896 ticks to the win. After it the picture repeats every 16 frames, a quarter of them like the
# replay's, so polling meets it within moments.
e2e_wait_picture 60 "$E2E_WORK/won.png"
e2e_shot "$E2E_WORK/game-won.png"

xdotool key --window "$GAME_WINDOW" Escape
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "exit code $GAME_STATUS after Escape"

expected_lines=$E2E_NORMAL_RUN_LINES
console="$E2E_RUN/build/console.txt"
[ "$(head -n 3 "$console")" = "Varnelle
Made by the Varnelle team, 2026
For everyone who loves puzzles: varnelle.example" ] || e2e_fail "the banner is not the console's first three lines"
[ "$(sed -n '4,$p' "$console")" = "$expected_lines
goodbye" ] || e2e_fail "the console's engine lines and goodbye are not those of a normal run"
[ "$(cat "$E2E_RUN/build/Log.log")" = "$expected_lines" ] || e2e_fail "Log.log is not that of a normal run"
echo "PASS"
