#include "settings/OptionsDialog.h"

#include <string>

#include "app/Application.h"
#include "app/LanguageNames.h"
#include "app/MainWindow.h"
#include "app/WideText.h"
#include "res/ResourceIds.h"
#include "settings/AlwaysOnTop.h"
#include "settings/Configuration.h"
#include "settings/LoadOnStart.h"

namespace {

bool IsTicked(HWND dialog, int box)
{
    return SendDlgItemMessageW(dialog, box, BM_GETCHECK, 0, 0) != 0;
}

void TickIfOn(HWND dialog, int box, std::u16string_view key)
{
    const std::u16string* value = FindSetting(SettingsMap, key);
    if (value != nullptr && IsTrueSetting(*value)) {
        SendDlgItemMessageW(dialog, box, BM_SETCHECK, BST_CHECKED, 0);
    }
}

INT_PTR InitializeOptionsDialog(HWND dialog)
{
    for (TranslationDirection d = 0; d < DirectionCount; ++d) {
        std::wstring caption(AsWide(DirectionCaption(d)));
        SendDlgItemMessageW(dialog, IDC_OPTIONS_LANGUAGE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    }
    SendDlgItemMessageW(dialog, IDC_OPTIONS_LANGUAGE, CB_SETCURSEL, 0, 0);
    // A hand-edited direction other than 0 or 1 leaves the first item chosen.
    const std::u16string* language = FindSetting(SettingsMap, DefaultLanguageIdKey);
    if (language != nullptr) {
        int direction = ReadDecimalSetting(*language);
        if (direction >= 0 && direction < DirectionCount) {
            SendDlgItemMessageW(dialog, IDC_OPTIONS_LANGUAGE, CB_SETCURSEL, direction, 0);
        }
    }
    TickIfOn(dialog, IDC_OPTIONS_LOAD_ON_START, LoadOnStartKey);
    TickIfOn(dialog, IDC_OPTIONS_ALWAYS_ON_TOP, AlwaysOnTopKey);
    return TRUE;
}

void SaveOptions(HWND dialog)
{
    LRESULT chosen = SendDlgItemMessageW(dialog, IDC_OPTIONS_LANGUAGE, CB_GETCURSEL, 0, 0);
    TranslationDirection direction = chosen > 0 && chosen < DirectionCount ? static_cast<int>(chosen) : 0;
    bool loadOnStart = IsTicked(dialog, IDC_OPTIONS_LOAD_ON_START);
    bool alwaysOnTop = IsTicked(dialog, IDC_OPTIONS_ALWAYS_ON_TOP);

    SetLoadOnStart(loadOnStart);
    SelectDirectionTab(direction);
    ShowDirectionPage();
    SetAlwaysOnTop(alwaysOnTop);

    StoreSetting(LoadOnStartKey, loadOnStart ? u"true" : u"false");
    StoreSetting(AlwaysOnTopKey, alwaysOnTop ? u"true" : u"false");
    StoreSetting(DefaultLanguageIdKey, direction == 0 ? u"0" : u"1");
    WriteConfiguration();
    // The map shows what the file holds, also when it could not be written.
    ReadConfiguration();
    EndDialog(dialog, IDC_OPTIONS_SAVE);
}

INT_PTR HandleOptionsCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case IDC_OPTIONS_SAVE:
        SaveOptions(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowOptionsDialog()
{
    DialogBoxParamW(ApplicationInstance, MAKEINTRESOURCEW(IDD_OPTIONS), MainWindow, OptionsDialogProc, 0);
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitializeOptionsDialog(dialog);
    case WM_COMMAND:
        return HandleOptionsCommand(dialog, wParam);
    default:
        return FALSE;
    }
}
