#!/usr/bin/env bash
# Drags and clicks through the real window while the machine is busy, each one checked on the
# screen, and a count of those that did not take.
#
# The game runs under its own Xvfb (tests/e2e/e2e_lib.sh) with level 3 open, whose palette offers
# one trigger. Each round, driven by xdotool: drag the trigger onto the field, take it back with a
# right click, lay a conveyor with a click, clear it with a right click. After each action the
# pointer rests away from everything and the window is polled until its field shows what that
# action must give, as the replay runner drew it beforehand from the same actions (the unit on
# the field; the empty field; a conveyor). Only the field is compared: the translucent texts
# beside it (the palette's count among them) keep faint traces of what they showed before, which
# differ with the history. An action whose picture does not come within WAIT_SECONDS is lost; the
# field shown then says whether nothing happened (the unit still in the palette) or something
# else did.
#
# Drags alternate between a scripted one (press, move and release sent at once) and a hand's
# (a few milliseconds between them). BUSY_LOOPS shell loops keep the cores busy meanwhile; they
# are stopped at the end.
# Usage: bench/drag-stress.sh [BUILD_FOLDER]   (default: build)
# Environment: ROUNDS (60; four actions each), BUSY_LOOPS (3), WAIT_SECONDS (5),
#   REST_SECONDS (0.1: the pause after a release before the pointer moves on).
set -uo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(cd "${1:-build}" && pwd)
rounds=${ROUNDS:-60}
busy_loops=${BUSY_LOOPS:-3}
wait_seconds=${WAIT_SECONDS:-5}
rest_seconds=${REST_SECONDS:-0.1}

export E2E_SOURCE=$source_dir
export E2E_TOOL=$build_dir/tests/e2e/e2e_x11
export E2E_GAME=$build_dir/varnelle
source "$source_dir/tests/e2e/e2e_lib.sh"
[ -x "$E2E_GAME" ] && [ -x "$E2E_TOOL" ] && [ -x "$build_dir/varnelle-replay" ] \
  || e2e_fail "no game, e2e_x11 or varnelle-replay in $build_dir (build them first)"
e2e_setup 1024x768
e2e_run_folder

busy_pids=()
stop_busy_loops() {
  local pid
  for pid in "${busy_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${busy_pids[@]}"; do wait "$pid" 2>/dev/null; done
  busy_pids=()
}
trap 'stop_busy_loops; e2e_cleanup' EXIT

# Logical coordinates (the window shows them doubled): the trigger's palette entry, the cell the
# unit is dropped on (its top-left cell, 4, 0), a free cell for the conveyor (8, 5), a resting
# place away from the field, the palette and the buttons, and level 3's cell on the select screen.
palette=(224 68)
drop=(88 50)
cell=(152 110)
rest=(300 230)
level3=(210 35)
field_area=(32 88 352 264)  # window pixels
pictures=$E2E_WORK/pictures
mkdir -p "$pictures"
{
  echo "wait 400"
  echo "move ${rest[*]}"
  echo "wait 5"
  echo "shot $pictures/select.png"
  echo "click ${level3[*]}"
  # After each action the pointer rests and the picture settles (translucent text fades in).
  settle() { echo "move ${rest[*]}"; echo "wait 150"; echo "shot $pictures/$1.png"; }
  settle empty
  echo "drag ${palette[*]} ${drop[*]}"
  settle unit
  echo "rclick ${drop[*]}"
  settle taken-back
  echo "click ${cell[*]}"
  settle conveyor
  echo "rclick ${cell[*]}"
  settle cleared
} >"$E2E_WORK/reference.replay"
(cd "$E2E_RUN/build" && "$build_dir/varnelle-replay" "$E2E_WORK/reference.replay" >/dev/null 2>"$E2E_WORK/replay.txt") \
  || { cat "$E2E_WORK/replay.txt" >&2; e2e_fail "the replay runner failed"; }
for after in taken-back cleared; do
  "$E2E_TOOL" compare "$pictures/$after.png" "$pictures/empty.png" "${field_area[@]}" >/dev/null \
    || e2e_fail "the reference level is not empty again after '$after'"
done

# shown NAME...: the first of the pictures whose field the window shows now, or nothing.
shown() {
  local name
  e2e_shot "$E2E_WORK/now.png" || return
  for name in "$@"; do
    if "$E2E_TOOL" compare "$E2E_WORK/now.png" "$pictures/$name.png" "${field_area[@]}" >/dev/null 2>&1; then
      echo "$name"
      return
    fi
  done
}

field_shows() { [ "$(shown "$1")" = "$1" ]; }

e2e_start_game
e2e_answer No
e2e_wait_game_window
e2e_check_windowed
window=$GAME_WINDOW
px() { echo $((2 * $1)) $((2 * $2)); }
rest_pointer() { xdotool mousemove --window "$window" $(px "${rest[@]}"); }
rest_pointer
e2e_wait_picture 60 "$pictures/select.png"
e2e_click $(px "${level3[@]}")
rest_pointer
e2e_wait 20 "the empty level" field_shows empty

declare -A lost
lost_total=0
actions=0
# expect ACTION PICTURE: polls until the window shows PICTURE; on a timeout counts ACTION as lost
# with what the window shows instead, and puts the level back to empty.
expect() {
  local action=$1 picture=$2 deadline now
  actions=$((actions + 1))
  deadline=$(($(date +%s%N) / 1000000 + wait_seconds * 1000))
  while :; do
    now=$(shown "$picture")
    [ -n "$now" ] && return 0
    [ $(($(date +%s%N) / 1000000)) -lt "$deadline" ] || break
    sleep 0.05
  done
  now=$(shown empty unit conveyor)
  local what="${action}, showing ${now:-another picture}"
  lost["$what"]=$((${lost["$what"]:-0} + 1))
  lost_total=$((lost_total + 1))
  echo "round $round: $what" >&2
  [ -n "$now" ] || cp "$E2E_WORK/now.png" "$E2E_WORK/lost-$round-$action.png"
  # Back to the empty level: Clear takes every unit back and empties the cells.
  e2e_click 500 60
  rest_pointer
  e2e_wait 20 "the level cleared" field_shows empty
}

drag() {
  local from to
  from=$(px "${palette[@]}")
  to=$(px "${drop[@]}")
  if [ $((round % 2)) -eq 0 ]; then
    xdotool mousemove --window "$window" $from mousedown 1 mousemove --window "$window" $to mouseup 1
  else
    xdotool mousemove --window "$window" $from sleep 0.03 mousedown 1 sleep 0.03 \
      mousemove --window "$window" $to sleep 0.03 mouseup 1
  fi
}
click_at() { xdotool mousemove --window "$window" $(px "$1" "$2") click "$3"; }

for ((i = 0; i < busy_loops; i++)); do
  (while :; do :; done) &
  busy_pids+=($!)
done
started=$SECONDS
for ((round = 1; round <= rounds; round++)); do
  drag
  sleep "$rest_seconds"
  rest_pointer
  expect "$( [ $((round % 2)) -eq 0 ] && echo "scripted drag" || echo "hand's drag")" unit
  click_at "${drop[@]}" 3
  sleep "$rest_seconds"
  rest_pointer
  expect "right click on the unit" empty
  click_at "${cell[@]}" 1
  sleep "$rest_seconds"
  rest_pointer
  expect "click on a cell" conveyor
  click_at "${cell[@]}" 3
  sleep "$rest_seconds"
  rest_pointer
  expect "right click on the conveyor" empty
  game_running || e2e_fail "the game ended during round $round"
done
seconds=$((SECONDS - started))
stop_busy_loops

xdotool key --window "$window" Escape 2>/dev/null
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "exit code $GAME_STATUS after Escape"

echo "drag stress: $actions actions ($rounds drags, $((3 * rounds)) clicks) in $seconds s with $busy_loops busy loops: $lost_total lost"
for what in "${!lost[@]}"; do echo "  ${lost[$what]} x $what"; done | sort -k3
[ "$lost_total" -eq 0 ]
