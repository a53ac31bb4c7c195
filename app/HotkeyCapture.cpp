#include "app/HotkeyCapture.h"

#include <cwchar>

#include "app/Application.h"
#include "app/CaptureText.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "app/WideText.h"
#include "dictionary/HeadwordLookup.h"
#include "res/ResourceIds.h"

bool CapturePending = false;
HWND NextClipboardViewer = nullptr;

namespace {

// The clipboard's text, read without ever passing the end of its memory block
// (the text need not end with a zero there). The clipboard keeps its contents.
std::optional<std::wstring> ReadClipboardText()
{
    if (!OpenClipboard(MainWindow)) {
        return std::nullopt;
    }
    std::optional<std::wstring> text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data != nullptr) {
        const auto* units = static_cast<const wchar_t*>(GlobalLock(data));
        if (units != nullptr) {
            std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
            text = std::wstring(units, wcsnlen(units, capacity));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

void RegisterCaptureHotkey()
{
    RegisterHotKey(MainWindow, CAPTURE_HOTKEY_ID, MOD_CONTROL, VK_INSERT);
}

void UnregisterCaptureHotkey()
{
    UnregisterHotKey(MainWindow, CAPTURE_HOTKEY_ID);
}

void JoinClipboardChain()
{
    NextClipboardViewer = SetClipboardViewer(MainWindow);
}

void LeaveClipboardChain()
{
    ChangeClipboardChain(MainWindow, NextClipboardViewer);
}

LRESULT HandleCaptureHotkey(WPARAM id)
{
    if (id != CAPTURE_HOTKEY_ID) {
        return 0;
    }
    CapturePending = true;
    // The program with the keyboard copies its selection in its own time.
    SimulateCtrlKey(L'C');
    return 0;
}

LRESULT HandleClipboardChange(WPARAM wParam, LPARAM lParam)
{
    if (NextClipboardViewer != nullptr && IsWindow(NextClipboardViewer)) {
        PostMessageW(NextClipboardViewer, WM_DRAWCLIPBOARD, wParam, lParam);
    }
    if (!CapturePending) {
        return 0;
    }
    std::optional<std::wstring> text = ReadClipboardText();
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    SetForegroundWindow(MainWindow);
    CaptureWord(text);
    CapturePending = false;
    return 0;
}

// When the viewer after ours leaves, its successor follows us; any other
// change is passed along so the viewers after us hear of it too.
LRESULT HandleClipboardChainChange(WPARAM removed, LPARAM next)
{
    if (reinterpret_cast<HWND>(removed) == NextClipboardViewer) {
        NextClipboardViewer = reinterpret_cast<HWND>(next);
    } else if (NextClipboardViewer != nullptr) {
        SendMessageW(NextClipboardViewer, WM_CHANGECBCHAIN, removed, next);
    }
    return 0;
}

void CaptureWord(const std::optional<std::wstring>& text)
{
    TranslationDirection d = CurrentDirection();
    if (!text) {
        return;
    }
    SetWindowTextFrom(WordBox[d], AsWide(TrimBlanks(AsPortable(*text))));
    LookUpWord();
}
