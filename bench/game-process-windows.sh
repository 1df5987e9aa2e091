#!/usr/bin/env bash
# The Windows game measured from outside under Wine, on an Xvfb of its own with Mesa's software
# rasteriser under wined3d, side by side with a floor in the same run:
#   - the CPU time (user + system from /proc/PID/stat) over MEASURE_SECONDS, REPEATS times, in %
#     of one core, of the game's own process (varnelle.exe) and of the wineserver, which serves
#     every Wine call that crosses processes; for the level-select screen, a stopped level with the
#     pointer still, and a running level; each also as a ratio to the floor;
#   - the floor: bench/floor/floor_d3d9_present.exe, a bare 60 Hz Direct3D 9 clear and present of a
#     640 × 480 window with the game's present parameters, measured the same way.
# Everything runs in a Wine prefix of its own in a temporary folder (csmt off and unmanaged windows,
# as cmake/wine-run sets up for the tests), with ALSA's null output for DirectSound; the prefix and
# the Xvfb are removed at the end.
# Usage: bench/game-process-windows.sh [WINDOWS_BUILD_FOLDER]   (default: build-windows)
# Environment: MEASURE_SECONDS (10), REPEATS (3), SCREEN (1024x768), INTRO_SECONDS (8), SHOTS (a
#   folder for the picture each phase ended on).
set -uo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(cd "${1:-build-windows}" && pwd) || exit 1
measure_seconds=${MEASURE_SECONDS:-10}
repeats=${REPEATS:-3}
screen=${SCREEN:-1024x768}
game=$build_dir/varnelle.exe
floor=$build_dir/bench/floor/floor_d3d9_present.exe
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ -f "$floor" ] || fail "no $floor (build it: cmake --build $build_dir --target floor_d3d9_present)"
if [ ! -f "$game" ]; then
  echo "game-process-windows: no $game yet; measuring the floor alone" >&2
  game=
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/varnelle-bench-wine.XXXXXX")
xvfb=
cleanup() {
  [ -n "${GAME_PID:-}" ] && kill -9 "$GAME_PID" 2>/dev/null
  WINEPREFIX=$work/prefix "$wineserver" -k 2>/dev/null
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

# ALSA's silent output in a HOME of the run's own: DirectSound opens it and plays in real time.
export HOME=$work/home
mkdir -p "$HOME"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$HOME/.asoundrc"
"$source_dir/cmake/wine-run" --make-prefix "$work/prefix" || fail "cannot make a Wine prefix"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

Xvfb -displayfd 3 -screen 0 "${screen}x24" -noreset -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
# One Wine session for the whole run, its services and desktop started before anything is measured.
"$wineserver" -p
"$wine" cmd /c exit </dev/null >/dev/null 2>&1
# prefix_process PATTERN: the process of this run's prefix whose command line matches PATTERN
# (other Wine sessions on the machine run the same programs).
prefix_process() {
  local pid
  for pid in $(pgrep -f "$1"); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return 0
    fi
  done
  return 1
}
server_pid=$(prefix_process "^$wineserver") || fail "no wineserver for the run's prefix"

# cpu_ticks PID: user + system time of the whole process so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# cpu_pair PID: "PROGRAM SERVER", each in % of one core over the next MEASURE_SECONDS.
cpu_pair() {
  local program_before server_before program_after server_after
  program_before=$(cpu_ticks "$1")
  server_before=$(cpu_ticks "$server_pid")
  sleep "$measure_seconds"
  program_after=$(cpu_ticks "$1")
  server_after=$(cpu_ticks "$server_pid")
  awk -v p=$((program_after - program_before)) -v s=$((server_after - server_before)) \
    -v hz="$(getconf CLK_TCK)" -v seconds="$measure_seconds" \
    'BEGIN { printf "%.1f %.1f", 100 * p / hz / seconds, 100 * s / hz / seconds }'
}
median() { tr ' ' '\n' <<<"$1" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# measure PID: REPEATS samples; sets PROGRAM_SAMPLES, SERVER_SAMPLES, TOTAL_SAMPLES.
measure() {
  local i pair program=() server=() total=()
  for ((i = 0; i < repeats; i++)); do
    pair=$(cpu_pair "$1")
    program+=("${pair% *}")
    server+=("${pair#* }")
    total+=("$(awk -v a="${pair% *}" -v b="${pair#* }" 'BEGIN { printf "%.1f", a + b }')")
  done
  PROGRAM_SAMPLES="${program[*]}"
  SERVER_SAMPLES="${server[*]}"
  TOTAL_SAMPLES="${total[*]}"
}

echo "== floor (60 Hz, 640 × 480, Wine $("$wine" --version 2>/dev/null), Xvfb $screen, ${GALLIUM_DRIVER:-llvmpipe})"
"$wine" "$floor" $((measure_seconds * repeats + 5)) </dev/null >"$work/floor.txt" 2>&1 &
floor_wine=$!
sleep 3
floor_pid=$(prefix_process 'floor_d3d9_present\.exe')
[ -n "$floor_pid" ] || fail "the floor did not start: $(cat "$work/floor.txt")"
measure "$floor_pid"
floor_total=$(median "$TOTAL_SAMPLES")
echo "floor_d3d9_present: $(median "$PROGRAM_SAMPLES") % + wineserver $(median "$SERVER_SAMPLES") % = $floor_total % of one core (samples: $TOTAL_SAMPLES)"
wait "$floor_wine" || fail "the floor failed: $(cat "$work/floor.txt")"

[ -n "$game" ] || exit 0

# report NAME: one phase's line, with the ratio to the floor (and with SHOTS=DIR, the picture the
# phase ended on, DIR/NAME.xwd, to see what was measured).
report() {
  measure "$GAME_PID"
  if [ -n "${SHOTS:-}" ]; then
    mkdir -p "$SHOTS"
    xwd -silent -id "$GAME_CLIENT" >"$SHOTS/${1//[^a-z]/-}.xwd"
  fi
  awk -v name="$1" -v p="$(median "$PROGRAM_SAMPLES")" -v s="$(median "$SERVER_SAMPLES")" \
    -v t="$(median "$TOTAL_SAMPLES")" -v floor="$floor_total" -v samples="$TOTAL_SAMPLES" 'BEGIN {
      printf "%-22s %5.1f %% + wineserver %4.1f %% = %5.1f %%  = %5.2f × floor  (samples: %s)\n",
        name ":", p, s, t, (floor > 0 ? t / floor : 0), samples }'
}
wait_for() {
  local seconds=$1 what=$2 i
  shift 2
  for ((i = 0; i < seconds * 10; i++)); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "timed out after $seconds s waiting for $what: $(cat "$work/game/bin/console.txt" 2>/dev/null)"
}
# The question and the game's window are both titled "Varnelle"; only the game's window has a
# child X window, its client area, where the picture is drawn and clicks go.
client_of() { xwininfo -children -id "$1" 2>/dev/null | awk '$1 ~ /^0x/ { print $1; exit }'; }
named_windows() { xdotool search --all --onlyvisible --name '^Varnelle$' 2>/dev/null; }
question() {
  local id
  for id in $(named_windows); do [ -z "$(client_of "$id")" ] && { echo "$id"; return 0; }; done
  return 1
}
game_client() {
  local id
  for id in $(named_windows); do [ -n "$(client_of "$id")" ] && { client_of "$id"; return 0; }; done
  return 1
}
point() { xdotool mousemove --window "$GAME_CLIENT" "$1" "$2"; }
# The pointer is brought there first, as a player's hand does, so the press is sampled there.
click() { point "$1" "$2"; sleep 0.1; xdotool click 1; sleep 0.2; }

echo "== $game ($measure_seconds s × $repeats per phase, windowed)"
mkdir -p "$work/game/bin"
ln -s "$source_dir/data" "$work/game/data"
ln -s "$source_dir/music" "$work/game/music"
(cd "$work/game/bin" && exec "$wine" "$game" </dev/null >console.txt 2>&1) &
game_wine=$!
wait_for 60 "the question \"Fullscreen?\"" question
# "n" answers "No"; sent again while the question is there (its window may be made anew as it shows).
answered() {
  local id
  game_client && return 0
  id=$(question) && xdotool key --window "$id" n 2>/dev/null
  return 1
}
wait_for 60 "the game's window" answered
GAME_CLIENT=$(game_client)
GAME_PID=$(prefix_process 'varnelle\.exe')
[ -n "$GAME_PID" ] || fail "no varnelle.exe process"
point 600 460
sleep "${INTRO_SECONDS:-8}"  # the 4-second intro (240 frames), and more, as frames may come late
report "level select"

# Level 1, stopped, the pointer resting on the field.
click 260 70
point 300 300
sleep 1
report "stopped level, still"

# Its eleven down conveyors laid, then running (the win comes after 15 s; it keeps ticking).
for y in 0 1 2 3 4 5 6 7 8 9 10; do
  click 208 $((100 + 24 * y))
  click 208 $((100 + 24 * y))
done
click 420 60
point 600 460
report "running level"
echo "peak resident memory of varnelle.exe: $(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$GAME_PID/status") MB"
# Escape ends the game; typed through XTEST to the window under the pointer (no window manager
# gives focus otherwise). Failing that, the close button of the frame Wine draws.
point 300 300
xdotool key Escape
ended() { ! kill -0 "$game_wine" 2>/dev/null; }
for _ in $(seq 100); do ended && break; sleep 0.1; done
if ! ended; then
  frame=$(xdotool search --all --onlyvisible --name '^Varnelle$' 2>/dev/null | head -n1)
  geometry=$(xwininfo -id "$frame" 2>/dev/null)
  x=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$geometry")
  y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$geometry")
  width=$(awk '/Width:/ { print $NF }' <<<"$geometry")
  xdotool mousemove $((x + width - 12)) $((y + 12)) click 1
  for _ in $(seq 300); do ended && break; sleep 0.1; done
fi
ended || fail "the game did not end on Escape nor on its close button"
wait "$game_wine"
status=$?
GAME_PID=
[ "$status" -eq 0 ] || fail "the game ended with $status: $(cat "$work/game/bin/console.txt")"
