#!/usr/bin/env bash
# The installed launcher refuses to start the game when it cannot lay out the player's folder or
# find the installed game: it says which folder and why, exits 1, and the game never starts (the
# game's banner would be its first output). The tests run as root, whom permission bits do not
# stop, so a regular file stands where a folder should be.
source "$(dirname "$0")/dist_lib.sh"
dist_work
prefix="$DIST_WORK/prefix"
dist_install "$prefix"

# refuses CASE EXPECTED-MESSAGE ENVIRONMENT...: the launcher, started with only the given
# environment (and PATH), prints the message on the error stream and nothing else.
refuses() {
  local what=$1 expected=$2
  shift 2
  local start="$DIST_WORK/start"
  mkdir -p "$start"
  (cd "$start" && env -i PATH="$PATH" "$@" "$prefix/bin/varnelle" >"$DIST_WORK/out.txt" 2>"$DIST_WORK/err.txt" </dev/null)
  local status=$?
  [ "$status" -eq 1 ] || dist_fail "$what: exit code $status, expected 1"
  [ ! -s "$DIST_WORK/out.txt" ] || dist_fail "$what: the game started: $(head -n 3 "$DIST_WORK/out.txt")"
  [ "$(cat "$DIST_WORK/err.txt")" = "$expected" ] || dist_fail "$what: the message is \"$(cat "$DIST_WORK/err.txt")\""
  [ -z "$(ls -A "$start")" ] || dist_fail "$what: something was written into the starting folder"
  echo "$what: \"$expected\""
}

home="$DIST_WORK/home-with-file"
mkdir -p "$home"
touch "$home/.local"
refuses "a file in place of HOME/.local" \
  "varnelle: cannot make the folder $home/.local/state/varnelle/run: Not a directory" HOME="$home"

touch "$DIST_WORK/state-file"
refuses "XDG_STATE_HOME is a file" \
  "varnelle: cannot make the folder $DIST_WORK/state-file/varnelle/run: Not a directory" \
  HOME="$DIST_WORK/unused" XDG_STATE_HOME="$DIST_WORK/state-file"

refuses "neither HOME nor XDG_STATE_HOME" \
  "varnelle: cannot find the player's folder: neither HOME nor XDG_STATE_HOME is set"

# A relative XDG_STATE_HOME is ignored, as the XDG rules say: the folder comes from HOME.
refuses "a relative XDG_STATE_HOME and no HOME" \
  "varnelle: cannot find the player's folder: neither HOME nor XDG_STATE_HOME is set" XDG_STATE_HOME=state

state="$DIST_WORK/home-with-folder/.local/state/varnelle"
mkdir -p "$state/data"
touch "$state/data/picture.bmp"
refuses "a folder in place of the link to the pictures" \
  "varnelle: cannot make the link $state/data: something else is in its place" HOME="$DIST_WORK/home-with-folder"

rm "$prefix/libexec/varnelle/varnelle"
refuses "no game installed" \
  "varnelle: the game is not installed at $(cd "$prefix" && pwd -P)/libexec/varnelle/varnelle" HOME="$DIST_WORK/home"
echo "PASS"
