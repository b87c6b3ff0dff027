#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "install: $*"; exit 1; }
[ -x "$prefix/lib/scrb/scrb" ] || fail "no lib/scrb/scrb"
[ -L "$prefix/bin/scrb" ] || fail "bin/scrb is not a link"
[ "$(readlink -f "$prefix/bin/scrb")" = "$(readlink -f "$prefix/lib/scrb/scrb")" ] || fail "bin/scrb points elsewhere"
n=$(find "$prefix/lib/scrb/highlighter" -name '*.xml' | wc -l)
[ "$n" -ge 27 ] || fail "only $n language definitions beside the program"
[ -f "$prefix/share/applications/scrb.desktop" ] || fail "no desktop entry"
grep -q '^Exec=scrb %F$' "$prefix/share/applications/scrb.desktop" || fail "desktop entry does not start scrb with files"
file "$prefix/share/icons/hicolor/256x256/apps/scrb.png" | grep -q 'PNG image data, 256 x 256' || fail "icon is not a 256x256 PNG"
# The installed program starts from its link and keeps running (a timeout
# ends it) instead of failing.
home=$(mktemp -d)
status=0
(cd / && HOME="$home" TMPDIR="$home" XDG_CONFIG_HOME="$home/c" QT_QPA_PLATFORM=offscreen \
   timeout 3 "$prefix/bin/scrb" "$prefix/share/applications/scrb.desktop" >/dev/null 2>&1) || status=$?
rm -rf "$home"
[ "$status" -eq 124 ] || fail "installed program ended with status $status"
echo "installed tree complete ($n language definitions)"
