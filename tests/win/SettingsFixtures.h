#pragma once
// What the settings tests share: the Run values under both roots, the
// scenario's Configuration.dat, the window's topmost state, and the Options
// dialog driven as a user would drive it.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/WideText.h"
#include "res/ResourceIds.h"
#include "settings/Configuration.h"
#include "tests/win/WindowTest.h"

inline constexpr wchar_t RunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t ExpectedRunValueName[] = L"EnglishItalianDictionary";
inline constexpr wchar_t ConfigurationFileName[] = L"Configuration.dat";

// ---- the Run value

struct RunValueSeen {
    DWORD Type = REG_NONE;
    DWORD Bytes = 0;
    std::wstring Data;
};

inline std::optional<RunValueSeen> RunValueUnder(HKEY root)
{
    HKEY run = nullptr;
    if (RegOpenKeyExW(root, RunKeyPath, 0, KEY_QUERY_VALUE, &run) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RunValueSeen value;
    LONG status = RegQueryValueExW(run, ExpectedRunValueName, nullptr, &value.Type, nullptr, &value.Bytes);
    if (status == ERROR_SUCCESS) {
        std::wstring units((value.Bytes + 1) / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = value.Bytes;
        status = RegQueryValueExW(run, ExpectedRunValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(units.data()),
                                  &bytes);
        // The data as stored, without the terminating zero the size counts.
        units.resize(bytes / sizeof(wchar_t));
        if (!units.empty() && units.back() == L'\0') {
            units.pop_back();
        }
        value.Data = units;
    }
    RegCloseKey(run);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

inline void SetRunValueUnder(HKEY root, std::wstring_view data)
{
    HKEY run = nullptr;
    LONG status = RegCreateKeyExW(root, RunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &run, nullptr);
    ok(status == ERROR_SUCCESS, "cannot open the Run key for a fixture: %ld", status);
    std::wstring text(data);
    RegSetValueExW(run, ExpectedRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(run);
}

// Every scenario ends with this: a Run value left behind would be started by
// the next boot of the prefix and would disturb the next scenario.
inline void DeleteRunValues()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY run = nullptr;
        if (RegOpenKeyExW(root, RunKeyPath, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueW(run, ExpectedRunValueName);
            RegCloseKey(run);
        }
    }
}

// A path as the program would store it: the bare path, or "" when off.
inline void ExpectRunValue(HKEY root, std::wstring_view data, const char* when)
{
    const char* rootName = root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU";
    std::optional<RunValueSeen> value = RunValueUnder(root);
    ok(value.has_value(), "%s: expected a Run value under %s, got none", when, rootName);
    if (!value) {
        return;
    }
    ok(value->Type == REG_SZ, "%s: expected REG_SZ under %s, got type %lu", when, rootName, value->Type);
    ok(value->Data == data, "%s: expected \"%s\" under %s, got \"%s\"", when, Narrow(data).c_str(), rootName,
       Narrow(value->Data).c_str());
    DWORD size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    ok(value->Bytes == size, "%s: expected %lu bytes under %s, got %lu", when, size, rootName, value->Bytes);
}

inline void ExpectNoRunValue(HKEY root, const char* when)
{
    std::optional<RunValueSeen> value = RunValueUnder(root);
    ok(!value.has_value(), "%s: expected no Run value under %s, got \"%s\"", when,
       root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU", value ? Narrow(value->Data).c_str() : "");
}

// ---- Configuration.dat of the scenario's folder

inline std::wstring ConfigurationPath()
{
    return TestFolder() + L"\\" + ConfigurationFileName;
}

inline std::optional<std::string> ConfigurationBytes()
{
    return ReadFileBytes(ConfigurationPath());
}

inline void WriteConfigurationFixture(std::string_view bytes)
{
    WriteTestFile(ConfigurationFileName, bytes);
}

inline void SetConfigurationReadOnly(bool readOnly)
{
    SetFileAttributesW(ConfigurationPath().c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

inline bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Line ends made visible, for the messages.
inline std::string Shown(std::string_view bytes)
{
    std::string text;
    for (char c : bytes) {
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n";
        } else {
            text += c;
        }
    }
    return text;
}

inline void ExpectConfiguration(std::optional<std::string_view> expected, const char* when)
{
    std::optional<std::string> bytes = ConfigurationBytes();
    if (!expected) {
        ok(!bytes.has_value(), "%s: expected no Configuration.dat, got \"%s\"", when,
           bytes ? Shown(*bytes).c_str() : "");
        return;
    }
    ok(bytes.has_value() && *bytes == *expected, "%s: expected Configuration.dat \"%s\", got \"%s\"", when,
       Shown(*expected).c_str(), bytes ? Shown(*bytes).c_str() : "(no file)");
    ok(!FileExists(ConfigurationPath() + L".new"), "%s: a half-written file was left behind", when);
}

inline std::string ShownSettings(const Settings& settings)
{
    std::string text;
    for (const auto& [key, value] : settings) {
        text += Narrow(AsWide(key)) + "=" + Narrow(AsWide(value)) + ";";
    }
    return text;
}

// ---- the main window

inline void WriteSmallDictionaries()
{
    WriteArticleFile(0, ArticleTextOf({{u"a", u"one"}, {u"ab", u"AB"}}));
    WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}, {u"casa", u"house"}}));
}

// A scenario's start: small dictionaries, no Run values, the given file.
inline void PrepareConfiguration(std::string_view bytes)
{
    WriteSmallDictionaries();
    DeleteRunValues();
    WriteConfigurationFixture(bytes);
}

// The settings map is only read while the program waits for messages.
inline Settings SettingsMapNow()
{
    SendMessageW(MainWindow, WM_NULL, 0, 0);
    return SettingsMap;
}

inline bool IsTopmost()
{
    return (GetWindowLongW(MainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

inline bool AlwaysOnTopChecked()
{
    return (GetMenuState(GetMenu(MainWindow), IDM_ALWAYS_ON_TOP, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The selected tab and the page below it agree on the direction.
inline void ExpectDirectionShown(int direction, const char* when)
{
    ok(SelectedTab() == direction, "%s: expected tab %d, got %d", when, direction, SelectedTab());
    for (int d = 0; d < 2; ++d) {
        bool shown = d == direction;
        for (HWND control : {WordBox[d], PronounceButton[d], HeadwordList[d], ArticleView[d]}) {
            ok((IsWindowVisible(control) != FALSE) == shown, "%s: expected the controls of direction %d %s", when, d,
               shown ? "shown" : "hidden");
        }
    }
}

inline void ExpectTopmost(bool topmost, const char* when)
{
    ok(IsTopmost() == topmost, "%s: expected the window %s, got the other", when, topmost ? "topmost" : "not topmost");
    ok(AlwaysOnTopChecked() == topmost, "%s: expected menu item 164 %s", when, topmost ? "checked" : "unchecked");
}

// Ends the program and waits until its window is gone: nothing of the
// program runs after that.
inline void ExitAndWait()
{
    HWND window = MainWindow;
    ExitProgram();
    ok(WaitFor([window] { return !IsWindow(window); }, 10000), "the program did not end");
}

// ---- the Options dialog

struct OptionsShown {
    int Language = -1;
    bool LoadOnStart = false;
    bool AlwaysOnTop = false;
};

inline HWND OpenOptionsDialog()
{
    PostCommand(IDM_OPTIONS);
    HWND dialog = FindProgramDialog(L"Application options dialog");
    ok(dialog != nullptr, "expected the Options dialog, got none");
    return dialog;
}

inline OptionsShown OptionsOf(HWND dialog)
{
    OptionsShown shown;
    shown.Language = static_cast<int>(SendDlgItemMessageW(dialog, IDC_OPTIONS_LANGUAGE, CB_GETCURSEL, 0, 0));
    shown.LoadOnStart = SendDlgItemMessageW(dialog, IDC_OPTIONS_LOAD_ON_START, BM_GETCHECK, 0, 0) != 0;
    shown.AlwaysOnTop = SendDlgItemMessageW(dialog, IDC_OPTIONS_ALWAYS_ON_TOP, BM_GETCHECK, 0, 0) != 0;
    return shown;
}

inline void ExpectOptions(HWND dialog, OptionsShown expected, const char* when)
{
    OptionsShown shown = OptionsOf(dialog);
    ok(shown.Language == expected.Language && shown.LoadOnStart == expected.LoadOnStart &&
           shown.AlwaysOnTop == expected.AlwaysOnTop,
       "%s: expected item %d, boxes %d %d; got item %d, boxes %d %d", when, expected.Language, expected.LoadOnStart,
       expected.AlwaysOnTop, shown.Language, shown.LoadOnStart, shown.AlwaysOnTop);
}

// Ticks or clears the boxes by clicking them, and chooses the item.
inline void ChooseOptions(HWND dialog, OptionsShown wanted)
{
    SendDlgItemMessageW(dialog, IDC_OPTIONS_LANGUAGE, CB_SETCURSEL, static_cast<WPARAM>(wanted.Language), 0);
    OptionsShown shown = OptionsOf(dialog);
    if (shown.LoadOnStart != wanted.LoadOnStart) {
        SendDlgItemMessageW(dialog, IDC_OPTIONS_LOAD_ON_START, BM_CLICK, 0, 0);
    }
    if (shown.AlwaysOnTop != wanted.AlwaysOnTop) {
        SendDlgItemMessageW(dialog, IDC_OPTIONS_ALWAYS_ON_TOP, BM_CLICK, 0, 0);
    }
    ExpectOptions(dialog, wanted, "after choosing");
}

// Waits until the dialog has ended and its modal loop has returned.
inline void ExpectDialogEnded(HWND dialog, const char* when)
{
    ok(WaitFor([dialog] { return !IsWindow(dialog); }, 3000), "%s: the dialog is still open", when);
    SendMessageW(MainWindow, WM_NULL, 0, 0);
}

inline void PressDialogButton(HWND dialog, int button, const char* when)
{
    SendDlgItemMessageW(dialog, button, BM_CLICK, 0, 0);
    ExpectDialogEnded(dialog, when);
}
