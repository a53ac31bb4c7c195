#!/usr/bin/env bash
# The icon in the notification area: a right-click opens its menu, Show
# brings the minimised window back, Exit ends the program and the icon goes.
source "$(dirname "$0")/lib.sh"

tray_picture() { import -window root -crop 24x24+"$((tx - 12))"+"$((ty - 12))" "$1"; }
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

check "the program starts" start_program
read -r tx ty < <(probe tray-point)
tray_picture "$E2E_FOLDER/with-icon.png"

probe close
check "the close button minimises the window" wait_for 5 state_is iconic 1

xdotool mousemove "$tx" "$ty" click 1
sleep 0.5
check "a left click opens no menu" test "$(probe menu-open; echo $?)" = 1

xdotool mousemove "$tx" "$ty" click 3
check "a right-click opens the menu" wait_for 5 probe menu-open
screenshot tray-menu
xdotool key Escape
check "Esc closes it" wait_for 5 gone menu-open
check "without a command: the window stays minimised" equals "$(state iconic)" 1

xdotool mousemove "$tx" "$ty" click 3
wait_for 5 probe menu-open
xdotool key Down Return
check "Show restores the window" wait_for 5 state_is iconic 0
check "and brings it to the front" wait_for 5 state_is foreground 1

xdotool mousemove "$tx" "$ty" click 3
wait_for 5 probe menu-open
xdotool key Down Down Return
code=0
wait "$E2E_PID" || code=$?
E2E_PID=
check "Exit ends the program" probe wait-gone 10
check "with exit code 0" equals "$code" 0
sleep 0.5
tray_picture "$E2E_FOLDER/without-icon.png"
check "the icon is gone from the notification area" \
  test "$(same_picture "$E2E_FOLDER/with-icon.png" "$E2E_FOLDER/without-icon.png"; echo $?)" = 1
finish
