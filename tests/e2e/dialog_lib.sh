# Helpers of the dialog scenarios, sourced after lib.sh and tray_lib.sh: the frame every dialog
# shares, and a picture of one window for review.

# dlg_assert_frame <hwnd> <client width> <client height>: that client area, a close box and no
# sizing frame, minimise or maximise box or scroll bars, and a taskbar button of its own.
dlg_assert_frame() {
  local info style exstyle
  info=$(e2e_driver window-info "$1")
  e2e_assert_eq "client $2 $3" "$(sed -n 1p <<<"$info")" "client area"
  style=$(awk '$1 == "style" {print $2}' <<<"$info")
  exstyle=$(awk '$1 == "exstyle" {print $2}' <<<"$info")
  ((exstyle & 0x40000)) || e2e_fail "no taskbar button of its own (WS_EX_APPWINDOW): exstyle $exstyle"
  ((style & 0x80000)) || e2e_fail "no close box (WS_SYSMENU): style $style"
  ((style & 0x370000)) && e2e_fail "sizing frame, minimise or maximise box or scroll bars: style $style"
  return 0
}

# dlg_screenshot <hwnd> <file>: the window with a margin of 8 pixels, the pointer out of the way.
dlg_screenshot() {
  local ox oy x y w h
  tray_mousemove 1000 10
  read -r ox oy < <(e2e_desktop_origin) || exit 1
  read -r x y w h < <(e2e_driver window-rect "$1")
  import -display "$DISPLAY" -window root -crop "$((w + 16))x$((h + 16))+$((ox + x - 8))+$((oy + y - 8))" +repage \
    "$2" || e2e_fail "could not take the screenshot $2"
}
