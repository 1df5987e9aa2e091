#!/usr/bin/env bash
# Renders the music loop and encodes it into music/main.mp3.
# Usage: tools/music/make-music.sh [build folder, default build]
# lame writes its Info tag, from which mpg123 knows the exact (gapless) length of the loop.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target varnelle-synth varnelle-music-check -j2 >/dev/null
wav="$build/tools/music/main.wav"
"$build/tools/music/varnelle-synth" "$wav"
lame --quiet --noreplaygain -q 2 -b 160 "$wav" music/main.mp3
"$build/tools/music/varnelle-music-check" music/main.mp3
ls -l music/main.mp3
