#include "tests/win/WindowTest.h"

#include "app/Application.h"
#include "app/TrayIcon.h"
#include "res/ResourceIds.h"

namespace {

void WriteDictionaries()
{
    WriteArticleFile(0, ArticleTextOf({{u"a", u"one"}}));
    WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}}));
}

HWND OpenPopupMenu(DWORD milliseconds = 2000)
{
    return FindProgramWindow(L"#32768", nullptr, milliseconds);
}

bool MenuClosed()
{
    return WaitFor([] {
        HWND popup = FindWindowW(L"#32768", nullptr);
        return popup == nullptr || !IsWindowVisible(popup);
    });
}

void ClickTrayIcon(WPARAM id, LPARAM mouseMessage)
{
    PostMessageW(MainWindow, TRAY_CALLBACK_MESSAGE, id, mouseMessage);
}

}  // namespace

WINDOW_SCENARIO(TrayIconIsAddedAsItShouldBe, WriteDictionaries)
{
    ok(TrayIconData.cbSize == NOTIFYICONDATAW_V3_SIZE, "expected the record size %u, got %lu",
       static_cast<unsigned>(NOTIFYICONDATAW_V3_SIZE), TrayIconData.cbSize);
    ok(TrayIconData.hWnd == MainWindow, "expected the main window as the icon's window");
    ok(TrayIconData.uID == TRAY_ICON_ID, "expected id 123, got %u", TrayIconData.uID);
    ok(TrayIconData.uFlags == (NIF_MESSAGE | NIF_ICON), "expected NIF_MESSAGE|NIF_ICON, got %#x",
       TrayIconData.uFlags);
    ok(TrayIconData.uCallbackMessage == TRAY_CALLBACK_MESSAGE, "expected message 3345, got %u",
       TrayIconData.uCallbackMessage);
    ok(TrayIconData.hIcon != nullptr, "expected the icon loaded");
    ok(TrayIconData.szTip[0] == 0, "expected no tooltip text");
    // Modifying the icon works only for one that was added.
    NOTIFYICONDATAW probe = TrayIconData;
    ok(Shell_NotifyIconW(NIM_MODIFY, &probe), "expected the icon to be in the notification area");
    ExitProgram();
}

WINDOW_SCENARIO(TrayMenuOpensOnRightButtonUpOnly, WriteDictionaries)
{
    struct Case {
        WPARAM Id;
        LPARAM Mouse;
    } quiet[] = {{TRAY_ICON_ID, WM_LBUTTONUP},     {TRAY_ICON_ID, WM_LBUTTONDBLCLK}, {TRAY_ICON_ID, WM_RBUTTONDOWN},
                 {TRAY_ICON_ID, WM_RBUTTONDBLCLK}, {TRAY_ICON_ID, WM_MOUSEMOVE},     {124, WM_RBUTTONUP}};
    for (const Case& c : quiet) {
        ClickTrayIcon(c.Id, c.Mouse);
        ok(OpenPopupMenu(300) == nullptr, "id %u, mouse message %#x: expected no menu", static_cast<unsigned>(c.Id),
           static_cast<unsigned>(c.Mouse));
    }

    ClickTrayIcon(TRAY_ICON_ID, WM_RBUTTONUP);
    HWND popup = OpenPopupMenu();
    ok(popup != nullptr, "expected the tray menu on WM_RBUTTONUP");
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    ok(GetMenuItemCount(menu) == 2, "expected 2 items, got %d", GetMenuItemCount(menu));
    wchar_t text[32] = {};
    GetMenuStringW(menu, 0, text, 32, MF_BYPOSITION);
    ok(std::wstring(text) == L"Show" && GetMenuItemID(menu, 0) == IDM_TRAY_SHOW, "expected Show (224) first, got %s",
       Narrow(text).c_str());
    GetMenuStringW(menu, 1, text, 32, MF_BYPOSITION);
    ok(std::wstring(text) == L"E&xit" && GetMenuItemID(menu, 1) == IDM_TRAY_EXIT, "expected E&xit (225), got %s",
       Narrow(text).c_str());

    // Closing it without a choice sends nothing: the window stays minimised.
    ShowWindow(MainWindow, SW_MINIMIZE);
    PressKeys({VK_ESCAPE});
    ok(MenuClosed(), "expected Esc to close the menu");
    Sleep(100);
    ok(IsIconic(MainWindow), "expected no command from a closed menu");
    ExitProgram();
}

WINDOW_SCENARIO(TrayMenuShowRestoresTheWindow, WriteDictionaries)
{
    SendMessageW(MainWindow, WM_CLOSE, 0, 0);
    ok(IsIconic(MainWindow), "expected the window minimised");
    ClickTrayIcon(TRAY_ICON_ID, WM_RBUTTONUP);
    ok(OpenPopupMenu() != nullptr, "expected the tray menu");
    PressKeys({VK_DOWN});
    PressKeys({VK_RETURN});
    ok(MenuClosed(), "expected the menu closed");
    ok(WaitFor([] { return !IsIconic(MainWindow) && GetForegroundWindow() == MainWindow; }),
       "expected Show to restore the window in front");
    ExitProgram();
}

WINDOW_SCENARIO(TrayMenuExitEndsTheProgram, WriteDictionaries)
{
    ClickTrayIcon(TRAY_ICON_ID, WM_RBUTTONUP);
    ok(OpenPopupMenu() != nullptr, "expected the tray menu");
    PressKeys({VK_DOWN});
    PressKeys({VK_DOWN});
    PressKeys({VK_RETURN});
    ok(WaitFor([] { return !IsWindow(MainWindow); }), "expected Exit to destroy the window");
    // Removed with the shutdown: modifying it fails now.
    NOTIFYICONDATAW probe = TrayIconData;
    ok(!Shell_NotifyIconW(NIM_MODIFY, &probe), "expected the icon gone after Exit");
}
