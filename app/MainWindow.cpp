#include "app/MainWindow.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "app/Application.h"
#include "app/Commands.h"
#include "app/HotkeyCapture.h"
#include "app/TrayIcon.h"
#include "app/WideText.h"
#include "res/ResourceIds.h"

HWND TabControl = nullptr;
HWND Toolbar = nullptr;
HWND WordBox[DirectionCount] = {};
HWND PronounceButton[DirectionCount] = {};
HWND HeadwordList[DirectionCount] = {};
HWND ArticleView[DirectionCount] = {};
HMODULE RichEditLibrary = nullptr;
TranslationDirection ShownDirection = 0;

namespace {

constexpr COLORREF ArticleBackground = RGB(255, 249, 189);  // pale yellow
constexpr int MinimumWidth = 250;
constexpr int MinimumHeight = 210;
constexpr int ToolbarImageCount = 8;

HMENU ChildId(int id)
{
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

void SetDefaultFont(HWND control)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

HWND CreateChild(HWND parent, DWORD extendedStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                 int x, int y, int width, int height, int id)
{
    return CreateWindowExW(extendedStyle, className, text, style, x, y, width, height, parent, ChildId(id),
                           ApplicationInstance, nullptr);
}

void CreateDirectionPage(HWND window, TranslationDirection d)
{
    WordBox[d] = CreateChild(window, 0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN,
                             5, 62, 248, 150, IDC_WORD_BOX + d);
    SetDefaultFont(WordBox[d]);

    PronounceButton[d] = CreateChild(window, 0, L"BUTTON", L"Pronounce", WS_CHILD | BS_PUSHBUTTON, 258, 63, 100,
                                     22, IDC_PRONOUNCE_BUTTON + d);
    SetDefaultFont(PronounceButton[d]);

    HWND list = CreateChild(window, WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, 7, 92, 200,
                            171, IDC_HEADWORD_LIST + d);
    HeadwordList[d] = list;
    SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) | LVS_REPORT);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = 130;
    wchar_t columnText[] = L"One";
    column.pszText = columnText;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    SetDefaultFont(list);

    ArticleView[d] = CreateChild(TabControl, 0, L"RichEdit20W", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                     ES_READONLY,
                                 158, 59, 200, 173, IDC_ARTICLE_VIEW + d);
    SetDefaultFont(ArticleView[d]);
    SendMessageW(ArticleView[d], EM_SETBKGNDCOLOR, 0, ArticleBackground);
    // Articles of any length are shown whole.
    SendMessageW(ArticleView[d], EM_EXLIMITTEXT, 0, 0x7FFFFFFE);

    std::wstring caption(AsWide(DirectionCaption(d)));
    TCITEMW tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = caption.data();
    SendMessageW(TabControl, TCM_INSERTITEMW, d, reinterpret_cast<LPARAM>(&tab));
}

TBBUTTON ToolbarButton(int image, int command)
{
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    return button;
}

TBBUTTON ToolbarGap(int width, int command)
{
    TBBUTTON gap = ToolbarButton(width, command);
    gap.fsStyle = BTNS_SEP;
    return gap;
}

void CreateToolbar(HWND window)
{
    Toolbar = CreateChild(window, 0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 500, 0,
                          IDC_TOOLBAR);
    SendMessageW(Toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    HIMAGELIST images = ImageList_LoadImageW(ApplicationInstance, MAKEINTRESOURCEW(IDB_TOOLBAR), 16, 0, CLR_NONE,
                                             IMAGE_BITMAP, LR_CREATEDIBSECTION);
    SendMessageW(Toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    TBBUTTON buttons[] = {
        ToolbarButton(0, IDM_TOOLBAR_NEW),   ToolbarButton(1, IDM_TOOLBAR_OPEN),
        ToolbarButton(2, IDM_TOOLBAR_SAVE),  ToolbarButton(3, IDM_TOOLBAR_PRINT),
        ToolbarGap(4, IDM_TOOLBAR_FIRST_GAP), ToolbarButton(4, IDM_TOOLBAR_CUT),
        ToolbarButton(5, IDM_TOOLBAR_COPY),  ToolbarButton(6, IDM_TOOLBAR_PASTE),
        ToolbarGap(7, IDM_TOOLBAR_HELP),     ToolbarButton(ToolbarImageCount - 1, IDM_TOOLBAR_HELP),
    };
    SendMessageW(Toolbar, TB_ADDBUTTONSW, ARRAYSIZE(buttons), reinterpret_cast<LPARAM>(buttons));
}

LRESULT CreateMainWindowControls(HWND window)
{
    RichEditLibrary = LoadLibraryW(L"RICHED20.DLL");
    InitCommonControls();
    TabControl = CreateChild(window, WS_EX_CLIENTEDGE, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, -1, 30, 367, 269,
                             IDC_TAB_CONTROL);
    for (TranslationDirection d = 0; d < DirectionCount; ++d) {
        CreateDirectionPage(window, d);
    }
    SetDefaultFont(TabControl);
    ShowWindow(PronounceButton[ShownDirection], SW_SHOW);
    CreateToolbar(window);
    return 0;
}

void ShowPage(TranslationDirection d, int showCommand)
{
    ShowWindow(PronounceButton[d], showCommand);
    ShowWindow(WordBox[d], showCommand);
    ShowWindow(HeadwordList[d], showCommand);
    ShowWindow(ArticleView[d], showCommand);
}

// Layout happens while painting: every size change repaints the whole window.
LRESULT PaintMainWindow(HWND window)
{
    LayoutMainWindow();
    TranslationDirection selected = CurrentDirection();
    // Hiding a page that is shown again at once would only make it flicker.
    if (selected != ShownDirection) {
        ShowPage(ShownDirection, SW_HIDE);
    }
    ShownDirection = selected;
    ShowPage(ShownDirection, SW_SHOW);
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
}

LRESULT LimitTrackSize(LPARAM lParam)
{
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    limits->ptMinTrackSize.x = MinimumWidth;
    limits->ptMinTrackSize.y = MinimumHeight;
    return 0;
}

void Place(HWND control, HWND after, int x, int y, int width, int height, UINT flags)
{
    SetWindowPos(control, after, x, y, std::max(width, 0), std::max(height, 0), flags);
}

}  // namespace

void RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LARGE_ICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    windowClass.lpszClassName = WindowClassName.c_str();
    windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL_ICON));
    RegisterClassExW(&windowClass);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return CreateMainWindowControls(window);
    case WM_DESTROY:
        return ShutDownApplication();
    case WM_SIZE:
        return 0;
    case WM_PAINT:
        return PaintMainWindow(window);
    case WM_CLOSE:
        // Closing only minimises: the program stays in the notification area.
        ShowWindow(window, SW_MINIMIZE);
        return 0;
    case WM_GETMINMAXINFO:
        return LimitTrackSize(lParam);
    case WM_NOTIFY:
        return HandleNotify(lParam);
    case WM_COMMAND:
        return HandleCommand(window, wParam, lParam);
    case WM_DRAWCLIPBOARD:
        return HandleClipboardChange(wParam, lParam);
    case WM_CHANGECBCHAIN:
        return HandleClipboardChainChange(wParam, lParam);
    case WM_HOTKEY:
        return HandleCaptureHotkey(wParam);
    case TRAY_CALLBACK_MESSAGE:
        return HandleTrayMessage(window, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

TranslationDirection CurrentDirection()
{
    LRESULT selected = SendMessageW(TabControl, TCM_GETCURSEL, 0, 0);
    return selected > 0 && selected < DirectionCount ? static_cast<TranslationDirection>(selected) : 0;
}

void SelectDirectionTab(TranslationDirection direction)
{
    SendMessageW(TabControl, TCM_SETCURSEL, direction, 0);
}

void ShowDirectionPage()
{
    TranslationDirection selected = CurrentDirection();
    for (TranslationDirection d = 0; d < DirectionCount; ++d) {
        int showCommand = d == selected ? SW_SHOWNORMAL : SW_HIDE;
        ShowWindow(WordBox[d], showCommand);
        ShowWindow(PronounceButton[d], showCommand);
        ShowWindow(HeadwordList[d], showCommand);
        ShowWindow(ArticleView[d], showCommand);
    }
}

void LayoutMainWindow()
{
    RECT client;
    GetClientRect(MainWindow, &client);
    int w = client.right;
    int h = client.bottom;
    Place(Toolbar, nullptr, 0, 0, w, 30, SWP_NOZORDER);
    Place(TabControl, nullptr, 0, 0, w + 4, h - 28, SWP_NOMOVE | SWP_NOZORDER);
    for (TranslationDirection d = 0; d < DirectionCount; ++d) {
        Place(WordBox[d], HWND_TOP, 7, 65, w - 119, 150, 0);
        Place(PronounceButton[d], nullptr, w - 106, 63, 100, 22, SWP_NOZORDER);
        Place(HeadwordList[d], nullptr, 7, 92, 148, h - 98, SWP_NOZORDER);
        // The article view's parent is the tab control: its coordinates are the tab's.
        Place(ArticleView[d], nullptr, 158, 59, w - 164, h - 96, SWP_NOZORDER);
    }
}
