#!/usr/bin/env bash
# The menu and keys as a user drives them: Alt+/ opens the About box while
# the window itself has the keyboard; Edit > Paste into the word box looks
# the pasted word up; View switches the direction.
source "$(dirname "$0")/lib.sh"


check "the program starts" start_program

# At start the window itself has the keyboard, so its accelerators work.
xdotool key alt+slash
check "Alt+/ opens the About box" wait_for 5 probe dialog-open About
screenshot about
xdotool key Return
check "Enter closes it" wait_for 5 gone dialog-open About

probe set-clipboard abandon
read -r x y < <(probe word-box-point)
click_at "$x" "$y"
xdotool key End shift+Home
# Alt+E opens the Edit menu on its first item: Cut, Copy, Paste.
xdotool key alt+e
sleep 0.3
xdotool key Down Down Return
check "Edit > Paste puts the clipboard's word into the word box" wait_for 5 state_is word0 abandon
check "and looks it up" equals "$(state item0.0)" abandon
check "its article is shown" test -n "$(state article0)"

# With the keyboard in the word box, Alt+/ goes to the box, which ignores it.
xdotool key alt+slash
sleep 0.5
check "Alt+/ in the word box opens nothing" test "$(probe dialog-open About; echo $?)" = 1

xdotool key alt+v
sleep 0.3
xdotool key Down Return
check "View > Italian English selects the second tab" wait_for 5 state_is tab 1
check "and shows its page" equals "$(state visible1)$(state visible0)" 10
check "File > Exit ends the program with exit code 0" exit_program
finish
