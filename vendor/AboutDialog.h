#pragma once
#include <windows.h>

// Help > "About" and Alt+"?" / Alt+"/": the version and the product details.
void ShowAboutDialog();
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
