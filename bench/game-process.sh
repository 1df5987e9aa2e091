#!/usr/bin/env bash
# The running game measured from outside, under its own Xvfb with Mesa's software rasteriser,
# side by side with the floors (bench/floor) in the same run:
#   - the game's own CPU time (user + system from /proc/PID/stat) over MEASURE_SECONDS, REPEATS
#     times, in % of one core, for: the level-select screen, a stopped level with the pointer
#     still, a stopped level while the pointer moves, a running level; each also as a ratio to
#     each floor (a bare 60 Hz EGL clear + swap of a 640 × 480 window, and a 60 Hz XShmPutImage
#     of a 640 × 480 buffer);
#   - private (Private_Dirty) and resident memory from /proc/PID/smaps_rollup, per phase;
#   - with FRAME_STATS=1, a VARNELLE_FRAME_STATS build (made here in <build>-frame-stats): the
#     time from the answer to the first presented frame, and the frame intervals.
# Usage: bench/game-process.sh [BUILD_FOLDER] [OTHER_GAME...]   (default: build)
#   Each OTHER_GAME (another build's varnelle, e.g. the main branch's) is measured the same way
#   in the same run, so that a before and an after share the machine's conditions.
# Environment: MEASURE_SECONDS (10), REPEATS (3), SCREEN (1024x768), INTRO_SECONDS (6; longer
#   where frames fall below 60 a second and the intro lasts longer), FULLSCREEN=1 answers "Yes"
#   to the start-up question (the game then covers SCREEN), GALLIUM_DRIVER is passed on.
set -uo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(cd "${1:-build}" && pwd)
shift || true
stats_dir="${build_dir}-frame-stats"
measure_seconds=${MEASURE_SECONDS:-10}
repeats=${REPEATS:-3}
screen=${SCREEN:-1024x768}
fullscreen=${FULLSCREEN:-0}

export E2E_SOURCE=${E2E_SOURCE:-$source_dir}
export E2E_TOOL=$build_dir/tests/e2e/e2e_x11
source "$source_dir/tests/e2e/e2e_lib.sh"
[ -x "$build_dir/varnelle" ] || e2e_fail "no game in $build_dir (build it first)"
floor_dir=$build_dir/bench/floor
[ -x "$floor_dir/floor_egl_swap" ] && [ -x "$floor_dir/floor_xshm_put" ] || e2e_fail "no floor programs in $floor_dir"
games=("$build_dir/varnelle" "$@")

# cpu_ticks PID: user + system time of the whole process so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# cpu_percent PID SECONDS: the process's CPU use over the next SECONDS, in % of one core.
cpu_percent() {
  local before after
  before=$(cpu_ticks "$1")
  sleep "$2"
  after=$(cpu_ticks "$1")
  awk -v ticks=$((after - before)) -v hz="$(getconf CLK_TCK)" -v seconds="$2" \
    'BEGIN { printf "%.1f", 100 * ticks / hz / seconds }'
}
# cpu_samples PID: REPEATS measurements, separated by spaces.
cpu_samples() {
  local samples=() i
  for ((i = 0; i < repeats; i++)); do samples+=("$(cpu_percent "$1" "$measure_seconds")"); done
  echo "${samples[*]}"
}
median() { tr ' ' '\n' <<<"$1" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# memory PID: "private MB / resident MB" from smaps_rollup.
memory() {
  awk '/^Rss:/ { rss = $2 } /^Private_Dirty:/ { dirty = $2 }
       END { printf "%.1f MB private / %.1f MB resident", dirty / 1024, rss / 1024 }' "/proc/$1/smaps_rollup"
}

# Window pixels of a point of the 640 × 480 picture: the picture is fitted 4:3 into a full screen.
screen_width=${screen%x*}
screen_height=${screen#*x}
to_window() {
  if [ "$fullscreen" = 1 ]; then
    awk -v x="$1" -v y="$2" -v w="$screen_width" -v h="$screen_height" 'BEGIN {
      s = (w * 3 > h * 4) ? h / 480 : w / 640; fw = int(640 * s); fh = int(480 * s)
      printf "%d %d", int((w - fw) / 2 + x * s), int((h - fh) / 2 + y * s) }'
  else
    echo "$1 $2"
  fi
}
click() { local at; at=$(to_window "$1" "$2"); e2e_click ${at}; }
wait_game_window() {
  if [ "$fullscreen" = 1 ]; then
    e2e_wait 20 "a window covering the screen" find_fullscreen_window "$screen_width" "$screen_height"
    GAME_WINDOW=$(find_fullscreen_window "$screen_width" "$screen_height")
  else
    e2e_wait_game_window
  fi
}
point() { local at; at=$(to_window "$1" "$2"); xdotool mousemove --window "$GAME_WINDOW" ${at}; }

e2e_setup "$screen"

declare -A floor
echo "== floors (60 Hz, 640 × 480, Xvfb $screen, ${GALLIUM_DRIVER:-llvmpipe})"
for program in floor_egl_swap floor_xshm_put; do
  "$floor_dir/$program" $((measure_seconds * repeats + 3)) &
  floor_pid=$!
  sleep 2
  samples=$(cpu_samples "$floor_pid")
  floor[$program]=$(median "$samples")
  echo "$program: ${floor[$program]} % of one core (samples: $samples; $(memory "$floor_pid"))"
  wait "$floor_pid"
done

# report NAME SAMPLES MEMORY: one phase's line, with the ratios to both floors.
report() {
  local value
  value=$(median "$2")
  awk -v name="$1" -v v="$value" -v egl="${floor[floor_egl_swap]}" -v shm="${floor[floor_xshm_put]}" \
    -v samples="$2" -v memory="$3" 'BEGIN {
      printf "%-26s %5.1f %%  = %5.2f × EGL swap, %6.1f × XShm put  (samples: %s; %s)\n",
        name ":", v, (egl > 0 ? v / egl : 0), (shm > 0 ? v / shm : 0), samples, memory }'
}

for game_binary in "${games[@]}"; do
  echo "== $game_binary ($measure_seconds s × $repeats per phase, $([ "$fullscreen" = 1 ] && echo "full screen $screen" || echo windowed))"
  export E2E_GAME=$game_binary
  e2e_run_folder
  e2e_start_game
  e2e_answer "$([ "$fullscreen" = 1 ] && echo Yes || echo No)"
  wait_game_window
  point 600 460
  sleep "${INTRO_SECONDS:-6}"  # the 4-second intro (240 frames), and a little more
  report "level select" "$(cpu_samples "$GAME_PID")" "$(memory "$GAME_PID")"

  # Level 1, stopped: the pointer resting on the field, then moving over it.
  click 260 70
  point 300 300
  sleep 1
  report "stopped level, still" "$(cpu_samples "$GAME_PID")" "$(memory "$GAME_PID")"
  (
    while :; do
      for x in 250 300 350 400 350 300; do point "$x" 300; sleep 0.05; done
    done
  ) &
  mover=$!
  report "stopped level, moving" "$(cpu_samples "$GAME_PID")" "$(memory "$GAME_PID")"
  kill "$mover"
  wait "$mover" 2>/dev/null

  # Its eleven down conveyors laid, then running (the win comes after 15 s; it keeps ticking).
  for y in 0 1 2 3 4 5 6 7 8 9 10; do
    click 208 $((100 + 24 * y))
    click 208 $((100 + 24 * y))
  done
  click 420 60
  point 600 460
  report "running level" "$(cpu_samples "$GAME_PID")" "$(memory "$GAME_PID")"
  echo "peak resident memory: $(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$GAME_PID/status") MB"
  xdotool key --window "$GAME_WINDOW" Escape
  e2e_wait_exit 30
  [ "$GAME_STATUS" -eq 0 ] || e2e_fail "the game ended with $GAME_STATUS"
  rm -rf "$E2E_RUN"
done

[ "${FRAME_STATS:-0}" = 1 ] || exit 0
echo "== frame pacing (VARNELLE_FRAME_STATS build in $stats_dir)"
cmake -S "$source_dir" -B "$stats_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNELLE_FRAME_STATS=ON \
  -DVARNELLE_TESTS=OFF -DVARNELLE_BENCH=OFF >/dev/null || e2e_fail "cannot configure $stats_dir"
cmake --build "$stats_dir" --target varnelle -j "$(nproc)" >/dev/null || e2e_fail "cannot build the frame-stats game"
export E2E_GAME=$stats_dir/varnelle
e2e_run_folder
e2e_start_game
e2e_answer "$([ "$fullscreen" = 1 ] && echo Yes || echo No)"
wait_game_window
sleep "$measure_seconds"
xdotool key --window "$GAME_WINDOW" Escape
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "the frame-stats game ended with $GAME_STATUS"
grep '^frame stats: ' "$E2E_RUN/build/console.txt" | sed 's/^frame stats: //'
