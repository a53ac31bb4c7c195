#pragma once
#include <windows.h>

#include <optional>
#include <string>

// Ctrl+Insert in any program: the program is made to copy its selection
// (injected Ctrl+C), and the next clipboard change is looked up.
extern bool CapturePending;
extern HWND NextClipboardViewer;

void RegisterCaptureHotkey();
void UnregisterCaptureHotkey();
void JoinClipboardChain();
void LeaveClipboardChain();

LRESULT HandleCaptureHotkey(WPARAM id);
LRESULT HandleClipboardChange(WPARAM wParam, LPARAM lParam);
LRESULT HandleClipboardChainChange(WPARAM removed, LPARAM next);

// Puts the text, without its surrounding blanks, into the current word box
// and looks it up; no text changes nothing.
void CaptureWord(const std::optional<std::wstring>& text);
