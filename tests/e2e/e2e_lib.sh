# Shared steps of the end-to-end tests: an X server of the test's own, a run folder, the game in
# it, and polling for what the game shows. Sourced by the test scripts; they call e2e_setup first.
#
# Environment: E2E_GAME (the varnelle executable), E2E_TOOL (e2e_x11), E2E_SOURCE (the repository
# root, for data/ and music/), E2E_REPLAY (varnelle-replay, may be missing).

set -uo pipefail

e2e_fail() {
  echo "FAIL: $*" >&2
  if [ -n "${E2E_RUN:-}" ] && [ -f "$E2E_RUN/build/console.txt" ]; then
    echo "--- console of the game:" >&2
    cat "$E2E_RUN/build/console.txt" >&2
  fi
  exit 1
}

e2e_cleanup() {
  if [ -n "${GAME_PID:-}" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null; fi
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; fi
  if [ -n "${E2E_WORK:-}" ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$E2E_WORK"; fi
}

# e2e_setup WIDTHxHEIGHT: a scratch folder and an Xvfb on a free display number of its own
# (Xvfb picks it and reports it through -displayfd, so parallel tests never collide).
e2e_setup() {
  E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnelle-e2e.XXXXXX")
  trap e2e_cleanup EXIT
  e2e_start_xvfb "${1:-1024x768}"
  export ALSOFT_DRIVERS=null
}

# e2e_start_xvfb WIDTHxHEIGHT: a fresh X server (tests that stop it start the next one here).
e2e_start_xvfb() {
  rm -f "$E2E_WORK/display"
  # -noreset: without it the server resets when its last client leaves and the pointer jumps.
  Xvfb -displayfd 3 -screen 0 "${1}x24" -noreset -nolisten tcp 3>"$E2E_WORK/display" \
    >>"$E2E_WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  e2e_wait 10 "the X server to start" test -s "$E2E_WORK/display"
  export DISPLAY=":$(head -n 1 "$E2E_WORK/display")"
}

# e2e_wait SECONDS WHAT COMMAND...: polls COMMAND every 50 ms until it succeeds.
e2e_wait() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || e2e_fail "timed out after ${seconds} s waiting for $what"
    sleep 0.05
  done
}

# e2e_run_folder [no-data] [no-music]: E2E_RUN with build/, data/ and music/ beside each other, so
# that the game started in build/ finds "../data/" and "../music/" (or, on request, does not).
e2e_run_folder() {
  E2E_RUN="$E2E_WORK/run"
  mkdir -p "$E2E_RUN/build"
  local option
  local with_data=1 with_music=1
  for option in "$@"; do
    case $option in
      no-data) with_data=0 ;;
      no-music) with_music=0 ;;
    esac
  done
  [ $with_data -eq 1 ] && ln -s "$E2E_SOURCE/data" "$E2E_RUN/data"
  mkdir -p "$E2E_RUN/music"
  [ $with_music -eq 1 ] && ln -s "$E2E_SOURCE/music/main.mp3" "$E2E_RUN/music/main.mp3"
  return 0
}

# e2e_start_game: the game in the run folder's build/, its console in build/console.txt.
e2e_start_game() {
  (cd "$E2E_RUN/build" && exec "$E2E_GAME" >console.txt 2>&1 </dev/null) &
  GAME_PID=$!
}

game_running() { kill -0 "$GAME_PID" 2>/dev/null; }

# The visible windows of the game; the start-up question has no title, the game window is "Varnelle".
find_question() { xdotool search --all --onlyvisible --pid "$GAME_PID" --name '^$' 2>/dev/null | head -n 1; }
find_game_window() { xdotool search --all --onlyvisible --pid "$GAME_PID" --name '^Varnelle$' 2>/dev/null | head -n 1; }
question_shown() { [ -n "$(find_question)" ]; }
# find_fullscreen_window WIDTH HEIGHT: the game's visible window as large as the screen. Found by
# its size, since without a window manager the toolkit makes the full-screen window anew and its
# title can be lost.
find_fullscreen_window() {
  local window
  for window in $(xdotool search --all --onlyvisible --pid "$GAME_PID" --name '' 2>/dev/null); do
    if [ "$(window_geometry "$window")" = "${1}x${2}+0+0" ]; then
      echo "$window"
      return 0
    fi
  done
  return 1
}
game_window_shown() { [ -n "$(find_game_window)" ]; }

# e2e_answer No|Yes|Close: "Yes" is the dialog's default button (Return), Escape answers "No",
# and Close closes the dialog's window (which counts as "No").
e2e_answer() {
  e2e_wait 20 "the start-up question" question_shown
  local question
  question=$(find_question)
  case $1 in
    Yes) xdotool key --window "$question" Return 2>/dev/null ;;
    Close) "$E2E_TOOL" close "$question" ;;
    *) xdotool key --window "$question" Escape 2>/dev/null ;;
  esac
}

# e2e_check_windowed: the game window of a "No" answer, 640 × 480 at (20, 20). The game shows the
# window at (0, 10) and then moves it, so a busy machine can see it in between for a moment.
at_windowed_place() { [ "$(window_geometry "$GAME_WINDOW")" = "640x480+20+20" ]; }
e2e_check_windowed() {
  local deadline=$((SECONDS + 5))
  until at_windowed_place; do
    [ $SECONDS -lt $deadline ] \
      || e2e_fail "the game window is not 640 x 480 at (20, 20): $(window_geometry "$GAME_WINDOW")"
    sleep 0.05
  done
}

# window_geometry WINDOW: WIDTHxHEIGHT+X+Y
window_geometry() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 1
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

e2e_wait_game_window() {
  e2e_wait 20 "the game window" game_window_shown
  GAME_WINDOW=$(find_game_window)
}

# e2e_wait_exit SECONDS: waits for the game to end and sets GAME_STATUS to its exit code.
e2e_wait_exit() {
  e2e_wait "$1" "the game to end" eval '! game_running'
  wait "$GAME_PID"
  GAME_STATUS=$?
  GAME_PID=
}

# e2e_click X Y [BUTTON]: a click at window pixel (X, Y) of the game window.
e2e_click() {
  xdotool mousemove --window "$GAME_WINDOW" "$1" "$2" click "${3:-1}"
  sleep 0.05
}

# e2e_shot FILE: the game window's pixels.
e2e_shot() { "$E2E_TOOL" shot "$GAME_WINDOW" "$1"; }

# e2e_wait_picture SECONDS REFERENCE.png: polls screenshots of the game window until one is the
# reference pixel for pixel.
shows_picture() {
  e2e_shot "$E2E_WORK/poll.png" && "$E2E_TOOL" compare "$E2E_WORK/poll.png" "$1"
}
e2e_wait_picture() { e2e_wait "$1" "the picture $(basename "$2")" shows_picture "$2"; }

# The engines' lines of a normal run, start to end, in order: on the console and in "Log.log".
# The one place that pins the whole sequence; the engines' own tests check only their faults.
E2E_NORMAL_RUN_LINES='GE.message: GE init...
GE.message: D3D is created
GE.message: Device is created
GE.message: Options was changed
GE.message: Fonts are created
GE.message: Vertex buffer is created
GE.message: GE was loaded
SE.message: Muzica!!!
GE.message: GE killing...
GE.message: GE was killed
SE.message: not Muzic'

# The console's last line, and the console with the banner stripped.
console_last_line() { tail -n 1 "$E2E_RUN/build/console.txt"; }

# e2e_check_engines_ended WHAT: every engine that said on the console it was ready also said it
# was destroyed (for an end during start-up).
e2e_check_engines_ended() {
  local console="$E2E_RUN/build/console.txt"
  if grep -q '^GE.message: GE init...$' "$console"; then
    grep -q '^GE.message: GE was killed$' "$console" || e2e_fail "$1: graphics started but were not destroyed"
  fi
  if grep -q '^SE.message: Muzica!!!$' "$console"; then
    grep -q '^SE.message: not Muzic$' "$console" || e2e_fail "$1: sound started but was not destroyed"
  fi
}
