#pragma once
#include <windows.h>

#include "app/LanguageNames.h"

// The controls of the main window. Each direction has its own page of four
// controls (word box, Pronounce button, headword list, article view), all
// alive for the window's whole life; switching tabs only hides and shows.
extern HWND TabControl;
extern HWND Toolbar;
extern HWND WordBox[DirectionCount];
extern HWND PronounceButton[DirectionCount];
extern HWND HeadwordList[DirectionCount];
extern HWND ArticleView[DirectionCount];
extern HMODULE RichEditLibrary;      // "RICHED20.DLL": implements the article views
extern TranslationDirection ShownDirection;  // the page the last paint showed

void RegisterMainWindowClass(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The direction of the selected tab: asked anew by every operation.
TranslationDirection CurrentDirection();
// Selects a tab by program, which raises no selection-change notification.
void SelectDirectionTab(TranslationDirection direction);

void ShowDirectionPage();
void LayoutMainWindow();
