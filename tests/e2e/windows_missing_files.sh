#!/usr/bin/env bash
# The Windows game under Wine: missing game files end it with exit code 1 and the engine's error
# line last, on the console and in "Log.log": no "../data" folder (graphics), no music file
# (sound).
source "$(dirname "$0")/windows_e2e_lib.sh"
e2e_windows_setup 1024x768

check_fatal() {
  local what=$1 expected=$2
  shift 2
  e2e_run_folder "$@"
  e2e_start_game
  e2e_answer No
  e2e_wait_exit 90
  local last log
  last=$(console_last_line | tr -d '\r')
  log=$(tail -n 1 "$E2E_RUN/build/Log.log" | tr -d '\r')
  [ "$GAME_STATUS" -eq 1 ] || e2e_fail "$what: exit code $GAME_STATUS, expected 1"
  [ "$last" = "$expected" ] || e2e_fail "$what: last console line \"$last\""
  [ "$log" = "$expected" ] || e2e_fail "$what: last line of Log.log \"$log\""
  ! grep -q '^goodbye' "$E2E_RUN/build/console.txt" || e2e_fail "$what: said goodbye"
  echo "$what: exit 1, last line \"$expected\""
  rm -rf "$E2E_RUN"
}

check_fatal "no ../data folder" "GE.error: Cannot open \"../data/logo.bmp\": No such file or directory (there is no folder \"../data\")" no-data
check_fatal "no music file" "SE.error: cannot run music" no-music
echo "PASS"
