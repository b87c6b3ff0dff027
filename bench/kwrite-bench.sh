#!/usr/bin/env bash
# Opens and saves a file in KWrite under a virtual X server of its own, the
# comparison for the editor's figures on the same file in the same run:
#   kwrite_open_50mb_ms      start until the window has reacted to a key
#   kwrite_open_50mb_rss_mb  its resident memory then
#   kwrite_save_50mb_ms      Ctrl+S until the title shows the file saved
# Usage: bench/kwrite-bench.sh <file>. Prints "skipped" for each figure when
# kwrite, Xvfb or xdotool is missing (SCRB_BENCH_DEPS=1 scripts/install-deps.sh
# installs them).
set -uo pipefail
file=$1
figures=(kwrite_open_50mb_ms kwrite_open_50mb_rss_mb kwrite_save_50mb_ms)
skip() {
  echo "kwrite-bench: $1" >&2
  for f in "${figures[@]}"; do echo "$f: skipped"; done
  exit 0
}
for tool in kwrite Xvfb xdotool; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
xvfb=""; kw=""
cleanup() {
  [ -n "$kw" ] && kill "$kw" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
name=$(basename "$file")
cp "$file" "$work/$name"
export HOME="$work/home"   # a first run, touching no real settings
mkdir -p "$HOME"
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || skip "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# Waits until the window title matches (or, with !, no longer matches) a
# pattern; fails after five minutes.
wait_title() {
  local deadline=$(( $(now_ms) + 300000 )) title
  while [ "$(now_ms)" -lt "$deadline" ]; do
    title=$(xdotool getwindowname "$win" 2>/dev/null)
    if [ "$1" = "!" ]; then [[ "$title" != *"$2"* ]] && return 0
    else [[ "$title" == *"$1"* ]] && return 0; fi
    sleep 0.01
  done
  return 1
}

start=$(now_ms)
kwrite "$work/$name" >/dev/null 2>&1 &
kw=$!
win=""
deadline=$(( start + 300000 ))
while [ -z "$win" ] && [ "$(now_ms)" -lt "$deadline" ]; do
  win=$(xdotool search --name "^$name" 2>/dev/null | head -1)
  [ -z "$win" ] && sleep 0.02
done
[ -n "$win" ] || skip "no KWrite window appeared"
xdotool windowfocus "$win" 2>/dev/null
xdotool key --window "$win" x
wait_title "*" || skip "KWrite did not react to a key"
echo "kwrite_open_50mb_ms: $(( $(now_ms) - start ))"
awk '/^VmRSS/ { printf "kwrite_open_50mb_rss_mb: %.1f\n", $2 / 1024 }' "/proc/$kw/status"
start=$(now_ms)
xdotool key --window "$win" ctrl+s
wait_title "!" "*" || skip "KWrite did not save"
echo "kwrite_save_50mb_ms: $(( $(now_ms) - start ))"
