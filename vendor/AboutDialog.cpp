#include "vendor/AboutDialog.h"

#include <string>

#include "app/Application.h"
#include "app/WideText.h"
#include "res/ResourceIds.h"
#include "vendor/VendorLinks.h"
#include "vendor/VendorUrls.h"

namespace {

INT_PTR InitializeAboutDialog(HWND dialog)
{
    std::wstring version = L"Version " + std::wstring(AsWide(VersionLabel()));
    SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, version.c_str());
    return TRUE;
}

INT_PTR HandleAboutCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case IDC_ABOUT_SYSTEM_INFO:
        // The dialog stays open; each press starts the tool again.
        OpenWithShell(L"msinfo32.exe");
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowAboutDialog()
{
    DialogBoxParamW(ApplicationInstance, MAKEINTRESOURCEW(IDD_ABOUT), MainWindow, AboutDialogProc, 0);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitializeAboutDialog(dialog);
    case WM_COMMAND:
        return HandleAboutCommand(dialog, wParam);
    default:
        return FALSE;
    }
}
