# shellcheck shell=bash disable=SC2034 # CLIP_WINDOW and CLIP_LIST are read by the scenarios
# Helpers of the clipboard scenarios (tests/e2e/scenarios/clipboard_*.sh), sourced after
# lib.sh and e2e_begin. The driver copies as another program would. A driver clipboard viewer
# that joined the chain before the program is told of a change only after the program has
# handled it, so each change is waited for there before the next one is made: the program
# reads the clipboard late, and two quick copies would otherwise look like one.

CLIP_CAPTION="クリップボードログ"
CLIP_WINDOW=""  # the history window, set by clip_start_app
CLIP_LIST=""    # its list box, likewise
CLIP_VIEWER=""  # window of the viewer last started by clip_start_viewer

# clip_start_viewer <name>: a driver viewer joins the chain; its lines go to <name>.out and
# CLIP_VIEWER is its window.
clip_start_viewer() {
  local out=$E2E_RESULTS/$1.out deadline=$((SECONDS + 30))
  e2e_driver_bg "$out" clipboard-viewer 3600  # ended with the scenario
  while ((SECONDS < deadline)); do
    CLIP_VIEWER=$(tr -d '\r' <"$out" 2>/dev/null | awk '$1 == "joined" {print $2}') || true
    [[ -n $CLIP_VIEWER ]] && return 0
    sleep 0.1
  done
  e2e_fail "driver viewer $1 did not join the clipboard chain"
}

clip_seen() {  # <name>: what that viewer was told of, one change a line ("text ...", "no-text")
  tr -d '\r' <"$E2E_RESULTS/$1.out" | sed -n 's/^draw //p'
}

# clip_wait_seen <name> <count> <line> <what>: waits up to 30 s for the viewer's count-th
# change, which must be <line>.
clip_wait_seen() {
  local seen deadline=$((SECONDS + 30))
  while ((SECONDS < deadline)); do
    seen=$(clip_seen "$1")
    if [[ -n $seen ]] && (($(wc -l <<<"$seen") >= $2)); then
      e2e_assert_eq "$3" "$(sed -n "$2p" <<<"$seen")" "$4: change the viewer $1 was told of"
      return 0
    fi
    sleep 0.2
  done
  e2e_fail "$4: viewer $1 was not told of it within 30 s (it saw: $(paste -sd'|' <<<"$seen"))"
}

# clip_change <line> <command>...: runs the command, then waits until the program has
# handled the clipboard change it makes, which the viewer "viewer" sees as <line>.
clip_change() {
  local line=$1 count
  shift
  count=$(clip_seen viewer | grep -c '' || true)
  "$@" || e2e_fail "could not run: $*"
  clip_wait_seen viewer $((count + 1)) "$line" "$*"
}

clip_copy() {  # <text>...: each put on the clipboard in turn
  local text
  for text in "$@"; do clip_change "text $text" e2e_driver clipboard-set-text "$text"; done
}

# clip_start_app <[Settings] key=value>...: the viewer "viewer" unless it runs, then the program
# with a fresh settings file holding those and AutoPopup=1; returns once a copied text has
# opened the history window.
clip_start_app() {
  printf '%s\r\n' '[Settings]' "$@" '[VRLClipboard]' AutoPopup=1 >"$E2E_WORK/app/vireloc.ini"
  e2e_driver clipboard-clear || e2e_fail "could not empty the clipboard"
  [[ -f $E2E_RESULTS/viewer.out ]] || clip_start_viewer viewer
  e2e_start_app
  e2e_wait_ready
  # The settings are read just after the program joins the chain: a text copied in between
  # is recorded without the auto-popup, so the same text is copied until the window opens.
  local _
  for _ in $(seq 15); do
    e2e_driver clipboard-set-text ready || e2e_fail "could not put text on the clipboard"
    CLIP_WINDOW=$(e2e_driver wait-window "$CLIP_CAPTION" 2 2>/dev/null) && break
  done
  [[ -n $CLIP_WINDOW ]] || e2e_fail "no window $CLIP_CAPTION opened by AutoPopup=1 for a copied text"
  CLIP_LIST=$(e2e_driver window-children "$CLIP_WINDOW" | awk -F'\t' '$2 == "ListBox" {print $1; exit}')
  [[ -n $CLIP_LIST ]] || e2e_fail "no list box in $CLIP_CAPTION"
  clip_wait_rows ready
}

clip_rows() {  # the five rows, one a line
  e2e_driver list-box-items "$CLIP_LIST" | sed 1d | cut -f2-
}

# clip_wait_rows <row 0> [row 1 ...]: waits up to 10 s for the first rows to show these texts.
clip_wait_rows() {
  local expected rows _
  expected=$(printf '%s\n' "$@")
  for _ in $(seq 50); do
    rows=$(clip_rows)
    [[ $(head -n $# <<<"$rows") == "$expected" ]] && return 0
    sleep 0.2
  done
  e2e_fail "history rows are not [$(paste -sd'|' <<<"$expected")] but [$(paste -sd'|' <<<"$rows")]"
}

clip_row_centre() {  # <row>: "x y" of the middle of that row on the desktop
  local x y width item
  read -r x y width _ < <(e2e_driver window-rect "$CLIP_LIST")
  item=$(e2e_driver list-box-items "$CLIP_LIST" | awk 'NR == 1 {print $2}')
  # The list's border is 2 pixels wide.
  echo "$((x + width / 2)) $((y + 2 + $1 * item + item / 2))"
}

# clip_click_row <row> [clicks]: real clicks in the middle of that row (needs tray_lib.sh).
clip_click_row() {
  local x y _
  read -r x y < <(clip_row_centre "$1")
  e2e_driver foreground "$CLIP_WINDOW" >/dev/null || e2e_fail "could not bring $CLIP_CAPTION forward"
  tray_mousemove "$x" "$y"
  # Clicks that reach Wine before the move has are lost on the way.
  for _ in $(seq 50); do
    [[ $(e2e_driver cursor-info | cut -d' ' -f1,2) == "$x $y" ]] && break
    sleep 0.1
  done
  xdotool click --repeat "${2:-1}" --delay 60 1
}

clip_double_click_row() { clip_click_row "$1" 2; }  # <row>
