#!/usr/bin/env bash
# Careless programs beside ours cannot stop it. A text whose copying program opens the
# clipboard again at once and keeps it 30 ms is recorded. A viewer after the program in the
# chain that stops answering delays neither a PrintScreen capture nor the next recorded text,
# and hears of changes again once it answers. A viewer that joined after the program and ends
# without leaving the chain (the system then tells no viewer at all) does not end the recording.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../clipboard_lib.sh"
e2e_begin clipboard_careless_programs
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
shots=$E2E_WORK/shots
mkdir -p "$shots"
hang_seconds=600  # ended by the file "wake" once the steps below are done

# wait_line <viewer name> <line> <what>: waits up to 30 s for that line in the viewer's output.
viewer_said() { tr -d '\r' <"$E2E_RESULTS/$1.out" | grep -qxF "$2"; }
wait_line() {
  e2e_wait_until 30 viewer_said "$1" "$2" || e2e_fail "$3: viewer $1 never said '$2'"
}

# copy_and_see <text>: another program copies it; it becomes the first history row.
copy_and_see() {
  e2e_driver clipboard-set-text "$1" || e2e_fail "could not put '$1' on the clipboard"
  clip_wait_rows "$1"
}

# The chain: the program, then sleeper, then viewer.
clip_start_viewer viewer
clip_start_viewer sleeper
sleeper=$CLIP_VIEWER
clip_start_app "ClipAddr=$(e2e_winpath "$shots/")" SaveFormat=2
clip_copy "chain whole"

# The driver opens the clipboard again right after its copy; a viewer that was quicker (rare)
# makes it fail, and it tries once more.
for _ in 1 2 3; do
  e2e_driver clipboard-set-text-held "held 30 ms" 30 && break
done
clip_wait_rows "held 30 ms" "chain whole"

e2e_driver post "$sleeper" 0x8001 "$hang_seconds" 0 || e2e_fail "could not tell the sleeper to hang"
wait_line sleeper hanging "hang"
copy_and_see "while a viewer hangs"
cap_press Print "$shots" PNG
copy_and_see "after the capture"
grep -q '^answering' "$E2E_RESULTS/sleeper.out" &&
  e2e_fail "the sleeper answered again before the capture and the text were done: the program waited for it"

# Once the sleeper answers again, the chain through it carries new changes to the viewer.
touch "$E2E_WORK/driver/wake"
e2e_wait_until 30 grep -q '^answering' "$E2E_RESULTS/sleeper.out" ||
  e2e_fail "the sleeper never answered again"
copy_and_see "after the sleeper woke"
wait_line viewer "draw text after the sleeper woke" "the chain after the hang"

clip_start_viewer late  # joined after the program: first in the chain
late=$CLIP_VIEWER
late_pid=$E2E_BG_PID
copy_and_see "with a late viewer"
wait_line late "draw text with a late viewer" "the late viewer's notice"
e2e_driver post "$late" 0x8002 0 0 || e2e_fail "could not tell the late viewer to vanish"
e2e_wait_exit "$late_pid" 15 || e2e_fail "the late viewer did not end"
grep -q '^left' "$E2E_RESULTS/late.out" && e2e_fail "the late viewer left the chain after all"
copy_and_see "after the late viewer vanished"

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended"
e2e_stop_app
