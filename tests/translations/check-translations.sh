#!/usr/bin/env bash
# Fails when a user-visible text of the code has no finished Chinese or
# Japanese translation, or when the translation files hold texts the code no
# longer uses: the committed .ts files must be what lupdate makes of the code.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$src"/res/translations/*.ts; do
  name=$(basename "$ts")
  if grep -q 'type="unfinished"' "$ts"; then
    echo "$name: unfinished translations:"
    grep -B2 'type="unfinished"' "$ts" | grep '<source>' | sed 's/^ */  /'
    status=1
  fi
  cp "$ts" "$work/$name"
done
dirs=()
for d in app mainwindow editor highlight largefile session web browser util; do [ -d "$src/$d" ] && dirs+=("$d"); done
(cd "$src" && lupdate -I . -silent -locations none -no-obsolete "${dirs[@]}" -ts "$work"/*.ts >/dev/null)
for ts in "$src"/res/translations/*.ts; do
  name=$(basename "$ts")
  if ! diff -u "$ts" "$work/$name" > "$work/$name.diff"; then
    echo "$name is not up to date with the code (run scripts/update-translations.sh and translate):"
    grep -E '^[-+] ' "$work/$name.diff" | head -40
    status=1
  fi
done
[ $status -eq 0 ] && echo "translations complete"
exit $status
