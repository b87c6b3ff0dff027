#!/usr/bin/env bash
# Starts the built editor on a virtual X screen with a throw-away home folder
# and writes a PNG screenshot of the screen:
#   scripts/screenshot.sh [output.png] [paths to open...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshot.png}")
shift || true
[ -x "$root/build/scrb" ] || bash "$root/scripts/build.sh"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config" TMPDIR="$home"
export SCRB_SHOT_OUT="$out" SCRB_BIN="$root/build/scrb" SCRB_SHOT_DELAY="${SCRB_SHOT_DELAY:-3}"
xvfb-run -a -s "-screen 0 1366x768x24" bash -c '
  # A window manager, so that the window is maximised as on a desktop.
  openbox >/dev/null 2>&1 &
  sleep 0.5
  "$SCRB_BIN" "$@" &
  pid=$!
  for _ in $(seq 1 100); do
    xwininfo -name Scribo >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep "$SCRB_SHOT_DELAY"
  import -window root "$SCRB_SHOT_OUT"
  kill $pid
  wait $pid 2>/dev/null || true
' bash "$@"
echo "screenshot: $out"
