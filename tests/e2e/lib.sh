# shellcheck shell=bash
# End-to-end harness: runs the real vireloc.exe under Wine and drives it from outside.
# Sourced by every scenario, by tests/e2e/run_all.sh, scripts/run and bench/idle_footprint.sh.
#
# Environment it honours:
#   VIRELOC_WINEPREFIX  Wine prefix (default ~/.cache/vireloc/wineprefix), created once
#   VIRELOC_DIST        folder holding vireloc.exe (default <repo>/dist)
#   VIRELOC_DRIVER_DIR  folder holding vireloc-driver.exe (default <repo>/build/win64)
#   DISPLAY             used when it answers; otherwise an Xvfb display is started

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${VIRELOC_WINEPREFIX:-$HOME/.cache/vireloc/wineprefix}
export WINEDEBUG=-all
export PATH=/usr/lib/wine:$PATH
E2E_DIST=${VIRELOC_DIST:-$E2E_ROOT/dist}
E2E_DRIVER_DIR=${VIRELOC_DRIVER_DIR:-$E2E_ROOT/build/win64}
E2E_WINE=$(command -v wine64 || command -v wine || echo wine64)
E2E_DESKTOP_SIZE=1024x768
E2E_WM_CLOSE=0x10

E2E_XVFB_PID=""     # Xvfb we started, stopped on exit
E2E_APP_PID=""      # Unix pid of the Wine process running the latest vireloc.exe we started
E2E_STARTED_PIDS=() # every Wine process we started, killed on exit if still there
E2E_FAILED=0
E2E_NAME=""; E2E_WORK=""; E2E_RESULTS=""

e2e_log() { echo "[$(date +%H:%M:%S)] $*"; }

# Stops the scenario with a readable reason; the exit trap leaves a screenshot.
e2e_fail() {
  echo "FAIL: $*" >&2
  E2E_FAILED=1
  exit 1
}

e2e_assert_eq() {  # <expected> <actual> <what>
  [[ $1 == "$2" ]] || e2e_fail "$3: expected '$1', got '$2'"
}

# --- display, prefix, wineserver -------------------------------------------------------

e2e_display_answers() { [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; }

e2e_start_display() {
  e2e_display_answers && return 0
  local n
  for n in $(seq 90 189); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 {E2E_LOCK_FD}>&- &
    E2E_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      e2e_display_answers && return 0
      kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$E2E_XVFB_PID" 2>/dev/null; E2E_XVFB_PID=""
  done
  echo "e2e: could not start Xvfb" >&2
  return 1
}

# Wine and Xvfb must not inherit the prefix lock, or it outlives the run inside them.
e2e_wine() { LC_ALL=ja_JP.UTF-8 "$E2E_WINE" "$@" {E2E_LOCK_FD}>&-; }

# Creates the prefix on first use and makes every program of it join the one virtual
# desktop "shell": that desktop has the taskbar with the notification area, and windows of
# all our processes are visible to each other there.
# The dialogs are designed for ＭＳ Ｐゴシック, which Wine lacks; IPAPGothic has its metrics.
# Debian's Wine looks for Marlett only in the prefix's Fonts folder; without it title-bar
# buttons are drawn as the digits "0 1 r".
# The marker holds the configuration's version: a prefix configured by an older one gets the
# settings added since.
E2E_PREFIX_VERSION=3
E2E_MARLETT=/usr/share/wine/fonts/marlett.ttf
e2e_reg_add() {  # <key> <value name> <data>
  e2e_wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1
}
e2e_prepare_prefix() {
  local marker=$WINEPREFIX/.vireloc-configured
  [[ $(cat "$marker" 2>/dev/null) == "$E2E_PREFIX_VERSION" ]] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    e2e_log "creating Wine prefix $WINEPREFIX (once)"
    # Without Mono and Gecko: nothing here needs them, and their installers would ask.
    WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 env LC_ALL=ja_JP.UTF-8 "$E2E_WINE" wineboot --init \
      >/dev/null 2>&1 {E2E_LOCK_FD}>&- || true
  fi
  e2e_log "configuring Wine prefix $WINEPREFIX (version $E2E_PREFIX_VERSION)"
  local substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  if ! { e2e_reg_add 'HKCU\Software\Wine\Explorer' Desktop shell &&
    e2e_reg_add 'HKCU\Software\Wine\Explorer\Desktops' shell "$E2E_DESKTOP_SIZE" &&
    e2e_reg_add "$substitutes" 'ＭＳ Ｐゴシック' IPAPGothic &&
    e2e_reg_add "$substitutes" 'MS PGothic' IPAPGothic &&
    cp "$E2E_MARLETT" "$WINEPREFIX/drive_c/windows/Fonts/"; }; then
    echo "e2e: cannot configure the Wine prefix $WINEPREFIX" >&2
    return 1
  fi
  echo "$E2E_PREFIX_VERSION" >"$marker"
  # wineboot and reg ran on a server Wine started by itself, which Debian's wrapper makes end
  # with its last program (-p0). e2e_start_wineserver leaves a running server alone, so that
  # one would serve the run, and each time no program ran it would stop the prefix's services
  # and desktop, clipboard and all: scenarios would meet them half gone. It goes within
  # seconds of the last reg; the lasting server is started after it.
  e2e_wineserver -w
}

e2e_wineserver() { wineserver "$@" {E2E_LOCK_FD}>&-; }

# A server that outlives its clients for a minute keeps the desktop and services up between
# scenarios (a start then takes about a second, not five) and still goes away by itself.
e2e_start_wineserver() { e2e_wineserver -p60 || true; }  # fails harmlessly when one runs

# Runs with the prefix to ourselves: scenarios share windows and the clipboard, so two runs
# at once would see each other's programs.
# A runner that holds the lock exports its descriptor as E2E_LOCK_HELD for its scenarios.
E2E_LOCK_FD=${E2E_LOCK_HELD:-199}
e2e_lock_prefix() {
  [[ -n ${E2E_LOCK_HELD:-} ]] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec {E2E_LOCK_FD}>"$WINEPREFIX.lock"
  flock -n "$E2E_LOCK_FD" && return 0
  echo "e2e: waiting for $WINEPREFIX (in use by scripts/run or another test run)" >&2
  flock -w 900 "$E2E_LOCK_FD" ||
    { echo "e2e: $WINEPREFIX is in use (scripts/run or another test run?)" >&2; return 1; }
}

e2e_environment() {
  e2e_lock_prefix && e2e_start_display && e2e_prepare_prefix && e2e_start_wineserver
}

# --- scenario lifecycle ----------------------------------------------------------------

# e2e_begin <name> [--no-app]: fresh copy of dist/ in $E2E_WORK/app, the driver in
# $E2E_WORK/driver, results in test-results/e2e/<name>/. --no-app: the driver alone.
e2e_begin() {
  E2E_NAME=$1
  E2E_RESULTS=$E2E_ROOT/test-results/e2e/$E2E_NAME
  rm -rf "$E2E_RESULTS"; mkdir -p "$E2E_RESULTS"
  [[ ${2:-} == --no-app || -f $E2E_DIST/vireloc.exe ]] ||
    { echo "FAIL: no $E2E_DIST/vireloc.exe (run scripts/build)" >&2; exit 1; }
  [[ -f $E2E_DRIVER_DIR/vireloc-driver.exe ]] ||
    { echo "FAIL: no $E2E_DRIVER_DIR/vireloc-driver.exe (run scripts/build win64)" >&2; exit 1; }
  trap e2e_end EXIT
  # A command that stops the scenario under set -e says which one, instead of ending silently.
  set -E
  trap 'echo "e2e: command failed (status $?) at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR
  trap 'exit 143' TERM INT
  e2e_environment || exit 1
  E2E_WORK=$(mktemp -d /tmp/vireloc-e2e.XXXXXX)
  mkdir -p "$E2E_WORK/app" "$E2E_WORK/driver"
  # dist/ without the settings scripts/run may have left there, nor a release scripts/package
  # made there (zips, update/): every scenario starts fresh.
  [[ ${2:-} == --no-app ]] || (cd "$E2E_DIST" && find . -mindepth 1 -maxdepth 1 ! -name vireloc.ini \
    ! -name '*.zip' ! -name update -exec cp -r {} "$E2E_WORK/app/" \;)
  cp "$E2E_DRIVER_DIR/vireloc-driver.exe" "$E2E_DRIVER_DIR"/vireloc-driver-menu.dll "$E2E_WORK/driver/" 2>/dev/null ||
    cp "$E2E_DRIVER_DIR/vireloc-driver.exe" "$E2E_WORK/driver/"
  e2e_kill_strays
  # The clipboard outlives programs: what an earlier scenario copied would be recorded at start.
  e2e_driver clipboard-clear >/dev/null || e2e_fail "could not empty the clipboard"
  e2e_log "scenario $E2E_NAME in $E2E_WORK"
}

# e2e_begin_offline <name>: results in test-results/e2e/<name>/ and a work folder, for a
# scenario that checks what ships without running it under Wine.
e2e_begin_offline() {
  E2E_NAME=$1
  E2E_RESULTS=$E2E_ROOT/test-results/e2e/$E2E_NAME
  rm -rf "$E2E_RESULTS"; mkdir -p "$E2E_RESULTS"
  trap e2e_end EXIT
  set -E
  trap 'echo "e2e: command failed (status $?) at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR
  trap 'exit 143' TERM INT
  E2E_WORK=$(mktemp -d /tmp/vireloc-e2e.XXXXXX)
  e2e_log "scenario $E2E_NAME in $E2E_WORK"
}

e2e_screenshot() {  # <file>
  import -display "$DISPLAY" -window root "$1" 2>/dev/null
}

e2e_end() {
  local status=$?
  ((status != 0)) && E2E_FAILED=1
  if ((E2E_FAILED)) && [[ -n $E2E_RESULTS ]]; then
    e2e_display_answers && e2e_screenshot "$E2E_RESULTS/screenshot.png" && echo "screenshot: $E2E_RESULTS/screenshot.png" >&2
    [[ -d $E2E_WORK/app ]] && cp -r "$E2E_WORK/app" "$E2E_RESULTS/app-folder" 2>/dev/null
  fi
  e2e_kill_leftovers
  [[ -n $E2E_WORK ]] && rm -rf "$E2E_WORK"
  e2e_stop_display
  exit "$status"
}

# The desktop process lives on our display; the prefix's server goes first, so no Wine
# process outlives the display it is drawing on.
e2e_stop_display() {
  [[ -n $E2E_XVFB_PID ]] || return 0
  e2e_wineserver -k
  kill "$E2E_XVFB_PID" 2>/dev/null
  E2E_XVFB_PID=""
}

# --- the program ------------------------------------------------------------------------

# Windows path of a Unix path as the program sees it (Z: is the Unix root).
e2e_winpath() { local p=${1//\//\\}; echo "Z:$p"; }

e2e_alive() {  # <pid>: running, not a zombie
  local state
  state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
  [[ -n $state && $state != Z ]]
}

# e2e_start_app [exe name in app folder]: starts it in the background; sets E2E_APP_PID.
e2e_start_app() {
  local exe=${1:-vireloc.exe} log
  log=$E2E_RESULTS/wine-${#E2E_STARTED_PIDS[@]}.log
  (cd "$E2E_WORK/app" && exec env LC_ALL=ja_JP.UTF-8 "$E2E_WINE" "$exe") >"$log" 2>&1 {E2E_LOCK_FD}>&- &
  E2E_APP_PID=$!
  disown "$E2E_APP_PID"  # no job-control chatter when it is killed
  E2E_STARTED_PIDS+=("$E2E_APP_PID")
}

# The first program of a run also waits for Wine's desktop and services to start, which took
# over 30 s on a busy machine.
e2e_wait_ready() {  # [seconds]: the application window "Dovrant" exists
  e2e_driver wait-window Dovrant "${1:-60}" >/dev/null ||
    e2e_fail "the program did not become ready (no window 'Dovrant' within ${1:-60} s)"
}

# e2e_wait_until <seconds> <command> [args]: until the command succeeds; 1 if it never did.
# A bound in seconds, not in tries: on a loaded machine each try of a Wine command is slow.
e2e_wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS >= deadline)) && return 1
    sleep 0.1
  done
}

e2e_wait_exit() {  # <pid> [seconds]: returns 1 if still running after that
  local deadline=$((SECONDS + ${2:-15}))
  while e2e_alive "$1"; do
    ((SECONDS >= deadline)) && return 1
    sleep 0.2
  done
  return 0
}

# Ends the program the way its menu does: WM_CLOSE to the main form.
e2e_stop_app() {
  local form
  form=$(e2e_driver find-class TForm1 | head -n 1) || e2e_fail "no window of class TForm1 to close"
  e2e_driver post "$form" "$E2E_WM_CLOSE" 0 0 || e2e_fail "could not post WM_CLOSE to TForm1"
  e2e_wait_exit "$E2E_APP_PID" 15 || e2e_fail "the program did not exit within 15 s of WM_CLOSE"
}

# e2e_driver <command> [args]: runs the driver; stdout without CRs, stderr to the log.
e2e_driver() {
  local out status
  out=$(cd "$E2E_WORK/driver" && e2e_wine ./vireloc-driver.exe "$@" 2>>"$E2E_RESULTS/driver.log")
  status=$?
  [[ -n $out ]] && printf '%s\n' "${out//$'\r'/}"
  return $status
}

# e2e_driver_bg <output file> <command> [args]: a driver command that keeps running
# (pattern-window, clipboard-hold, demo-menu); sets E2E_BG_PID.
e2e_driver_bg() {
  local out=$1; shift
  : >"$out"  # there from the start: a reader polling it must not find it missing
  (cd "$E2E_WORK/driver" && exec env LC_ALL=ja_JP.UTF-8 "$E2E_WINE" ./vireloc-driver.exe "$@") \
    >"$out" 2>>"$E2E_RESULTS/driver.log" {E2E_LOCK_FD}>&- &
  E2E_BG_PID=$!
  disown "$E2E_BG_PID"
  E2E_STARTED_PIDS+=("$E2E_BG_PID")
}

e2e_kill_leftovers() {
  local pid
  for pid in "${E2E_STARTED_PIDS[@]}"; do
    e2e_alive "$pid" && kill -9 "$pid" 2>/dev/null
  done
  E2E_STARTED_PIDS=()
}

# Programs of an earlier, interrupted run would answer the single-instance test, and a help
# viewer the program started would cover the next scenario's windows. The prefix is ours
# (locked), so any of them still in it is a leftover.
e2e_kill_strays() {
  local dir argv0 environment
  for dir in /proc/[0-9]*; do
    # Wine shows the Windows program as the process's first argument.
    IFS= read -r -d '' argv0 2>/dev/null <"$dir/cmdline" || continue
    [[ $argv0 =~ (^|[/\\])(vireloc(-driver)?|hh)\.exe$ ]] || continue
    environment=$(tr '\0' '\n' 2>/dev/null <"$dir/environ") || continue
    [[ $'\n'$environment$'\n' == *$'\n'"WINEPREFIX=$WINEPREFIX"$'\n'* ]] || continue
    e2e_log "killing leftover ${dir#/proc/}: $argv0"
    kill -9 "${dir#/proc/}" 2>/dev/null
  done
  return 0
}

# --- the desktop and the keyboard ------------------------------------------------------

# Keeps a driver process on the desktop until the scenario ends: Wine closes the desktop,
# notification area and clipboard with it, once its last program has ended. An icon is only
# proven gone from a notification area that is still there, and text copied by a program
# that has ended stays only on a desktop that is still there.
e2e_keep_desktop() {
  e2e_driver_bg "$E2E_RESULTS/keep-desktop.out" wait-window "vireloc: nothing has this title" 3600
  e2e_desktop_window >/dev/null || exit 1
}

# X window of Wine's virtual desktop "shell" the programs are on; waits for it, as the first
# Wine program of a session creates it. Once the last program on a desktop has ended, Wine
# closes that desktop and the next program gets a new one; the old desktop's process can take
# seconds to go on a busy machine, its window still shown under the same name below the new
# one, and keys given to it reach no program. With several shown, the driver names the one
# Wine's programs are on.
e2e_desktop_window() {
  local windows window deadline=$((SECONDS + 30))
  while :; do
    windows=$(xdotool search --onlyvisible --name '^shell - ' 2>/dev/null) || windows=""
    window=$windows
    if [[ $windows == *$'\n'* ]]; then
      window=$(e2e_driver desktop-x-window) && grep -qxF "$window" <<<"$windows" || window=""
    fi
    [[ -n $window ]] && { echo "$window"; return 0; }
    ((SECONDS < deadline)) || break
    sleep 0.1
  done
  e2e_fail "no X window of the Wine desktop 'shell' on $DISPLAY within 30 s" \
    "${windows:+(shown: ${windows//$'\n'/ })}"
}

# Prints "x y": where the desktop's top-left lies on the X screen.
e2e_desktop_origin() {
  local window position
  window=$(e2e_desktop_window) || exit 1
  position=$(xdotool getwindowgeometry "$window" | awk '/Position/ {print $2; exit}')
  [[ $position =~ ^[0-9]+,[0-9]+$ ]] || e2e_fail "no position of the desktop window: '$position'"
  echo "${position%,*} ${position#*,}"
}

# Without a window manager X gives a key to the window under the pointer, and a pointer left
# beside the desktop gives it to no Wine program at all: hotkeys included, nothing sees it.
# Once another Wine program of the session has ended, the desktop's focus is Wine's taskbar,
# and a menu never sees keys either; a user would click the desktop.
# A desktop that goes between being found and being focused is looked for again.
e2e_focus_desktop() {
  local window _
  for _ in 1 2 3; do
    window=$(e2e_desktop_window) || exit 1
    xdotool windowfocus --sync "$window" && return 0
    sleep 0.2
  done
  e2e_fail "could not focus the desktop window $window"
}

# e2e_hotkey <xdotool keys>: pressed on the desktop, wherever the pointer is. Focusing the
# desktop takes the keyboard from a window that has it: a box is answered with xdotool alone.
e2e_hotkey() {
  e2e_focus_desktop
  xdotool key "$1"
}

# --- settings file -----------------------------------------------------------------------

# Prints Section.Key=Value per entry in file order (decoded from Shift-JIS, or from UTF-16 when
# the file starts with its byte order mark; CRs and blank lines dropped).
e2e_ini_entries() {
  local encoding=CP932
  [[ $(head -c 2 "$1" | od -An -tx1 | tr -d ' ') == fffe ]] && encoding=UTF-16
  iconv -f "$encoding" -t UTF-8 "$1" | tr -d '\r' | awk '
    /^\[.*\]$/ { section = substr($0, 2, length($0) - 2); next }
    /=/ { print section "." $0 }'
}

e2e_ini_value() {  # <file> <Section.Key>
  e2e_ini_entries "$1" | awk -v key="$2" 'index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}

# The nineteen entries a file holds after a run with default settings in folder <appdir-win>.
e2e_default_entries() {
  cat <<END
Settings.DefaultClick=Dovrant
Settings.D&D=0
Settings.ClipAddr=$1
Settings.ClipCpCursor=0
Settings.SaveFormat=0
Settings.SaveClip=0
Settings.ClipEnable=0
Settings.ImageClipSave=1
Settings.ImageAppDraw=0
SettingWindow.Top=105
SettingWindow.Left=192
DragWindow.Top=115
DragWindow.Left=215
Language.Lang=jp.lang
VRLClipboard.AutoPopup=0
VRLClipboard.Top=0
VRLClipboard.Left=0
VRLClipboard.Height=0
VRLClipboard.Width=0
END
}

e2e_assert_default_ini() {  # <ini file>
  [[ -f $1 ]] || e2e_fail "no settings file $1"
  local expected actual
  expected=$(e2e_default_entries "$(e2e_winpath "$E2E_WORK/app/")")
  actual=$(e2e_ini_entries "$1")
  [[ $expected == "$actual" ]] ||
    e2e_fail "settings file differs from the defaults:
$(diff <(echo "$expected") <(echo "$actual") | sed 's/^/    /')"
}
