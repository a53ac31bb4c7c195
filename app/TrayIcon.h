#pragma once
#include <windows.h>
#include <shellapi.h>

// The notification-area icon: a right-click opens a menu with Show and Exit.
extern NOTIFYICONDATAW TrayIconData;

void AddTrayIcon(HINSTANCE instance);
void RemoveTrayIcon();
LRESULT HandleTrayMessage(HWND window, WPARAM wParam, LPARAM lParam);
// Shows the first pop-up of a loaded menu at the mouse and releases the menu.
bool ShowTrayMenu(HMENU menu, HWND window);
