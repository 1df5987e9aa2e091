#!/usr/bin/env bash
# Missing game files end the program with exit code 1 and the engine's error line last, on the
# console and in "Log.log": no "../data" folder (graphics), no music file (sound).
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup 1024x768

check_fatal() {
  local what=$1 expected=$2
  shift 2
  e2e_run_folder "$@"
  e2e_start_game
  e2e_answer No
  e2e_wait_exit 60
  [ "$GAME_STATUS" -eq 1 ] || e2e_fail "$what: exit code $GAME_STATUS, expected 1"
  [ "$(console_last_line)" = "$expected" ] || e2e_fail "$what: last console line \"$(console_last_line)\""
  [ "$(tail -n 1 "$E2E_RUN/build/Log.log")" = "$expected" ] || e2e_fail "$what: last line of Log.log"
  ! grep -q '^goodbye$' "$E2E_RUN/build/console.txt" || e2e_fail "$what: said goodbye"
  echo "$what: exit 1, last line \"$expected\""
  rm -rf "$E2E_RUN"
}

check_fatal "no ../data folder" "GE.error: Cannot open \"../data/logo.bmp\": No such file or directory (there is no folder \"../data\")" no-data
check_fatal "no music file" "SE.error: cannot run music" no-music
echo "PASS"
