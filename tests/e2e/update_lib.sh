# shellcheck shell=bash disable=SC2034 # UPD_* are read by the scenarios
# Helpers of the update scenarios (tests/e2e/scenarios/update_*.sh), sourced after lib.sh,
# tray_lib.sh, capture_lib.sh and e2e_begin: our own update server on loopback
# (update_server.py), the check started from the tray menu, its boxes read and answered.

UPD_DIR=""    # the server's folder: routes.json, requests.log, held.log, port
UPD_HOST=""   # 127.0.0.1:<port>, as [Update] Host names it
UPD_BOX=""    # handle of the box upd_box found
UPD_ARCHIVE=$E2E_WORK/app/vireloc.lzh  # where a verified download ends up
# The file a check downloads into, beside the archive; nothing when there is none.
upd_download() { compgen -G "$E2E_WORK/app/vireloc.lzh.*.tmp" | head -n 1 || true; }
UPD_PAYLOAD=$E2E_WORK/payload.lzh      # the archive the server offers, made by upd_make_payload
UPD_DIGEST=""                          # its MD5 in upper case, as M5 shows it

upd_make_payload() {  # <bytes>: random content for UPD_PAYLOAD; sets UPD_DIGEST
  head -c "$1" /dev/urandom >"$UPD_PAYLOAD"
  UPD_DIGEST=$(md5sum <"$UPD_PAYLOAD" | cut -d' ' -f1)
  UPD_DIGEST=${UPD_DIGEST^^}
}

# Starts the server with routes.json as given (a JSON object) and sets UPD_HOST.
upd_start_server() {
  local _
  UPD_DIR=$E2E_WORK/server
  mkdir -p "$UPD_DIR"
  upd_routes "$1"
  python3 "$E2E_ROOT/tests/e2e/update_server.py" "$UPD_DIR" >"$E2E_RESULTS/server.log" 2>&1 &
  E2E_STARTED_PIDS+=("$!")
  disown "$!"  # no job-control chatter when it is killed
  for _ in $(seq 50); do
    [[ -s $UPD_DIR/port ]] && { UPD_HOST=127.0.0.1:$(cat "$UPD_DIR/port"); return 0; }
    sleep 0.1
  done
  e2e_fail "the update server did not start (see server.log)"
}

upd_routes() { printf '%s\n' "$1" >"$UPD_DIR/routes.json"; }  # <JSON object>

# The settings file naming our server, then the program started and idle.
upd_start_app() {
  printf '%s\r\n' '[Update]' "Host=$UPD_HOST" >"$E2E_WORK/app/vireloc.ini"
  cap_start_app
}

# Chooses 最新版確認(&V) in the help submenu of the tray menu, with the keyboard.
upd_check() {
  tray_open_menu
  e2e_driver tray-callback 0x205 >/dev/null || true
  tray_open_submenu h
  xdotool key v
  tray_wait_menu_closed "choosing 最新版確認"
}

# upd_box <seconds> <what>: waits for the program's box and sets UPD_BOX.
upd_box() {
  UPD_BOX=$(cap_message_box "$1") || e2e_fail "no box within $1 s: expected $2"
}

# The texts of the open box's controls, one per line as window-children prints them.
upd_box_texts() {
  e2e_driver window-children "$UPD_BOX" | cut -f2- | grep -v '^Static	$'
}

# upd_expect_box <caption> <icon> <text lines...>: the box shown now, with one OK button
# and its text in these lines.
upd_expect_box() {
  local caption=$1 icon=$2 expected
  shift 2
  upd_box 15 "a box saying $*"
  expected=$(printf 'Button\tOK\nStatic\t'; printf '%s\n' "$@")
  e2e_assert_eq "$caption" "$(e2e_driver window-text "$UPD_BOX")" "caption of the box saying $1"
  e2e_assert_eq "$icon" "$(e2e_driver message-box-icon "$UPD_BOX")" "icon of the box saying $1"
  e2e_assert_eq "$expected" "$(upd_box_texts)" "controls of the box"
}

# upd_answer <xdotool key>: answers the open box and waits for it to go. A box is shown a
# moment before it has the keyboard focus; a key pressed in between is lost.
upd_box_gone() { ! e2e_driver window-text "$UPD_BOX" >/dev/null 2>&1; }
upd_box_has_focus() {
  local focus
  focus=$(e2e_driver focus 2>/dev/null) && [[ -n $focus ]] || return 1
  [[ $focus == "$UPD_BOX" ]] || e2e_driver window-children "$UPD_BOX" | cut -f1 | grep -qxF "$focus"
}
upd_answer() {
  e2e_wait_until 15 upd_box_has_focus || e2e_fail "the box never had the keyboard focus"
  xdotool key "$1"
  e2e_wait_until 15 upd_box_gone || e2e_fail "the box is still open after $1"
}

# Fails unless no box comes within <seconds>.
upd_no_box() {
  ! cap_message_box "$1" >/dev/null || e2e_fail "an unexpected box: $(upd_box 0 x; upd_box_texts)"
}

# upd_requests <n>: the last n requests the server saw, as "line|header|header|...".
upd_requests() {
  tail -n "$1" "$UPD_DIR/requests.log" |
    python3 -c 'import json,sys; [print("|".join([r["line"]] + r["headers"])) for r in map(json.loads, sys.stdin)]'
}

# The request the program must send for path: the request line and exactly three headers.
upd_expected_request() {
  echo "GET $1 HTTP/1.0|Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*|User-Agent: Mozilla/4.0 (compatible; ICS)|Host: $UPD_HOST"
}
