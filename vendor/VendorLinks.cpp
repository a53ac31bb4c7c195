#include "vendor/VendorLinks.h"

#include <windows.h>
#include <shellapi.h>

#include "app/WideText.h"
#include "dictionary/ModuleDirectory.h"
#include "vendor/VendorUrls.h"

std::wstring HelpFilePath()
{
    return ModuleDirectory() + L"\\Help\\Help.EN.html";
}

void OpenWithShell(const std::wstring& target)
{
    ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenHelp()
{
    OpenWithShell(HelpFilePath());
}

void OpenUpdatePage()
{
    OpenWithShell(std::wstring(AsWide(UpdateUrl())));
}

void OpenSupportPage()
{
    OpenWithShell(std::wstring(AsWide(SupportUrl())));
}
