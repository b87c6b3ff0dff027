#!/usr/bin/env bash
# Builds the benchmark program and the editor in Release into build-bench/
# and runs every figure: the program's, KWrite on the same 50 MB file
# (bench/kwrite-bench.sh) for comparison, and the editor's own start under
# Xvfb (bench/startup.sh). A full run also writes bench/RESULTS.md.
# Arguments go to the program (--reps N: runs per figure, default 5;
# --only open|detect|hl|session|folder|edit|large: one group of figures,
# without the start, KWrite or the report).
set -euo pipefail
cd "$(dirname "$0")/.."
# The KDE syntax-highlighting library and KWrite are comparison baselines.
SCRB_BENCH_DEPS=1 bash scripts/install-deps.sh >&2
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSCRB_BUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --target scrb_bench --target scrb -j2 >&2
# Headless; the offscreen platform paints as a real one does.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export LC_ALL="${LC_ALL:-en_US.UTF-8}"
export QT_LOGGING_RULES="${QT_LOGGING_RULES:-qt.qpa.*=false}"
inputs=$(mktemp -d)
trap 'rm -rf "$inputs"' EXIT
build-bench/bench/scrb_bench "$@" | tee "$inputs/figures"
# KWrite is compared with the open group only.
only=""
for ((i = 1; i < $#; ++i)); do [ "${!i}" = "--only" ] && { j=$((i + 1)); only=${!j}; }; done
[ -n "$only" ] && [ "$only" != open ] && exit 0
if [ -z "$only" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" bash bench/startup.sh build-bench/scrb | tee -a "$inputs/figures"
fi
build-bench/bench/scrb_bench --generate "$inputs" >&2
QT_QPA_PLATFORM=xcb bash bench/kwrite-bench.sh "$inputs/mixed_50mb.txt" | tee -a "$inputs/figures"
# Ours against KWrite's, on the same file in the same run (below 1: ours is
# faster or smaller).
awk -F': ' '{ v[$1] = $2 }
  function ratio(name, a, b) {
    if ((a in v) && (b in v) && v[b] + 0 > 0 && v[a] + 0 > 0) printf "%s: %.2f\n", name, v[a] / v[b]
    else printf "%s: n/a\n", name
  }
  END {
    ratio("open_50mb_editable_vs_kwrite", "open_50mb_editable_ms", "kwrite_open_50mb_ms")
    ratio("open_50mb_rss_vs_kwrite", "open_50mb_rss_mb", "kwrite_open_50mb_rss_mb")
    ratio("save_50mb_vs_kwrite", "save_50mb_ms", "kwrite_save_50mb_ms")
  }' "$inputs/figures" | tee -a "$inputs/figures"
if [ -z "$only" ]; then
  bash bench/report.sh "$inputs/figures" > bench/RESULTS.md
  echo "report: bench/RESULTS.md"
fi
