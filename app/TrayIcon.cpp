#include "app/TrayIcon.h"

#include "app/Application.h"
#include "res/ResourceIds.h"

NOTIFYICONDATAW TrayIconData;

void AddTrayIcon(HINSTANCE instance)
{
    ZeroMemory(&TrayIconData, sizeof(TrayIconData));
    TrayIconData.cbSize = NOTIFYICONDATAW_V3_SIZE;
    TrayIconData.hWnd = MainWindow;
    TrayIconData.uID = TRAY_ICON_ID;
    TrayIconData.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TRAY_ICON));
    TrayIconData.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
    // No NIF_TIP: the icon shows no tooltip.
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON;
    Shell_NotifyIconW(NIM_ADD, &TrayIconData);
}

void RemoveTrayIcon()
{
    Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
}

LRESULT HandleTrayMessage(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (window == MainWindow && wParam == TRAY_ICON_ID && lParam == WM_RBUTTONUP) {
        HMENU menu = LoadMenuW(ApplicationInstance, MAKEINTRESOURCEW(IDR_TRAY_MENU));
        if (menu != nullptr) {
            ShowTrayMenu(menu, window);
        }
    }
    return DefWindowProcW(window, TRAY_CALLBACK_MESSAGE, wParam, lParam);
}

bool ShowTrayMenu(HMENU menu, HWND window)
{
    HMENU popup = GetSubMenu(menu, 0);
    BOOL tracked = FALSE;
    if (popup != nullptr) {
        // In the foreground, so that the menu closes on a click elsewhere.
        SetForegroundWindow(window);
        POINT cursor;
        GetCursorPos(&cursor);
        tracked = TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, window, nullptr);
    }
    DestroyMenu(menu);
    return tracked != FALSE;
}
