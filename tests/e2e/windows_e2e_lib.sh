# Shared steps of the Windows end-to-end tests: the shared steps of tests/e2e/e2e_lib.sh (the run
# folder, waiting, the expected log lines) with the game being varnelle.exe under Wine, in a Wine
# prefix and an Xvfb of the test's own. Sourced by the windows_*.sh scripts after e2e_lib.sh's
# helpers; they call e2e_windows_setup first.
#
# Environment: E2E_GAME (varnelle.exe), E2E_SOURCE (the repository root, for data/, music/ and the
# reference pictures), E2E_WINE_RUN (cmake/wine-run, which makes prefixes).

source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

E2E_WINE=/usr/lib/wine/wine64
E2E_WINESERVER=/usr/lib/wine/wineserver64
[ -x "$E2E_WINESERVER" ] || E2E_WINESERVER=/usr/lib/wine/wineserver
E2E_PICTURES="python3 $(dirname "${BASH_SOURCE[0]}")/windows_pictures.py"
# E2E_WINEDEBUG gives Wine channels to trace into the game's errors.txt (kept with E2E_KEEP=1).
export WINEDEBUG=${E2E_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

e2e_windows_cleanup() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then "$E2E_WINESERVER" -k 2>/dev/null; fi
  e2e_cleanup
}

# e2e_windows_setup WIDTHxHEIGHT: a scratch folder, an Xvfb of its own, a Wine prefix in the
# scratch folder with one running session on that display, and a HOME whose ALSA default is a
# silent output (DirectSound needs an output device; the machine may have no sound card).
e2e_windows_setup() {
  e2e_setup "${1:-1024x768}"
  trap e2e_windows_cleanup EXIT
  export HOME="$E2E_WORK/home"
  mkdir -p "$HOME"
  printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
  "$E2E_WINE_RUN" --make-prefix "$E2E_WORK/prefix" || e2e_fail "cannot make a Wine prefix"
  export WINEPREFIX="$E2E_WORK/prefix"
  # The session's services and desktop start with its first program and would inherit the game's
  # console: started here, with their output going nowhere.
  "$E2E_WINESERVER" -p
  "$E2E_WINE" cmd /c exit </dev/null >/dev/null 2>&1
}

# e2e_start_game: varnelle.exe in the run folder's build/, its console in build/console.txt. The
# error stream goes to build/errors.txt: Wine's own libraries write there (ALSA finds no MIDI
# sequencer on a machine without a sound card), which is no line of the game's.
e2e_start_game() {
  (cd "$E2E_RUN/build" && exec "$E2E_WINE" "$E2E_GAME" >console.txt 2>errors.txt </dev/null) &
  GAME_PID=$!
}

# The question is a message box titled "Varnelle" with no child X window; the game window, titled
# the same, has one: its client area, where the graphic engine draws.
client_of() { xwininfo -children -id "$1" 2>/dev/null | awk '$1 ~ /^0x/ { print $1; exit }'; }
find_named_windows() { xdotool search --all --onlyvisible --name '^Varnelle$' 2>/dev/null; }
find_question() {
  local window
  for window in $(find_named_windows); do
    [ -z "$(client_of "$window")" ] && { echo "$window"; return 0; }
  done
  return 1
}
find_game_window() {
  local window
  for window in $(find_named_windows); do
    [ -n "$(client_of "$window")" ] && { echo "$window"; return 0; }
  done
  return 1
}
question_shown() { [ -n "$(find_question)" ]; }
game_window_shown() { [ -n "$(find_game_window)" ]; }

# e2e_answer No|Yes: the message box's keys ("n" is No, "y" Yes). A box that has just appeared may
# not have the keyboard yet and lose the key, so the key goes again until the box is gone.
e2e_answer() {
  local key=n question deadline=$((SECONDS + 60))
  [ "$1" = Yes ] && key=y
  e2e_wait 60 "the start-up question" question_shown
  while question=$(find_question); do
    [ $SECONDS -lt $deadline ] || e2e_fail "the start-up question stayed for 60 s"
    xdotool key --window "$question" "$key" 2>/dev/null
    for _ in $(seq 40); do
      question_shown || return 0
      sleep 0.05
    done
  done
}

# e2e_wait_game_window: GAME_WINDOW (the frame) and GAME_CLIENT (its client area).
e2e_wait_game_window() {
  e2e_wait 60 "the game window" game_window_shown
  GAME_WINDOW=$(find_game_window)
  GAME_CLIENT=$(client_of "$GAME_WINDOW")
}

# e2e_click X Y [BUTTON]: a click at client pixel (X, Y) of the game window, the pointer brought
# there first as a player's hand does.
e2e_click() {
  xdotool mousemove --window "$GAME_CLIENT" "$1" "$2"
  sleep 0.1
  xdotool click "${3:-1}"
  sleep 0.1
}

# e2e_shot FILE: the client area's pixels, as an RGB PNG.
e2e_shot() { xwd -silent -id "$GAME_CLIENT" | $E2E_PICTURES png - "$1"; }

# shows_area X Y W H REFERENCE RX RY: the client area shows, at (X, Y), the W × H area of the
# reference picture at (RX, RY).
shows_area() {
  e2e_shot "$E2E_WORK/poll.png" && $E2E_PICTURES same "$E2E_WORK/poll.png" "$1" "$2" "$5" "$6" "$7" "$3" "$4"
}

# client_geometry WIDTHxHEIGHT+X+Y of the client area on the screen.
client_geometry() {
  xwininfo -id "$GAME_CLIENT" 2>/dev/null | awk '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF }
    END { print w "x" h "+" x "+" y }'
}

# e2e_close_window: a click on the close button of the title bar Wine draws for the window (no
# window manager runs): its right end, half the caption's height down.
e2e_close_window() {
  local geometry x y width
  geometry=$(xwininfo -id "$GAME_WINDOW" 2>/dev/null)
  x=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$geometry")
  y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$geometry")
  width=$(awk '/Width:/ { print $NF }' <<<"$geometry")
  xdotool mousemove $((x + width - 12)) $((y + 12)) click 1
}

# Areas of the level-select screen in back-buffer pixels, free of text: level cell N's (0 to 12)
# difficulty strip and the place of its solved mark.
strip_area() { echo $((220 + 80 * ($1 % 5))) $((64 + 80 * ($1 / 5))) 80 14; }
mark_area() { echo $((220 + 80 * ($1 % 5))) $((84 + 80 * ($1 / 5))) 80 20; }
