#!/usr/bin/env bash
# Installs what Scribo needs, builds it and starts the editor with the given
# paths. Without a display it cannot show a window: it then starts the editor
# on a virtual screen and saves a screenshot to build/screenshot.png instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: writing a screenshot of the editor to build/screenshot.png"
  exec bash scripts/screenshot.sh build/screenshot.png "$@"
fi
exec build/scrb "$@"
