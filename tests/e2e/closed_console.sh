#!/usr/bin/env bash
# Started with its standard output, error or input closed, the game still runs: the console lines
# go nowhere, "Log.log" gets them, and Escape at level select ends the game with exit code 0.
# (A closed output once became the X connection's descriptor, and the game hung for good.)
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup 1024x768

log_has() { grep -q "^$1\$" "$E2E_RUN/build/Log.log" 2>/dev/null; }

for closed in "output" "output and error" "input, output and error"; do
  e2e_run_folder
  case $closed in
    "output") (cd "$E2E_RUN/build" && exec "$E2E_GAME" >&- 2>"$E2E_WORK/errors.txt" </dev/null) & ;;
    "output and error") (cd "$E2E_RUN/build" && exec "$E2E_GAME" >&- 2>&- </dev/null) & ;;
    *) (cd "$E2E_RUN/build" && exec "$E2E_GAME" >&- 2>&- <&-) & ;;
  esac
  GAME_PID=$!
  e2e_answer No
  e2e_wait_game_window
  e2e_wait 20 "the music to start (closed $closed)" log_has 'SE.message: Muzica!!!'
  xdotool key --window "$GAME_WINDOW" Escape
  e2e_wait_exit 10
  [ "$GAME_STATUS" -eq 0 ] || e2e_fail "closed $closed: exit code $GAME_STATUS"
  log_has 'SE.message: not Muzic' || e2e_fail "closed $closed: the shutdown lines are not in Log.log"
  echo "closed $closed: ended on Escape, exit 0"
  rm -rf "$E2E_RUN"
done
echo "PASS"
