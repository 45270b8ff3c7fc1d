#!/usr/bin/env bash
# A second start while one instance runs ends at once and touches neither the running
# instance nor the settings file.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin second_start
ini=$E2E_WORK/app/vireloc.ini
# A settings file with a non-default value, to see it is neither rewritten nor re-read.
printf '[Settings]\r\nDefaultClick=DovrantRe\r\nSaveFormat=2\r\n' >"$ini"
touch -d '2020-01-02 03:04:05' "$ini"
before_sum=$(md5sum <"$ini"); before_time=$(stat -c %Y "$ini")

e2e_start_app
first=$E2E_APP_PID
e2e_wait_ready
sleep 1
before_sum=$(md5sum <"$ini"); before_time=$(stat -c %Y "$ini")  # after the first start's own writes
app_window=$(e2e_driver find-window Dovrant)

e2e_start_app
second=$E2E_APP_PID
e2e_wait_exit "$second" 10 || e2e_fail "the second instance is still running after 10 s"
e2e_alive "$first" || e2e_fail "the first instance ended"
e2e_assert_eq "$app_window" "$(e2e_driver find-window Dovrant)" "the Dovrant window(s) after the second start"
e2e_assert_eq "$before_sum" "$(md5sum <"$ini")" "settings file content after the second start"
e2e_assert_eq "$before_time" "$(stat -c %Y "$ini")" "settings file mtime after the second start"

E2E_APP_PID=$first
e2e_stop_app
