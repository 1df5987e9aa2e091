#!/usr/bin/env bash
# The replay runner's peak memory (maximum resident set) on a one-line script and on a 30 MB one,
# from a file and from standard input: the runner reads a script as it runs, so the three should
# be about the same. Usage: bench/replay-memory.sh [BUILD]
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/varnelle-replay-memory.XXXXXX")
trap 'rm -rf "$work"' EXIT

echo 'wait 1' >"$work/small.replay"
# 30 MB of moves and presses, which run no frame, then one frame.
awk 'BEGIN { while (bytes < 30 * 1024 * 1024) { line = sprintf("move %d %d\npress left\nrelease left\n", n % 300, n % 200);
             printf "%s", line; bytes += length(line); n++ } print "wait 1" }' >"$work/big.replay"

peak() {
  local kilobytes
  kilobytes=$(cd "$build_dir" && /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1)
  echo "$((kilobytes / 1024)) MB"
}
echo "one-line script:             $(peak ./varnelle-replay "$work/small.replay")"
echo "30 MB script:                $(peak ./varnelle-replay "$work/big.replay")"
echo "30 MB script, standard input: $(peak sh -c './varnelle-replay - <"$1"' sh "$work/big.replay")"
