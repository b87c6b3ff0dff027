# Shared by the end-to-end scripts: a throw-away home, a window manager on
# the virtual display, and waiting for windows by their exact title.
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config TMPDIR=$work/tmp LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8
export QT_QPA_PLATFORM=xcb
unset XDG_DATA_HOME
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TMPDIR"
openbox >/dev/null 2>&1 & pids+=($!)

# On failure the editor's own output says why (a sanitizer report, a warning).
fail() {
  echo "FAIL: $*"
  [ -s "$work/scrb.log" ] && { echo "--- scrb output:"; tail -60 "$work/scrb.log"; }
  exit 1
}
# Waits (up to 30 s on a busy machine) until a shown window with exactly
# this name exists; prints its id.
window_named() {
  local id
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "^$(printf '%s' "$1" | sed 's/[][().*^$]/\\&/g')\$" 2>/dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# A window just shown may not take the focus yet (X answers BadMatch): try
# again for a while.
focus() {
  for _ in $(seq 50); do
    xdotool windowactivate --sync "$1" 2>/dev/null && return 0
    xdotool windowfocus --sync "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "FAIL: window $1 never took the focus"; return 1
}
# Activates the main window and clicks into the text, as a user does before
# typing: on a loaded machine the first keys may otherwise reach the window
# before its editor has taken the focus.
focus_editor() {
  local WIDTH HEIGHT
  focus "$1"
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
  xdotool mousemove --window "$1" --sync $((WIDTH / 2)) $((HEIGHT / 3)) click 1
  sleep 0.3
}
