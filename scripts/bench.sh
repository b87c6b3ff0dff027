#!/usr/bin/env bash
# Builds the benchmark program in Release into build-bench/ and runs it.
# Arguments go to the program (--reps N: runs per figure, default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
# The KDE syntax-highlighting library is the comparison baseline.
SCRB_BENCH_DEPS=1 bash scripts/install-deps.sh >&2
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSCRB_BUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --target scrb_bench -j2 >&2
# Headless; the offscreen platform paints as a real one does.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export LC_ALL="${LC_ALL:-en_US.UTF-8}"
export QT_LOGGING_RULES="${QT_LOGGING_RULES:-qt.qpa.*=false}"
exec build-bench/bench/scrb_bench "$@"
