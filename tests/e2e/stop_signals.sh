#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP end the game as closing its window does: at level select, while the
# engines start, and while the start-up question is shown. Exit code 0, "goodbye" last, and every
# engine that said it was ready also shut down in "Log.log". A second signal while the first is
# being handled ends the game at once, by that signal.
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup 1024x768

music_started() { grep -q '^SE.message: Muzica!!!$' "$E2E_RUN/build/console.txt"; }

# check_signal SIGNAL WHEN: WHEN is "select" (the frame loop runs), "question", or a delay in
# seconds after the game window appears.
check_signal() {
  local signal=$1 when=$2
  e2e_run_folder
  e2e_start_game
  if [ "$when" = question ]; then
    e2e_wait 20 "the start-up question" question_shown
  else
    e2e_answer No
    e2e_wait_game_window
    if [ "$when" = select ]; then e2e_wait 20 "the music to start" music_started; else sleep "$when"; fi
  fi
  kill -s "$signal" "$GAME_PID"
  e2e_wait_exit 30
  local console="$E2E_RUN/build/console.txt"
  [ "$GAME_STATUS" -eq 0 ] || e2e_fail "$signal at $when: exit code $GAME_STATUS"
  [ "$(console_last_line)" = "goodbye" ] || e2e_fail "$signal at $when: \"goodbye\" is not last"
  if [ "$when" = select ]; then
    [ "$(cat "$E2E_RUN/build/Log.log")" = "$E2E_NORMAL_RUN_LINES" ] || e2e_fail "$signal at $when: Log.log is not that of a whole run"
  fi
  e2e_check_engines_ended "$signal at $when"
  echo "$signal at $when: exit 0, $(grep -c '\.message: ' "$console") engine lines, goodbye last"
  rm -rf "$E2E_RUN"
}

for signal in TERM INT HUP; do check_signal $signal select; done
check_signal TERM question
check_signal INT 0
check_signal HUP 0.05
check_signal TERM 0.15

# Two signals at once: the game is stopped while both arrive, so the second comes while the first
# is still being handled.
e2e_run_folder
e2e_start_game
e2e_answer No
e2e_wait_game_window
e2e_wait 20 "the music to start" music_started
kill -s STOP "$GAME_PID"
kill -s TERM "$GAME_PID"
kill -s INT "$GAME_PID"
kill -s CONT "$GAME_PID"
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 130 ] || [ "$GAME_STATUS" -eq 143 ] || e2e_fail "two signals: exit code $GAME_STATUS, not a signal's"
! grep -q '^goodbye$' "$E2E_RUN/build/console.txt" || e2e_fail "two signals: the game said goodbye"
echo "two signals: ended at once, exit $GAME_STATUS"
echo "PASS"
