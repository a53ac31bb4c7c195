#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// On Windows wchar_t and char16_t are both UTF-16 code units; the portable
// core speaks char16_t, the platform wchar_t.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring_view AsWide(std::u16string_view text)
{
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

inline std::u16string_view AsPortable(std::wstring_view text)
{
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// The whole text of a window, however long.
std::wstring WindowText(HWND window);

// Sets a window's text from a view that need not end with a zero.
void SetWindowTextFrom(HWND window, std::wstring_view text);

// A string resource of the program, whole.
std::wstring LoadResourceString(HINSTANCE instance, UINT id);
