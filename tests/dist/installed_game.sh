#!/usr/bin/env bash
# The installed game played as a player starts it: the launcher from an unrelated empty folder,
# with a fresh HOME, on an Xvfb of the test's own. It answers "No", shows the level-select screen
# (the replay runner's picture of it) and ends on Escape with exit code 0 and "goodbye"; the log
# is in the player's state folder with the lines of a normal run, the starting folder stays
# empty, the installed files stay as they were, and a second run adds to the same log.
source "$(dirname "$0")/../e2e/e2e_lib.sh"
source "$(dirname "$0")/dist_lib.sh"
[ -n "${E2E_REPLAY:-}" ] || dist_fail "the replay runner (E2E_REPLAY) is needed for the reference picture"
e2e_setup 1024x768
DIST_WORK=$E2E_WORK
prefix="$E2E_WORK/prefix"
dist_install "$prefix"
home="$E2E_WORK/home"
start="$E2E_WORK/start"
mkdir -p "$home" "$start"

# The reference picture, from the replay runner in a folder of the repository's files.
e2e_run_folder
printf '%s\n' "wait 400" "shot $E2E_WORK/select.png" >"$E2E_WORK/select.replay"
(cd "$E2E_RUN/build" && "$E2E_REPLAY" "$E2E_WORK/select.replay" >/dev/null 2>"$E2E_WORK/replay.txt") \
  || { cat "$E2E_WORK/replay.txt" >&2; dist_fail "the replay runner failed"; }

installed_before=$(find "$prefix" -printf '%p %s %T@ %m\n' | LC_ALL=C sort)

# The game's console where e2e_fail looks for it, so that every failure shows it.
E2E_RUN="$E2E_WORK/launched"
mkdir -p "$E2E_RUN/build"
console="$E2E_RUN/build/console.txt"

# One run: the launcher, exec'd in place of the subshell, execs the game, so GAME_PID is the game.
play_to_level_select() {
  : >"$console"
  (cd "$start" && exec env -u XDG_STATE_HOME HOME="$home" "$prefix/bin/varnelle" >"$console" 2>&1 </dev/null) &
  GAME_PID=$!
  e2e_answer No
  e2e_wait_game_window
  e2e_wait_picture 30 "$E2E_WORK/select.png"
  xdotool key --window "$GAME_WINDOW" Escape
  e2e_wait_exit 30
  [ "$GAME_STATUS" -eq 0 ] || e2e_fail "exit code $GAME_STATUS after Escape"
  [ "$(tail -n 1 "$console")" = "goodbye" ] || e2e_fail "\"goodbye\" is not the console's last line"
}

run_lines=$E2E_NORMAL_RUN_LINES
log="$home/.local/state/varnelle/Log.log"

play_to_level_select
[ -f "$log" ] || e2e_fail "no Log.log in the state folder $(dirname "$log")"
[ "$(cat "$log")" = "$run_lines" ] || e2e_fail "Log.log is not that of a normal run: $(cat "$log")"
[ -z "$(ls -A "$start")" ] || e2e_fail "the starting folder is not empty: $(ls -A "$start")"

play_to_level_select
[ "$(cat "$log")" = "$run_lines
$run_lines" ] || e2e_fail "the second run did not add its lines to the same Log.log: $(cat "$log")"
[ -z "$(ls -A "$start")" ] || e2e_fail "the starting folder is not empty after the second run"
[ "$(find "$prefix" -printf '%p %s %T@ %m\n' | LC_ALL=C sort)" = "$installed_before" ] \
  || e2e_fail "the installed files changed"
echo "PASS"
