#include "app/Commands.h"

#include <commctrl.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "dictionary/HeadwordLookup.h"
#include "res/ResourceIds.h"
#include "settings/AlwaysOnTop.h"
#include "settings/OptionsDialog.h"
#include "vendor/AboutDialog.h"
#include "vendor/VendorLinks.h"

namespace {

constexpr WORD WordBoxSelectionChange = CBN_SELCHANGE;  // 1, also every accelerator command
constexpr WORD WordBoxEditChange = CBN_EDITCHANGE;      // 5

// The injected keys carry these scan codes, not the keys' own.
constexpr BYTE ControlScanCode = 0x9D;
constexpr BYTE CharacterScanCode = 0x9E;

void SelectDirection(TranslationDirection direction)
{
    // No look-up: the direction shows what it showed before.
    SelectDirectionTab(direction);
    ShowDirectionPage();
}

void ShowMainWindow()
{
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    SetForegroundWindow(MainWindow);
}

}  // namespace

void SimulateCtrlKey(wchar_t character)
{
    keybd_event(VK_CONTROL, ControlScanCode, 0, 0);
    keybd_event(LOBYTE(VkKeyScanW(character)), CharacterScanCode, 0, 0);
    keybd_event(LOBYTE(VkKeyScanW(character)), CharacterScanCode, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, ControlScanCode, KEYEVENTF_KEYUP, 0);
}

LRESULT HandleCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    WORD code = HIWORD(wParam);
    if (code == WordBoxSelectionChange || code == WordBoxEditChange) {
        LookUpWord();
    }
    switch (LOWORD(wParam)) {
    case IDM_ABOUT_KEY:
    case IDM_ABOUT:
        ShowAboutDialog();
        break;
    case IDM_EXIT:
    case IDM_TRAY_EXIT:
        DestroyWindow(MainWindow);
        break;
    case IDM_CUT:
    case IDM_TOOLBAR_CUT:
        SimulateCtrlKey(L'X');
        break;
    case IDM_COPY:
    case IDM_TOOLBAR_COPY:
        SimulateCtrlKey(L'C');
        break;
    case IDM_PASTE:
    case IDM_TOOLBAR_PASTE:
        SimulateCtrlKey(L'V');
        break;
    case IDM_ENGLISH_ITALIAN:
        SelectDirection(0);
        break;
    case IDM_ITALIAN_ENGLISH:
        SelectDirection(1);
        break;
    case IDM_ALWAYS_ON_TOP:
        SetAlwaysOnTop(!AlwaysOnTopState);
        break;
    case IDM_OPTIONS:
        ShowOptionsDialog();
        break;
    case IDM_HELP_SEARCH:
    case IDM_HELP_CONTENTS:
    case IDM_TOOLBAR_HELP:
        OpenHelp();
        break;
    case IDM_CHECK_FOR_UPDATES:
        OpenUpdatePage();
        break;
    case IDM_TECHNICAL_SUPPORT:
        OpenSupportPage();
        break;
    case IDM_TRAY_SHOW:
        ShowMainWindow();
        break;
    // Grayed File items, and buttons whose features (speaking a word, adding
    // an article or a language, printing, saving) this version does not have.
    case IDM_NEW:
    case IDM_OPEN:
    case IDM_PRINT:
    case IDM_PRINT_PREVIEW:
    case IDC_PRONOUNCE_BUTTON:
    case IDC_PRONOUNCE_BUTTON + 1:
    case IDM_TOOLBAR_NEW:
    case IDM_TOOLBAR_OPEN:
    case IDM_TOOLBAR_SAVE:
    case IDM_TOOLBAR_PRINT:
        break;
    default:
        return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    }
    return 0;
}

LRESULT HandleNotify(LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_TAB_CONTROL && header->code == static_cast<UINT>(TCN_SELCHANGE)) {
        ShowDirectionPage();
    } else if ((header->idFrom == IDC_HEADWORD_LIST || header->idFrom == IDC_HEADWORD_LIST + 1) &&
               header->code == static_cast<UINT>(NM_DBLCLK)) {
        ChooseHeadword();
    }
    return 0;
}
