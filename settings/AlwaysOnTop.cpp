#include "settings/AlwaysOnTop.h"

#include <windows.h>

#include "app/Application.h"
#include "res/ResourceIds.h"

bool AlwaysOnTopState = false;

void SetAlwaysOnTop(bool on)
{
    SetWindowPos(MainWindow, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    AlwaysOnTopState = on;
    CheckMenuItem(GetMenu(MainWindow), IDM_ALWAYS_ON_TOP, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}
