#!/usr/bin/env bash
# Runs the tests of one cross build for the including project's ctest.
# Exits 77 (reported as skipped) when the Wine tests of that build could not
# run on this host, so a skip is not mistaken for a pass.
#   run-subbuild-tests.sh <ctest> <build dir>
set -u
ctest=$1 dir=$2
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$ctest" --test-dir "$dir" --output-on-failure --no-tests=error --parallel 2 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}
if [ "$rc" -ne 0 ]; then
    exit "$rc"
fi
if grep -q '\*\*\*Skipped' "$log"; then
    echo "Some tests of $dir were skipped:"
    grep -h '^SKIPPED: ' "$dir"/Testing/Temporary/LastTest.log 2>/dev/null | sort -u
    exit 77
fi
exit 0
