#!/usr/bin/env bash
# A word typed into the word box with real keystrokes is looked up in the
# sample dictionary; a double-click on a headword shows its article.
source "$(dirname "$0")/lib.sh"

check "the program starts with \"a\" looked up" start_program
check "the word box holds \"a\"" equals "$(state word0)" "a"
check "the list starts at \"a\"" equals "$(state item0.0)" "a"

read -r x y < <(probe word-box-point)
click_at "$x" "$y"
xdotool key End shift+Home BackSpace
xdotool type --delay 60 "house"
sleep 0.5
check "the typed word is in the word box" equals "$(state word0)" "house"
check "the list starts at \"house\"" equals "$(state item0.0)" "house"
check "25 headwords are listed" equals "$(state count0)" "25"
article=$(state article0)
check "the article of \"house\" is shown" test "${article#house /}" != "$article" -a -n "$(grep -o casa <<<"$article")"
screenshot typed-house

second=$(state item0.1)
read -r x y < <(probe item-point 1)
xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
sleep 0.5
check "a double-click puts the headword into the word box" equals "$(state word0)" "$second"
check "and shows its article" test -n "$(state article0)"

check "File > Exit ends the program with exit code 0" exit_program
finish
