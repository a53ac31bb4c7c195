#!/usr/bin/env bash
# Tools > Options as a user drives it with the keyboard: Escape changes
# nothing; Save switches the tab and the topmost state at once, writes the
# three lines and the Run value; the next start opens as saved.
source "$(dirname "$0")/lib.sh"

RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
USER_RUN_KEY='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'

delete_run_values() {
  "$WINE" reg delete "$RUN_KEY" /v EnglishItalianDictionary /f >/dev/null 2>&1
  "$WINE" reg delete "$USER_RUN_KEY" /v EnglishItalianDictionary /f >/dev/null 2>&1
  return 0
}

run_value() {
  "$WINE" reg query "$RUN_KEY" /v EnglishItalianDictionary 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *EnglishItalianDictionary *REG_SZ *//p'
}

# Like start_program, with a Configuration.dat of the test's own.
start_with_configuration() {  # start_with_configuration PRINTF-TEXT
  E2E_FOLDER=$(mktemp -d "${TMPDIR:-/tmp}/verbola-e2e.XXXXXX")
  cp -r "$VERBOLA_BUILD/Verbola/." "$E2E_FOLDER/"
  printf "$1" >"$E2E_FOLDER/Configuration.dat"
  restart_program
}

restart_program() {
  (cd "$E2E_FOLDER" && exec "$WINE" Verbola.exe >/dev/null 2>&1) &
  E2E_PID=$!
  probe wait-ready 30
}

file_is() {  # file_is PRINTF-TEXT
  cmp -s "$E2E_FOLDER/Configuration.dat" <(printf "$1") ||
    { echo "    got: $(od -c "$E2E_FOLDER/Configuration.dat" | head -n 5)"; return 1; }
}

open_options() {
  # Tools has one item, which the opened menu selects.
  xdotool key alt+t
  sleep 0.3
  xdotool key Return
  wait_for 5 probe dialog-open "Application options dialog"
}

delete_run_values
stored='LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nOther=kept\r\n'
check "the program starts" start_with_configuration "$stored"
check "on the first tab" equals "$(state tab)" 0
check "not topmost" equals "$(state topmost)" 0

check "Tools > Options opens the dialog" open_options
xdotool key Down Tab space
xdotool key Escape
check "Escape closes it" wait_for 5 gone dialog-open "Application options dialog"
check "the tab stays" equals "$(state tab)" 0
check "the file stays" file_is "$stored"
check "no Run value is written" equals "$(run_value)" ""

check "Tools > Options opens the dialog again" open_options
screenshot options-dialog
# The combo box has the focus: Down chooses "Italian English"; Tab goes on
# to the two boxes, Cancel and Save.
xdotool key Down Tab space Tab space Tab Tab space
check "Save closes it" wait_for 5 gone dialog-open "Application options dialog"
check "the second tab is selected at once" equals "$(state tab)" 1
check "and its page shown" equals "$(state visible1)$(state visible0)" 10
check "the window is topmost" equals "$(state topmost)" 1
saved='LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\n'
check "the file holds exactly the three lines" file_is "$saved"
program=$("$WINE" winepath -w "$E2E_FOLDER/Verbola.exe" 2>/dev/null | tr -d '\r')
check "the Run value holds the program's path" equals "$(run_value)" "$program"
screenshot options-saved

check "File > Exit ends the program with exit code 0" exit_program
check "the file is as saved after exit" file_is "$saved"
check "the program starts again" restart_program
check "on the saved tab" equals "$(state tab)" 1
check "topmost" equals "$(state topmost)" 1
check "File > Exit ends it again" exit_program
delete_run_values
finish
