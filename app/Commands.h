#pragma once
#include <windows.h>

// WM_COMMAND: a word box change (code 5) or selection (1), and every
// accelerator command (also 1), refreshes the look-up before the command runs.
LRESULT HandleCommand(HWND window, WPARAM wParam, LPARAM lParam);

// WM_NOTIFY: the tab selection change and the headword double-click; 0 always.
LRESULT HandleNotify(LPARAM lParam);

// Injects Ctrl plus the key of one character into the input stream; it
// reaches whichever window has the keyboard once the current message is done.
void SimulateCtrlKey(wchar_t character);
