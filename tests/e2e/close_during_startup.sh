#!/usr/bin/env bash
# A window close or Escape while the game thread is still building its engines: no crash, no
# hang, exit code 0, "goodbye" last, and every engine that said it was ready also said goodbye.
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup 1024x768

# Delays after the window appears, in seconds: before, during and after the engines' start-up.
delays=(0 0 0.01 0.03 0.06 0.1 0.2 0.4)
round=0
for delay in "${delays[@]}"; do
  round=$((round + 1))
  e2e_run_folder
  e2e_start_game
  # Closing the question counts as "No", as Escape does.
  if [ $((round % 3)) -eq 0 ]; then e2e_answer Close; else e2e_answer No; fi
  e2e_wait_game_window
  e2e_check_windowed
  sleep "$delay"
  if [ $((round % 2)) -eq 1 ]; then
    "$E2E_TOOL" close "$GAME_WINDOW" || e2e_fail "round $round: cannot send the close request"
    how=close
  else
    xdotool key --window "$GAME_WINDOW" Escape
    how=Escape
  fi
  e2e_wait_exit 30
  console="$E2E_RUN/build/console.txt"
  [ "$GAME_STATUS" -eq 0 ] || e2e_fail "round $round ($how after ${delay} s): exit code $GAME_STATUS"
  [ "$(console_last_line)" = "goodbye" ] || e2e_fail "round $round ($how after ${delay} s): \"goodbye\" is not last"
  e2e_check_engines_ended "round $round"
  echo "round $round: $how after ${delay} s, $(grep -c '\.message: ' "$console") engine lines, exit 0"
  rm -rf "$E2E_RUN"
done
echo "PASS"
