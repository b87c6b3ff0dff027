#!/usr/bin/env bash
# Installs what Scribo needs, builds it with its tests and runs every test
# headless (offscreen platform; a virtual X server where a window system is
# needed). The CTest summary ends the output.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DBUILD_TESTING=ON
cd build
ctest --output-on-failure -j2
