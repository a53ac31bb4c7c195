#include "dictionary/InfoMessage.h"

#include <windows.h>

#include "app/Application.h"
#include "app/WideText.h"
#include "vendor/VendorHost.h"

void ShowInfoMessage(const std::wstring& text)
{
    MessageBoxW(MainWindow, text.c_str(), L"Info Message", MB_OK);
}

std::wstring ArticleFileMissingMessage()
{
    return L"Dictionary article file not found, please try reinstall application or download latest version from "
           + std::wstring(AsWide(VendorBaseUrl()));
}

std::wstring ArticleSizeUnknownMessage()
{
    return L"Dictionary article file not found, please try reinstall application or download latest version "
           + std::wstring(AsWide(VendorBaseUrl()));
}
