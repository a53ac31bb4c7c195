#pragma once
#include <string>

// ModuleDirectory + "\Help\Help.EN.html", built anew on every call.
std::wstring HelpFilePath();

// Each hands its path or URL, unchanged, to the shell with the verb "open".
void OpenHelp();
void OpenUpdatePage();
void OpenSupportPage();
void OpenWithShell(const std::wstring& target);
