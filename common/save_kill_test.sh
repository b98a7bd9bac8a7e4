#!/usr/bin/env bash
# A save killed at any moment leaves the file whole: starts a program that saves one file in a
# loop under Wine, kills its process with SIGKILL at a random moment once it is saving, and
# checks that the file holds one complete save, old or new. Repeats for a bounded time.
# Usage: save_kill_test.sh <save_loop.exe> [kills] [seconds]
set -uo pipefail
saver=$1
kills=${2:-12}
budget=${3:-90}
source "$(dirname "$0")/../tools/wine-env.sh"

dir=$(mktemp -d "${TMPDIR:-/tmp}/save-kill.XXXXXX")
trap 'rm -rf "$dir"' EXIT
file="$dir/saved.txt"
winfile="Z:${file//\//\\}"

# The generation of a whole save, or failure: every line the same number, as many lines as
# that number calls for, and nothing after the last line's end.
whole_generation() {
  [ -s "$1" ] || return 1
  tail -c 2 "$1" | od -An -c | grep -q '\\r  \\n' || return 1
  tr -d '\r' <"$1" | awk 'NR == 1 { g = $0 } $0 != g { bad = 1 }
    END { if (bad || NR != 1000 + (g % 5) * 1000 || g !~ /^[0-9]+$/) exit 1; print g + 0 }'
}

start=$SECONDS
done_kills=0
previous=""
while [ "$done_kills" -lt "$kills" ] && [ $((SECONDS - start)) -lt "$budget" ]; do
  first=$(((done_kills + 1) * 1000000))
  wine "$saver" "$winfile" "$first" &
  pid=$!
  # Wait until this run has saved at least once, then let it run on a random while.
  saving=""
  for _ in $(seq 600); do
    g=$(whole_generation "$file" 2>/dev/null) && [ "$g" -ge "$first" ] && saving=1 && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ -z "$saving" ]; then
    echo "the saver never saved (run $((done_kills + 1)))"
    kill -KILL "$pid" 2>/dev/null
    exit 1
  fi
  sleep "0.$(printf '%03d' $((RANDOM % 1000)))"
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null
  done_kills=$((done_kills + 1))
  if ! g=$(whole_generation "$file"); then
    echo "after kill $done_kills the file is missing, empty or not one whole save:"
    ls -l "$dir"
    head -c 200 "$file" 2>/dev/null | od -c | head -5
    exit 1
  fi
  if [ "$g" -lt "$first" ]; then
    echo "after kill $done_kills the file went back to generation $g (this run began at $first)"
    exit 1
  fi
  previous=$g
done
left=$(find "$dir" -name '*.tmp' | wc -l)
echo "$done_kills kills in $((SECONDS - start)) s, the file whole after each (last generation" \
  "$previous); $left temporary files left by killed saves"
[ "$done_kills" -ge 3 ] || { echo "too few kills in the time allowed"; exit 1; }
