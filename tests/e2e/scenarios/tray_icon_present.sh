#!/usr/bin/env bash
# The tray icon shows in the shell desktop's notification area while the program runs and
# is gone once it has ended.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin tray_icon_present

e2e_keep_desktop
e2e_assert_eq 0 "$(tray_pink_pixels before)" "pink pixels in the notification area before start"
e2e_start_app
e2e_wait_ready
tray_wait_icon shown running
e2e_stop_app
tray_wait_icon gone after
