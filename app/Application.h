#pragma once
#include <windows.h>

#include <string>

// Process-wide state of the shell; set during start-up, lives until the end.
extern HINSTANCE ApplicationInstance;
extern std::wstring WindowTitle;      // string resource 103
extern std::wstring WindowClassName;  // string resource 109
extern HWND MainWindow;

// The whole life of the program: start-up, the message loop, and the exit
// code the loop ends with (0 also when the window cannot be created).
int RunApplication(HINSTANCE instance, int showCommand);

// Creates the main window and runs start-up up to the first look-up; false
// when the window cannot be created.
bool InitializeApplication(HINSTANCE instance, int showCommand);

// The main window's WM_DESTROY: releases everything in its order and posts
// the quit message.
LRESULT ShutDownApplication();
