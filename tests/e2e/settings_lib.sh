# shellcheck shell=bash disable=SC2034 # SET_DIALOG is read by the scenarios
# Helpers of the settings dialog scenarios, sourced after lib.sh, tray_lib.sh and e2e_begin:
# opening the dialog from the tray menu, finding its controls by text, real clicks on them.

SET_CAPTION="Vireloc : 設定"
SET_DIALOG=""  # handle of the open dialog, set by set_open_dialog

set_open_dialog() {
  tray_open_menu
  xdotool key o
  tray_wait_menu_closed "pressing O"
  SET_DIALOG=$(e2e_driver wait-window "$SET_CAPTION" 10) ||
    e2e_fail "no window $SET_CAPTION within 10 s of choosing 設定(&O)"
}

# set_control <text> [n]: handle of the n-th (1 unless given) control of the dialog with that text.
# The dialog's window is found by its caption a moment before its controls are all made.
set_control() {
  local handle deadline=$((SECONDS + 15))
  while :; do
    # Through the environment: awk -v would read the backslashes of a path as escapes.
    handle=$(e2e_driver window-children "$SET_DIALOG" | TEXT=$1 awk -F'\t' -v n="${2:-1}" \
      '$3 == ENVIRON["TEXT"] && ++seen == n { print $1; exit }')
    [[ -n $handle ]] && { echo "$handle"; return 0; }
    ((SECONDS < deadline)) || e2e_fail "no control '$1' (#${2:-1}) in the settings dialog"
    sleep 0.2
  done
}

# set_click <text> [n]: a real left click near the left end of the control, where an option
# button has its circle.
set_click() {
  local handle x y w h ox oy
  handle=$(set_control "$@") || exit 1
  read -r x y w h < <(e2e_driver window-rect "$handle")
  read -r ox oy < <(e2e_desktop_origin) || exit 1
  xdotool mousemove $((ox + x + 7)) $((oy + y + h / 2)) click 1
}

# set_wait_state <text> <n> <state>: until control-state prints it (15 s at most).
set_wait_state() {
  local handle state deadline=$((SECONDS + 15))
  handle=$(set_control "$1" "$2") || exit 1
  while ((SECONDS < deadline)); do
    state=$(e2e_driver control-state "$handle")
    [[ $state == "$3" ]] && return 0
    sleep 0.1
  done
  e2e_fail "control '$1' (#$2) is '$state', expected '$3'"
}

# set_wait_focus <text> <n>: until that control has the keyboard focus (15 s at most).
set_wait_focus() {
  local handle focus deadline=$((SECONDS + 15))
  handle=$(set_control "$1" "$2") || exit 1
  while ((SECONDS < deadline)); do
    focus=$(e2e_driver focus)
    [[ $focus == "$handle" ]] && return 0
    sleep 0.1
  done
  e2e_fail "the keyboard focus is on $focus, not on '$1' (#$2, $handle)"
}

# The folder picker the dialog's "ディレクトリ選択" button opens; the scenario sets TREE to its
# tree view.
TREE=""
tree_items() { e2e_driver tree-items "$TREE"; }
wait_tree() {  # <awk condition on the tree's rows> <what>: 30 s at most
  local deadline=$((SECONDS + 30))
  until tree_items | awk -F'\t' "$1 {found = 1} END {exit !found}"; do
    ((SECONDS < deadline)) || e2e_fail "$2 within 30 s; the tree shows:
$(tree_items)"
    sleep 0.2
  done
}
