#!/usr/bin/env bash
# Unsaved text survives a crash: the real editor is started on a file, text
# is typed with real keys, the recovery delay passes, the process is killed
# with SIGKILL; the next start offers the text, Recover brings it back and a
# save writes exactly what was typed.
# Usage: recover-after-kill.sh <scrb binary>   (inside xvfb-run; 77 = skipped)
set -euo pipefail
scrb=$1
command -v xdotool >/dev/null && command -v openbox >/dev/null || { echo "needs xdotool and openbox"; exit 77; }
. "$(dirname "$0")/e2e-common.sh"

printf 'first line\n' > "$work/notes.txt"
"$scrb" "$work/notes.txt" >"$work/scrb.log" 2>&1 & scrb_pid=$!; pids+=($scrb_pid)
win=$(window_named "Scribo(notes.txt)") || fail "the window did not appear"
focus_editor "$win"
xdotool key ctrl+End
xdotool type --delay 20 "typed before the crash"
window_named "Scribo(notes.txt*)" >/dev/null || fail "typing did not modify the document"
recovery="$HOME/.local/share/Norvel Software/scrb/recovery"
for _ in $(seq 100); do compgen -G "$recovery/*/*.json" >/dev/null && break; sleep 0.1; done
compgen -G "$recovery/*/*.json" >/dev/null || fail "no recovery file was written"
kill -KILL "$scrb_pid"; wait "$scrb_pid" 2>/dev/null || true
[ "$(cat "$work/notes.txt")" = "first line" ] || fail "the file changed before any save"

"$scrb" >"$work/scrb2.log" 2>&1 & pids+=($!)
win=$(window_named "Scribo") || fail "the second start showed no window"
focus "$win"
sleep 1
xdotool key alt+r
win=$(window_named "Scribo(notes.txt*)") || fail "Recover did not bring the document back"
focus "$win"
xdotool key ctrl+s
window_named "Scribo(notes.txt)" >/dev/null || fail "saving the recovered document failed"
expected=$'first line\ntyped before the crash'
[ "$(cat "$work/notes.txt")" = "$expected" ] || fail "saved text differs: $(cat "$work/notes.txt")"
echo "recover after kill: ok"
