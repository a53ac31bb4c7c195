#pragma once
#include <windows.h>

// Tools > "Options": shows the stored settings; Save applies them at once,
// stores them and reads the file back. Every other way out changes nothing.
void ShowOptionsDialog();
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
