#include "settings/LoadOnStart.h"

#include <windows.h>

#include "app/LanguageNames.h"
#include "app/WideText.h"
#include "dictionary/ModuleDirectory.h"

namespace {

constexpr wchar_t CurrentVersionKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

bool SetRunValue(HKEY root, const std::wstring& name, const std::wstring& data)
{
    HKEY parent = nullptr;
    if (RegCreateKeyExW(root, CurrentVersionKey, 0, nullptr, 0, KEY_CREATE_SUB_KEY, nullptr, &parent, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    HKEY run = nullptr;
    bool written = false;
    if (RegCreateKeyExW(parent, L"Run", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &run, nullptr) == ERROR_SUCCESS) {
        DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        written = RegSetValueExW(run, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                 bytes) == ERROR_SUCCESS;
        RegCloseKey(run);
    }
    RegCloseKey(parent);
    return written;
}

}  // namespace

std::wstring RunValueName()
{
    return std::wstring(AsWide(SourceLanguageName)) + std::wstring(AsWide(TargetLanguageName)) + L"Dictionary";
}

void SetLoadOnStart(bool on)
{
    std::wstring data = on ? ModuleFilePath() : std::wstring();
    if (!SetRunValue(HKEY_LOCAL_MACHINE, RunValueName(), data)) {
        SetRunValue(HKEY_CURRENT_USER, RunValueName(), data);
    }
}
