#!/usr/bin/env bash
# Exit (Ctrl+Q) of the real editor, driven with real keys under a virtual X
# server: it asks about unsaved work, Cancel keeps the editor running with the
# text, No ends it without saving, and the layout is stored on the way out.
# Usage: exit-asks.sh <scrb binary>   (run inside xvfb-run; exit 77 = skipped)
set -euo pipefail
scrb=$1
command -v xdotool >/dev/null && command -v openbox >/dev/null || { echo "needs xdotool and openbox"; exit 77; }

. "$(dirname "$0")/e2e-common.sh"

printf 'original\n' > "$work/doc.txt"
"$scrb" "$work/doc.txt" >"$work/scrb.log" 2>&1 & scrb_pid=$!; pids+=($scrb_pid)
win=$(window_named "Scribo(doc.txt)") || fail "the window did not appear"
focus_editor "$win"
xdotool type --delay 20 "typed "
window_named "Scribo(doc.txt*)" >/dev/null || fail "typing did not modify the document"

xdotool key ctrl+q
window_named "File Modified" >/dev/null || fail "Exit did not ask about the unsaved document"
xdotool key Escape
sleep 1
kill -0 "$scrb_pid" 2>/dev/null || fail "Cancel ended the program"
window_named "Scribo(doc.txt*)" >/dev/null || fail "the document is gone after Cancel"

xdotool key ctrl+q
window_named "File Modified" >/dev/null || fail "the second Exit did not ask"
xdotool key alt+n
for _ in $(seq 100); do kill -0 "$scrb_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$scrb_pid" 2>/dev/null && fail "No did not end the program"
wait "$scrb_pid" || fail "exit code $?"

[ "$(cat "$work/doc.txt")" = "original" ] || fail "the file was changed without being saved"
ini="$XDG_CONFIG_HOME/Norvel Software/scrb.ini"
grep -q '^m_arrFrameState=@ByteArray(.\+)' "$ini" || fail "the layout was not stored"
echo "exit asks: ok"
