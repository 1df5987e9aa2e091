#!/usr/bin/env bash
# The Windows game as a player plays it, under Wine: answer "No", wait out the intro, open level 1,
# lay its eleven down conveyors with clicks, press Run, wait for the win, leave the level and see
# it marked solved, close the window. Exit code 0, "goodbye" last, and the engines' lines of a
# normal run in their order on the console and in "Log.log".
#
# Text is drawn by each platform's own font, so the screens are checked against the reference
# pictures (tests/views/golden) in areas without text only; the pictures' pixels there are the
# game's sprites enlarged two times, the same on every engine.
source "$(dirname "$0")/windows_e2e_lib.sh"
e2e_windows_setup 1024x768
e2e_run_folder
golden="$E2E_SOURCE/tests/views/golden"

e2e_start_game
e2e_answer No
e2e_wait_game_window
e2e_wait 10 "the client area at (20, 20), 640 x 480" eval '[ "$(client_geometry)" = "640x480+20+20" ]'

# The level-select screen: level 1 (Easy) and level 4 (Medium) strips as in the reference, level
# 1 not solved (its mark's place is the bare cell, as level 4's is in the reference).
level_select_shown() {
  shows_area $(strip_area 0) "$golden/level_select.png" $(strip_area 0 | cut -d' ' -f1-2) \
    && $E2E_PICTURES same "$E2E_WORK/poll.png" $(strip_area 3 | cut -d' ' -f1-2) "$golden/level_select.png" \
      $(strip_area 3) \
    && $E2E_PICTURES same "$E2E_WORK/poll.png" $(mark_area 0 | cut -d' ' -f1-2) "$golden/level_select.png" \
      $(mark_area 3)
}
e2e_wait 60 "the level-select screen" level_select_shown

# Level 1's cell at logical (130, 35); the level's buttons (Run, Stop, Clear, Exit) at logical
# (200..280, 20..40) as in the reference level.
e2e_click 260 70
e2e_wait 10 "level 1" shows_area 400 40 160 40 "$golden/stopped_level.png" 400 40
for y in 0 1 2 3 4 5 6 7 8 9 10; do
  # Two clicks turn an empty cell into a down conveyor; a frame apart so that each is its own.
  e2e_click 208 $((100 + 24 * y))
  e2e_click 208 $((100 + 24 * y))
done
e2e_click 420 60
# 896 ticks to the win, then "Уровень пройден!" in white under the field, centred on logical x 110.
e2e_wait 90 "the win" eval 'e2e_shot "$E2E_WORK/poll.png" && $E2E_PICTURES bright "$E2E_WORK/poll.png" 240 420 90 26 20'

e2e_click 540 60
e2e_wait 10 "level 1 marked solved" shows_area $(mark_area 0) "$golden/level_select.png" $(mark_area 0 | cut -d' ' -f1-2)

e2e_close_window
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "exit code $GAME_STATUS after the window was closed"

expected_lines=$E2E_NORMAL_RUN_LINES
console="$E2E_RUN/build/console.txt"
# Text files on Windows end their lines with CR LF.
[ "$(head -n 3 "$console" | tr -d '\r')" = "Varnelle
Made by the Varnelle team, 2026
For everyone who loves puzzles: varnelle.example" ] || e2e_fail "the banner is not the console's first three lines"
[ "$(sed -n '4,$p' "$console" | tr -d '\r')" = "$expected_lines
goodbye" ] || e2e_fail "the console's engine lines and goodbye are not those of a normal run"
[ "$(tr -d '\r' <"$E2E_RUN/build/Log.log")" = "$expected_lines" ] || e2e_fail "Log.log is not that of a normal run"
echo "PASS"
