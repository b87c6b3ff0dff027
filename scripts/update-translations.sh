#!/usr/bin/env bash
# Refreshes the translation sources (res/translations/*.ts) from the code:
# new texts appear unfinished, texts no longer used are dropped.
set -euo pipefail
cd "$(dirname "$0")/.."
dirs=()
for d in app mainwindow editor highlight largefile session web browser util; do [ -d "$d" ] && dirs+=("$d"); done
lupdate -I . -locations none -no-obsolete "${dirs[@]}" -ts res/translations/lang_zh_cn.ts res/translations/lang_ja_jp.ts
