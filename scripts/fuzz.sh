#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (plus AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for a while.
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
# A failing input is left in build-fuzz/artifacts/; copy it into
# fuzz/regressions/<target>/ once fixed, so every test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(codec arguments textfile json lexer definitions document)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSCRB_FUZZ=ON -DSCRB_SANITIZE="address;undefined" -DBUILD_TESTING=OFF -DSCRB_SHELLEXT=OFF >/dev/null
cmake --build build-fuzz $(printf -- '--target fuzz_%s ' "${targets[@]}") >&2
export QT_QPA_PLATFORM=offscreen LC_ALL=en_US.UTF-8 QT_LOGGING_RULES="qt.qpa.*=false"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1" UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p build-fuzz/artifacts
# One target per core.
run_one() {
  local t=$1 work
  work=$(mktemp -d)
  cp -r "fuzz/corpus/$t/." "$work/" 2>/dev/null || true
  [ -d "fuzz/regressions/$t" ] && cp -r "fuzz/regressions/$t/." "$work/"
  if "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
       -max_len=65536 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t-" "$work" \
       2> "build-fuzz/fuzz_$t.log"; then
    echo "fuzz_$t: ok, $(grep -m1 -o 'number_of_executed_units: [0-9]*' "build-fuzz/fuzz_$t.log")"
    rm -rf "$work"
  else
    echo "fuzz_$t FAILED; see build-fuzz/fuzz_$t.log and build-fuzz/artifacts/"
    grep -m3 -E "check failed|ERROR|SUMMARY" "build-fuzz/fuzz_$t.log"
    rm -rf "$work"
    return 1
  fi
}
export -f run_one
export seconds
echo "fuzzing ${targets[*]} for ${seconds}s each"
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run_one "$@"' _ {}
