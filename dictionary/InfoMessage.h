#pragma once
#include <string>

// The program's few messages: a box owned by the main window, "Info Message".
void ShowInfoMessage(const std::wstring& text);

// "Dictionary article file not found, ... from " and the vendor's address.
std::wstring ArticleFileMissingMessage();
// The same without "from", shown when the second file's size cannot be read.
std::wstring ArticleSizeUnknownMessage();
