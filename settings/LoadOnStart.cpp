#include "settings/LoadOnStart.h"

#include <windows.h>

#include "app/LanguageNames.h"
#include "app/WideText.h"
#include "dictionary/ModuleDirectory.h"

namespace {

// The same path below both roots.
constexpr wchar_t RunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Only the right to set values is asked for, so a Run key that an
// administrator has opened to users is used even where its parents are not.
bool SetRunValue(HKEY root, const std::wstring& name, const std::wstring& data)
{
    HKEY run = nullptr;
    if (RegCreateKeyExW(root, RunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &run, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    bool written =
        RegSetValueExW(run, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes) ==
        ERROR_SUCCESS;
    RegCloseKey(run);
    return written;
}

// A value an earlier run had to leave under the user's key would start the
// program a second time, or start it although the setting is off.
void EmptyUserRunValue(const std::wstring& name)
{
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RunKeyPath, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &run) != ERROR_SUCCESS) {
        return;
    }
    DWORD bytes = 0;
    if (RegQueryValueExW(run, name.c_str(), nullptr, nullptr, nullptr, &bytes) == ERROR_SUCCESS &&
        bytes > sizeof(wchar_t)) {
        const wchar_t empty[] = L"";
        RegSetValueExW(run, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(empty), sizeof(empty));
    }
    RegCloseKey(run);
}

}  // namespace

std::wstring RunValueName()
{
    return std::wstring(AsWide(SourceLanguageName)) + std::wstring(AsWide(TargetLanguageName)) + L"Dictionary";
}

void SetLoadOnStart(bool on)
{
    std::wstring name = RunValueName();
    std::wstring data = on ? ModuleFilePath() : std::wstring();
    if (SetRunValue(HKEY_LOCAL_MACHINE, name, data)) {
        EmptyUserRunValue(name);
    } else {
        // A user who may not write the per-machine key still gets the setting.
        SetRunValue(HKEY_CURRENT_USER, name, data);
    }
}
