#!/usr/bin/env bash
# Clipboard viewers that joined the chain before the program keep seeing every change, each
# exactly once: while the program runs, after a viewer between them has left (the program
# mends its link), and after the program has left the chain on Exit.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../clipboard_lib.sh"
e2e_begin clipboard_chain

clip_start_viewer viewer
viewer=$CLIP_VIEWER
clip_start_viewer between
between=$CLIP_VIEWER
clip_start_app
start=$(clip_seen viewer | wc -l)

# The chain is now: program, between, viewer.
clip_copy "while running" "日本語も"
clip_change no-text e2e_driver clipboard-clear

e2e_driver post "$between" "$E2E_WM_CLOSE" 0 0 || e2e_fail "could not close the viewer between"
e2e_wait_until 30 grep -q '^left' "$E2E_RESULTS/between.out" || e2e_fail "the viewer between did not leave the chain"
grep -q "^chain $between $viewer" "$E2E_RESULTS/viewer.out" ||
  e2e_fail "the program did not pass on that the viewer between left"
clip_copy "after the viewer between left"

e2e_stop_app
clip_copy "after Exit"
e2e_assert_eq "$(printf '%s\n' "text while running" "text 日本語も" no-text \
  "text after the viewer between left" "text after Exit")" \
  "$(clip_seen viewer | tail -n +$((start + 1)))" "changes the first viewer was told of, once each"
