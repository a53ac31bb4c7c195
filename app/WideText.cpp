#include "app/WideText.h"

std::wstring WindowText(HWND window)
{
    LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void SetWindowTextFrom(HWND window, std::wstring_view text)
{
    std::wstring terminated(text);
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
}

std::wstring LoadResourceString(HINSTANCE instance, UINT id)
{
    // With a zero length, LoadStringW hands out a pointer to the resource itself.
    const wchar_t* resource = nullptr;
    int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&resource), 0);
    return length > 0 ? std::wstring(resource, static_cast<std::size_t>(length)) : std::wstring();
}
