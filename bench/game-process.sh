#!/usr/bin/env bash
# The running game measured from outside, under its own Xvfb with Mesa's software rasteriser:
#   - CPU use over 20 s at the level-select screen and in a running level (% of one core);
#   - peak resident memory of the run;
#   - with a VARNELLE_FRAME_STATS build (made here in <build>-frame-stats): the time from the
#     answer to the start-up question to the first presented frame, and the median and 99th
#     percentile of the intervals between frame starts.
# Usage: bench/game-process.sh [BUILD_FOLDER]   (default: build)
set -uo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(cd "${1:-build}" && pwd)
stats_dir="${build_dir}-frame-stats"
measure_seconds=${MEASURE_SECONDS:-20}

export E2E_SOURCE=${E2E_SOURCE:-$source_dir}
export E2E_TOOL=$build_dir/tests/e2e/e2e_x11
source "$source_dir/tests/e2e/e2e_lib.sh"
[ -x "$build_dir/varnelle" ] || e2e_fail "no game in $build_dir (build it first)"

# cpu_seconds PID: user + system time of the whole process so far, in clock ticks.
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
peak_rss_mb() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }

e2e_setup 1024x768
export E2E_GAME=$build_dir/varnelle

echo "== CPU and memory ($measure_seconds s per screen, Xvfb, llvmpipe)"
e2e_run_folder
e2e_start_game
e2e_answer No
e2e_wait_game_window
sleep 6  # the 4-second intro, and a little more
select_cpu=$(cpu_percent "$GAME_PID" "$measure_seconds")
echo "level-select screen: ${select_cpu} % of one core"

# Level 1 with its eleven down conveyors, running (the win comes after 15 s; it keeps ticking).
e2e_click 260 70
sleep 0.3
for y in 0 1 2 3 4 5 6 7 8 9 10; do
  e2e_click 208 $((100 + 24 * y))
  e2e_click 208 $((100 + 24 * y))
done
e2e_click 420 60
running_cpu=$(cpu_percent "$GAME_PID" "$measure_seconds")
echo "running level:       ${running_cpu} % of one core"
echo "peak resident memory: $(peak_rss_mb "$GAME_PID") MB"
xdotool key --window "$GAME_WINDOW" Escape
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "the game ended with $GAME_STATUS"
rm -rf "$E2E_RUN"

echo "== frame pacing (VARNELLE_FRAME_STATS build in $stats_dir)"
cmake -S "$source_dir" -B "$stats_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNELLE_FRAME_STATS=ON \
  -DVARNELLE_TESTS=OFF -DVARNELLE_BENCH=OFF >/dev/null || e2e_fail "cannot configure $stats_dir"
cmake --build "$stats_dir" --target varnelle -j "$(nproc)" >/dev/null || e2e_fail "cannot build the frame-stats game"
export E2E_GAME=$stats_dir/varnelle
e2e_run_folder
e2e_start_game
e2e_answer No
e2e_wait_game_window
sleep "$measure_seconds"
xdotool key --window "$GAME_WINDOW" Escape
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "the frame-stats game ended with $GAME_STATUS"
grep '^frame stats: ' "$E2E_RUN/build/console.txt" | sed 's/^frame stats: //'
