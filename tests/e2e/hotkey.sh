#!/usr/bin/env bash
# Ctrl+Insert in another program (Wine's Notepad): the selection is copied,
# the dictionary comes forward with the word, trimmed, looked up in the tab
# selected at that moment, and the clipboard keeps what Notepad copied.
source "$(dirname "$0")/lib.sh"
NOTEPAD_PID=
stop_notepad() { [ -n "$NOTEPAD_PID" ] && kill "$NOTEPAD_PID" 2>/dev/null; NOTEPAD_PID=; }
trap stop_notepad EXIT


# Select all of Notepad's text, then press the hotkey there.
capture_from_notepad() {
  read -r x y < <(probe class-point Notepad)
  click_at "$x" "$y"
  sleep 0.3
  xdotool key ctrl+a
  sleep 0.2
  xdotool key ctrl+Insert
}

check "the program starts" start_program
printf '  house  ' >"$E2E_FOLDER/word.txt"
(cd "$E2E_FOLDER" && exec "$WINE" notepad word.txt >/dev/null 2>&1) &
NOTEPAD_PID=$!
check "Notepad opens" wait_for 20 probe class-point Notepad >/dev/null

probe close  # minimised, as after a click on its close button
check "the dictionary is minimised" wait_for 5 state_is iconic 1

capture_from_notepad
check "the captured word, trimmed, is in the word box" wait_for 10 state_is word0 house
check "the window is restored" equals "$(state iconic)" 0
check "and in front" equals "$(state foreground)" 1
check "the list starts at house" equals "$(state item0.0)" house
check "the article of house is shown" test -n "$(state article0)"
check "the clipboard keeps Notepad's text" equals "$(probe clipboard)" '  house  '
screenshot hotkey-capture

# The capture goes into the tab selected at that moment.
probe command 163
probe close
wait_for 5 state_is iconic 1
read -r x y < <(probe class-point Notepad)
click_at "$x" "$y"
xdotool key ctrl+a
xdotool type --delay 40 ' casa '
capture_from_notepad
check "a capture with the second tab selected goes there" wait_for 10 state_is word1 casa
check "and the first tab keeps its word" equals "$(state word0)" house
check "the article of casa is shown" test -n "$(state article1)"

stop_notepad
check "File > Exit ends the program with exit code 0" exit_program
finish
