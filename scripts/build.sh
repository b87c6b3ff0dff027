#!/usr/bin/env bash
# Configures and builds Scribo into build/ (Ninja, ccache when present).
# Extra arguments go to the configure step, e.g. -DCMAKE_BUILD_TYPE=Release.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja "$@" >/dev/null
cmake --build build
