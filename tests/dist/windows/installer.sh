#!/usr/bin/env bash
# The Windows installer under Wine, silently (/S) as a player's account: no administrator rights,
# the zip's files in %LOCALAPPDATA%\Programs\Varnelle, a Start-menu entry that starts the game in
# its bin\ folder, an uninstaller listed under the installed apps; then the uninstaller, silently,
# leaves no folder, shortcut or registry key behind (and takes the game's Log.log with it).
# With DIST_START=stand-in the package holds the stand-in (package_stand_in.cpp), started here
# through the Start-menu entry as Explorer would: it reports in bin\Log.log what it could read.
# With DIST_START=game the game itself is started from the entry on the display given, played no
# further than its music, and closed.
# Environment: DIST_SETUP, DIST_START (stand-in, game or none), DIST_VERSION, DIST_WINE_RUN,
# DIST_SHORTCUT_FIELDS; VARNELLE_WINEPREFIX, the test run's prefix (scripts/test-windows), else
# the test boots one of its own.
source "$(dirname "$0")/../dist_lib.sh"
dist_work
zip=${DIST_SETUP%-setup.exe}.zip
[ -f "$DIST_SETUP" ] && [ -f "$zip" ] || dist_fail "no $DIST_SETUP or $zip"

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -n "${VARNELLE_WINEPREFIX:-}" ]; then
  export WINEPREFIX=$VARNELLE_WINEPREFIX
else
  export WINEPREFIX=$DIST_WORK/prefix
  trap '"$wineserver" -k 2>/dev/null; if [ -z "${E2E_KEEP:-}" ]; then rm -rf "$DIST_WORK"; fi' EXIT
  "$DIST_WINE_RUN" --make-prefix "$WINEPREFIX" || dist_fail "cannot make a Wine prefix"
fi
cd "$DIST_WORK"

# in_windows COMMAND...: a command of Wine's cmd, its output without carriage returns.
in_windows() { "$wine" cmd /c "$@" </dev/null 2>/dev/null | tr -d '\r'; }
unix_path() { "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnelle'
# registry_value NAME: one value of the uninstall key, or nothing.
registry_value() {
  "$wine" reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' \
    | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
# wait_until SECONDS DESCRIPTION COMMAND...: COMMAND succeeds within SECONDS, else the test fails.
wait_until() {
  local seconds=$1 description=$2 i
  shift 2
  for ((i = 0; i < seconds * 5; i++)); do
    "$@" >/dev/null && return 0
    sleep 0.2
  done
  dist_fail "$description"
}

install_dir_windows="$(in_windows echo %LOCALAPPDATA%)\\Programs\\Varnelle"
shortcut_windows="$(in_windows echo %APPDATA%)\\Microsoft\\Windows\\Start Menu\\Programs\\Varnelle.lnk"
install_dir=$(unix_path "$install_dir_windows")
shortcut=$(unix_path "$shortcut_windows")
[ -n "$install_dir" ] && [ -n "$shortcut" ] || dist_fail "Wine does not give the user's folders"
[ ! -e "$install_dir" ] && [ ! -e "$shortcut" ] || dist_fail "Varnelle is installed in the prefix before the test"

# A failed test leaves no installed game, running or not, for the next one in a shared prefix.
remove_leftovers() {
  "$wine" taskkill /f /im varnelle.exe </dev/null >/dev/null 2>&1
  rm -rf "$install_dir" "$shortcut"
  "$wine" reg delete "$uninstall_key" /f >/dev/null 2>&1
}
if [ -n "${VARNELLE_WINEPREFIX:-}" ]; then
  trap '[ $? -eq 0 ] || remove_leftovers; if [ -z "${E2E_KEEP:-}" ]; then rm -rf "$DIST_WORK"; fi' EXIT
fi
"$wine" "$DIST_SETUP" /S </dev/null >"$DIST_WORK/setup.txt" 2>&1 \
  || { cat "$DIST_WORK/setup.txt" >&2; dist_fail "the silent installer failed"; }

# The zip's files and the uninstaller, nothing else.
unzip -q "$zip" -d "$DIST_WORK/zip" || dist_fail "unzip cannot unpack $zip"
[ -f "$install_dir/uninstall.exe" ] || dist_fail "no uninstall.exe in $install_dir_windows"
differences=$(diff -r -x uninstall.exe "$DIST_WORK/zip/Varnelle" "$install_dir") \
  || dist_fail "the installed files are not the zip's: $differences"

[ "$(registry_value DisplayName)" = Varnelle ] || dist_fail "no uninstall entry named Varnelle under $uninstall_key"
[ "$(registry_value DisplayVersion)" = "$DIST_VERSION" ] || dist_fail "the uninstall entry's version is not $DIST_VERSION"
[ "$(registry_value UninstallString)" = "\"$install_dir_windows\\uninstall.exe\"" ] \
  || dist_fail "the uninstall entry does not run $install_dir_windows\\uninstall.exe: $(registry_value UninstallString)"

[ -f "$shortcut" ] || dist_fail "no Start-menu entry $shortcut_windows"
fields=$("$wine" "$DIST_SHORTCUT_FIELDS" "$shortcut_windows" 2>&1 | tr -d '\r') || dist_fail "cannot read the shortcut: $fields"
expected_fields="target: $install_dir_windows\\bin\\varnelle.exe
working folder: $install_dir_windows\\bin"
[ "$fields" = "$expected_fields" ] || dist_fail "the shortcut's fields differ:
$(diff <(echo "$expected_fields") <(echo "$fields"))"

# start_from_shortcut: the shortcut opened through Wine's shell, as the Start menu opens it.
start_from_shortcut() {
  "$wine" start "$shortcut_windows" </dev/null >"$DIST_WORK/start.txt" 2>&1 \
    || dist_fail "wine start cannot start the shortcut (exit code $?):
$(cat "$DIST_WORK/start.txt")"
}

if [ "$DIST_START" = stand-in ]; then
  # Started through the shell from another folder, as the Start menu starts it; the shell does
  # not wait for it, so the test waits for its last log line.
  start_from_shortcut
  log=$install_dir/bin/Log.log
  # A Windows text file: CR LF line ends.
  log_lines() { tr -d '\r' 2>/dev/null <"$log"; }
  stand_in_done() { log_lines | grep -qx 'stand-in.message: done'; }
  wait_until 60 "the stand-in started from the shortcut wrote no \"done\" into bin\\Log.log" stand_in_done
  for file in ../data/logo.bmp ../music/main.mp3; do
    log_lines | grep -qx "stand-in.message: read $file" || dist_fail "started from the shortcut, the stand-in cannot read $file:
$(log_lines)"
  done
fi

if [ "$DIST_START" = game ]; then
  # The game started from the shortcut, answered "No", and closed once its music plays: its
  # Log.log in bin\ is that of a normal run, so it found ..\data and ..\music from there.
  [ -n "${DISPLAY:-}" ] || dist_fail "the game needs a display (run through tests/support/with-xvfb)"
  # DirectSound needs an output: ALSA's silent one, in a HOME of the prefix's own (as cmake/wine-run).
  export HOME=$WINEPREFIX/varnelle-home
  mkdir -p "$HOME"
  [ -f "$HOME/.asoundrc" ] || printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
  log=$install_dir/bin/Log.log
  log_lines() { tr -d '\r' 2>/dev/null <"$log"; }
  dist_fail() {
    printf 'FAIL: %s\n--- bin\\Log.log:\n%s\n' "$*" "$(log_lines)" >&2
    exit 1
  }
  client_of() { xwininfo -children -id "$1" 2>/dev/null | awk '$1 ~ /^0x/ { print $1; exit }'; }
  # The question and the game's window are both titled "Varnelle"; only the game's has a client
  # area, a child X window.
  varnelle_window() {
    local id client
    for id in $(xdotool search --all --onlyvisible --name '^Varnelle$' 2>/dev/null); do
      client=$(client_of "$id")
      case "$1:${client:+client}" in
        question: | game:client) echo "$id"; return 0 ;;
      esac
    done
    return 1
  }
  start_from_shortcut
  wait_until 60 "no question from the game started by its shortcut" varnelle_window question
  # "n" answers "No"; sent again while the question is still there (its window may be made anew
  # as it is shown).
  answered() {
    local question
    varnelle_window game && return 0
    question=$(varnelle_window question) && xdotool key --window "$question" n 2>/dev/null
    return 1
  }
  wait_until 60 "the question was not answered" answered
  music_plays() { log_lines | grep -qx "SE.message: Muzica!!!"; }
  wait_until 60 "the game started from its shortcut did not start its music" music_plays
  # Closed as its window's close button closes it: taskkill without /F sends the game's windows
  # WM_CLOSE. (The console Wine opens for a program started through the shell covers the
  # window's title bar.)
  "$wine" taskkill /im varnelle.exe </dev/null >/dev/null 2>&1 || dist_fail "taskkill cannot close the game"
  game_ended() { log_lines | grep -qx "SE.message: not Muzic"; }
  wait_until 60 "the game did not end when its window was closed" game_ended
  # Its process gone too (a running program's file cannot be removed): none of this prefix's
  # processes runs the installed game.
  game_process_gone() {
    local pid
    for pid in $(pgrep -f 'Programs.Varnelle.bin.varnelle\.exe'); do
      tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && return 1
    done
    return 0
  }
  wait_until 60 "the game's process did not end" game_process_gone
  # E2E_NORMAL_RUN_LINES: the lines of a normal run, as the Linux end-to-end tests expect them.
  source "$DIST_SOURCE/tests/e2e/e2e_lib.sh"
  [ "$(log_lines)" = "$E2E_NORMAL_RUN_LINES" ] || dist_fail "bin\\Log.log is not that of a normal run:
$(diff <(echo "$E2E_NORMAL_RUN_LINES") <(log_lines))"
fi

"$wine" "$install_dir/uninstall.exe" /S </dev/null >"$DIST_WORK/uninstall.txt" 2>&1 \
  || { cat "$DIST_WORK/uninstall.txt" >&2; dist_fail "the silent uninstaller failed"; }
# The uninstaller runs on as a copy of itself in %TEMP%, so that it can remove its own file.
nothing_left() { [ ! -e "$install_dir" ] && [ ! -e "$shortcut" ] && [ -z "$(registry_value DisplayName)" ]; }
if ! (wait_until 60 "" nothing_left) 2>/dev/null; then
  dist_fail "left after uninstalling:
$(find "$install_dir" "$shortcut" 2>/dev/null)
$("$wine" reg query "$uninstall_key" 2>/dev/null)"
fi
echo "PASS"
