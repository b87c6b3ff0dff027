#!/usr/bin/env bash
# Builds the tests with a sanitizer in its own folder and runs them:
#   scripts/sanitize.sh thread    ThreadSanitizer, the worker-thread tests (label "threads")
#   scripts/sanitize.sh address   AddressSanitizer and UndefinedBehaviorSanitizer, every test
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-thread}
case "$kind" in
  thread)  san="thread";            dir=build-tsan; filter=(-L threads); targets=(--target tst_threadhighlighter --target tst_recovery
           --target tst_fileinfogatherer --target tst_filesystemmodel --target tst_editorloader
           --target tst_filesaver --target tst_documentcontent
           --target tst_editoraids --target tst_textcodec) ;;
  address) san="address;undefined"; dir=build-asan; filter=(-E '^shellext_'); targets=() ;;
  *) echo "usage: $0 thread|address" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
      -DSCRB_SANITIZE="$san" -DSCRB_SHELLEXT=OFF >/dev/null
cmake --build "$dir" "${targets[@]}"
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/sanitizers/tsan.supp"
export ASAN_OPTIONS="detect_leaks=1 abort_on_error=1 fast_unwind_on_malloc=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp"
export UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1"
cd "$dir"
ctest --output-on-failure -j2 "${filter[@]}"
