#!/usr/bin/env bash
# Invalid values in the settings file are put right (and written) during start-up; valid
# ones are kept.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin settings_corrected
ini=$E2E_WORK/app/vireloc.ini
printf '%s\r\n' '[Settings]' 'DefaultClick=WindowSmall' 'D&D=1' 'ClipAddr=C:\no\such\folder\' \
  'ClipCpCursor=7' 'SaveFormat=abc' 'SaveClip=1' 'ClipEnable=1' 'ImageClipSave=2' 'ImageAppDraw=1' \
  '[SettingWindow]' 'Top=33' 'Left=44' '[DragWindow]' 'Top=-5' 'Left=66' \
  '[Language]' 'Lang=en.lang' \
  '[VRLClipboard]' 'AutoPopup=1' 'Top=10' 'Left=20' 'Height=300' 'Width=400' >"$ini"

e2e_start_app
e2e_wait_ready
sleep 1  # start-up writes right after the window exists

check() { e2e_assert_eq "$2" "$(e2e_ini_value "$ini" "$1")" "$1 after start-up"; }
check Settings.ClipCpCursor 0
check Settings.SaveFormat 0
check Settings.ImageClipSave 1
check Settings.ClipAddr "$(e2e_winpath "$E2E_WORK/app/")"
check Settings.DefaultClick WindowSmall
check Settings.D\&D 1
check Settings.SaveClip 1
check Settings.ClipEnable 1
check Settings.ImageAppDraw 1
check SettingWindow.Top 33
check SettingWindow.Left 44
check DragWindow.Top -5
check DragWindow.Left 66
check Language.Lang en.lang
check VRLClipboard.AutoPopup 1
check VRLClipboard.Height 300
check VRLClipboard.Width 400
e2e_stop_app
