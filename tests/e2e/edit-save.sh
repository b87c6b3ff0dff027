#!/usr/bin/env bash
# A user's day with the real editor, driven with real keys: open a file from
# the command line, type, save (the file's CRLF line breaks kept), hand a
# second file over from a second start, Save As under a new name, then quit
# with unsaved changes and answer the question; the settings file keeps the
# layout and the recent files.
# Usage: edit-save.sh <scrb binary>   (inside xvfb-run; 77 = skipped)
set -euo pipefail
scrb=$1
command -v xdotool >/dev/null && command -v openbox >/dev/null || { echo "needs xdotool and openbox"; exit 77; }
. "$(dirname "$0")/e2e-common.sh"

printf 'alpha\r\nbeta\r\n' > "$work/crlf.txt"
printf 'second\n' > "$work/second.txt"
"$scrb" "$work/crlf.txt" >"$work/scrb.log" 2>&1 & scrb_pid=$!; pids+=($scrb_pid)
win=$(window_named "Scribo(crlf.txt)") || fail "the window did not appear"
focus_editor "$win"
xdotool key ctrl+End
xdotool type --delay 20 "gamma"
window_named "Scribo(crlf.txt*)" >/dev/null || fail "typing did not modify the document"
xdotool key ctrl+s
window_named "Scribo(crlf.txt)" >/dev/null || fail "Ctrl+S did not save"
[ "$(od -An -c "$work/crlf.txt" | tr -s ' ')" = "$(printf 'alpha\r\nbeta\r\ngamma' | od -An -c | tr -s ' ')" ] \
  || fail "saved bytes differ: $(od -c "$work/crlf.txt")"

# A second start hands its file to the first and ends.
"$scrb" "$work/second.txt" >"$work/second.log" 2>&1 || fail "the second start failed"
win=$(window_named "Scribo(second.txt)") || fail "the running editor did not open the handed file"
kill -0 "$scrb_pid" || fail "the first editor is gone"

# Save As under a new name.
focus_editor "$win"
xdotool key ctrl+End
xdotool type --delay 20 "more"
xdotool key ctrl+shift+s
window_named "Save file" >/dev/null || fail "Save As showed no dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 10 "$work/renamed.txt"
xdotool key Return
window_named "Scribo(renamed.txt)" >/dev/null || fail "Save As did not take the new name"
[ "$(cat "$work/renamed.txt")" = "$(printf 'second\nmore')" ] || fail "Save As wrote: $(cat "$work/renamed.txt")"
[ "$(cat "$work/second.txt")" = "second" ] || fail "Save As changed the old file"

# Quit with an unsaved change; No leaves the file as it was.
xdotool type --delay 20 " unsaved"
window_named "Scribo(renamed.txt*)" >/dev/null || fail "typing did not modify the document"
xdotool key ctrl+q
window_named "File Modified" >/dev/null || fail "quitting did not ask"
xdotool key alt+n
for _ in $(seq 100); do kill -0 "$scrb_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$scrb_pid" 2>/dev/null && fail "the editor did not end"
[ "$(cat "$work/renamed.txt")" = "$(printf 'second\nmore')" ] || fail "No saved the file anyway"

ini="$XDG_CONFIG_HOME/Norvel Software/scrb.ini"
grep -q '^m_arrFrameState=@ByteArray(.\+)' "$ini" || fail "the layout was not stored"
grep -q "^m_lstRecentFiles=.*second.txt" "$ini" || fail "the recent files were not stored: $(grep Recent "$ini")"
grep -q "^m_lstRecentFiles=.*crlf.txt" "$ini" || fail "the recent files miss the first file"
echo "edit and save: ok"
