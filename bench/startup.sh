#!/usr/bin/env bash
# startup_ms: from starting scrb to its main window managed (mapped) by the
# window manager, under Xvfb with openbox and a fresh home each run;
# startup_rss_mb: its resident memory a second later, idle. Medians.
# Usage: startup.sh <scrb binary> [runs, default 5]   (inside xvfb-run)
set -euo pipefail
scrb=$(realpath "$1")
runs=${2:-5}
for tool in openbox xprop xdotool; do
  command -v $tool >/dev/null || { echo "startup_ms: n/a"; echo "startup_rss_mb: n/a"; exit 0; }
done
work=$(mktemp -d)
openbox >/dev/null 2>&1 & wm=$!
trap 'kill $wm 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
times=() rss=()
for ((i = 0; i < runs; ++i)); do
  home=$work/home$i
  mkdir -p "$home/config" "$home/tmp"
  # The window manager lists each window it manages: the list's first change
  # after the start is the editor's window.
  coproc SPY { exec xprop -root -spy _NET_CLIENT_LIST; }
  read -r _ <&"${SPY[0]}"
  t0=$(date +%s%N)
  HOME=$home XDG_CONFIG_HOME=$home/config TMPDIR=$home/tmp QT_QPA_PLATFORM=xcb \
    "$scrb" >"$home/log" 2>&1 & pid=$!
  read -r _ <&"${SPY[0]}"
  t1=$(date +%s%N)
  kill "$SPY_PID" 2>/dev/null || true
  xdotool search --onlyvisible --name '^Scribo' >/dev/null || { echo "startup: no Scribo window" >&2; exit 1; }
  sleep 1
  rss+=("$(awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status")")
  times+=("$(( (t1 - t0) / 1000 ))")
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
printf '%s\n' "${times[@]}" | median | awk '{ printf "startup_ms: %.1f\n", $1 / 1000 }'
printf '%s\n' "${rss[@]}" | median | awk '{ printf "startup_rss_mb: %.1f\n", $1 }'
