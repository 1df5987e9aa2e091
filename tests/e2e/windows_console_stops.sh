#!/usr/bin/env bash
# The Windows game under Wine: Ctrl+C (Wine hands the console's program a SIGINT as a Ctrl+C event)
# ends the game as closing its window does: at level select, while the engines start, and while
# the start-up question is shown. Exit code 0, "goodbye" last, and every engine that said it was
# ready also shut down.
source "$(dirname "$0")/windows_e2e_lib.sh"
e2e_windows_setup 1024x768

music_started() { grep -q '^SE.message: Muzica!!!' "$E2E_RUN/build/console.txt"; }

# check_stop WHEN: "select" (the frame loop runs), "question", or a delay in seconds after the
# answer.
check_stop() {
  local when=$1
  e2e_run_folder
  e2e_start_game
  if [ "$when" = question ]; then
    e2e_wait 60 "the start-up question" question_shown
  else
    e2e_answer No
    if [ "$when" = select ]; then e2e_wait 60 "the music to start" music_started; else sleep "$when"; fi
  fi
  kill -s INT "$GAME_PID"
  e2e_wait_exit 60
  [ "$GAME_STATUS" -eq 0 ] || e2e_fail "Ctrl+C at $when: exit code $GAME_STATUS"
  [ "$(console_last_line | tr -d '\r')" = "goodbye" ] || e2e_fail "Ctrl+C at $when: \"goodbye\" is not last"
  if [ "$when" = select ]; then
    [ "$(tr -d '\r' <"$E2E_RUN/build/Log.log")" = "$E2E_NORMAL_RUN_LINES" ] \
      || e2e_fail "Ctrl+C at $when: Log.log is not that of a whole run"
  fi
  tr -d '\r' <"$E2E_RUN/build/console.txt" >"$E2E_RUN/build/console-lf.txt"
  mv "$E2E_RUN/build/console-lf.txt" "$E2E_RUN/build/console.txt"
  e2e_check_engines_ended "Ctrl+C at $when"
  echo "Ctrl+C at $when: exit 0, $(grep -c '\.message: ' "$E2E_RUN/build/console.txt") engine lines, goodbye last"
  rm -rf "$E2E_RUN"
}

check_stop select
check_stop question
check_stop 0
check_stop 0.5
echo "PASS"
