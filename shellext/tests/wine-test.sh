#!/usr/bin/env bash
# Runs the Wine side of the tests in a throw-away prefix.
#   wine-test.sh setup <wine> <probe.exe> <kind>
#                                           create the prefix, check Wine runs <probe.exe>
#   wine-test.sh run <wine> <program> [args] run a test program in the prefix
#   wine-test.sh cleanup                     stop the prefix's wineserver, remove the prefix
# WINEPREFIX must be set (CTest sets it); it is never ~/.wine.
set -u

SKIP=77
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko installers, and no menu entries written into the user's home.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

case "$WINEPREFIX" in
    "$HOME/.wine"|"$HOME/.wine/") echo "refusing to use $WINEPREFIX" >&2; exit 1 ;;
esac

marker="$WINEPREFIX/.scrb-cannot-run"

wineserver_cmd() {
    # The wineserver that belongs to the loader, else the one on the path.
    local dir
    dir=$(dirname "$(readlink -f "$1")")
    if [ -x "$dir/wineserver" ]; then echo "$dir/wineserver"; else command -v wineserver; fi
}

case "${1:-}" in
setup)
    wine=$2 probe=$3 kind=${4:-these}
    server=$(wineserver_cmd "$wine")
    # Left over from an interrupted run?
    if [ -d "$WINEPREFIX" ]; then
        "$server" -k 2>/dev/null
        rm -rf "$WINEPREFIX"
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    if ! "$wine" wineboot --init >"$WINEPREFIX.boot.log" 2>&1; then
        cat "$WINEPREFIX.boot.log" >&2
        echo "wineboot failed" >&2
        exit 1
    fi
    "$server" -w
    rm -f "$WINEPREFIX.boot.log"
    # Can this Wine run programs of the bitness under test? (A host without
    # 32-bit support cannot run 32-bit ones.)
    dir="$WINEPREFIX/drive_c/scrb-probe"
    mkdir -p "$dir"
    cp "$probe" "$dir/scrb.exe"
    out=$(timeout 120 "$wine" "$dir/scrb.exe" 2>&1 | tr -s '\n' ' ')
    if [ ! -f "$dir/scrb-run-1.txt" ]; then
        printf '%s\n' "Wine cannot run $kind Windows programs on this host ($wine: $out)" | head -5 >"$marker"
        echo "The tests that need Wine will be skipped:" >&2
        cat "$marker" >&2
    fi
    rm -rf "$dir"
    exit 0
    ;;
run)
    wine=$2
    shift 2
    if [ -f "$marker" ]; then
        echo "SKIPPED: $(cat "$marker")"
        exit $SKIP
    fi
    exec timeout 300 "$wine" "$@"
    ;;
cleanup)
    wine=$2
    if [ -d "$WINEPREFIX" ]; then
        server=$(wineserver_cmd "$wine")
        "$server" -k 2>/dev/null
        "$server" -w 2>/dev/null
        rm -rf "$WINEPREFIX"
    fi
    exit 0
    ;;
*)
    echo "usage: $0 setup|run|cleanup ..." >&2
    exit 2
    ;;
esac
