#include "tests/win/WindowTest.h"

#include <commctrl.h>
#include <richedit.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/WideText.h"
#include "res/ResourceIds.h"

namespace {

void WriteSmallDictionaries()
{
    WriteArticleFile(0, ArticleTextOf({{u"a", u"one"}, {u"ab", u"AB"}, {u"abacus", u"abaco"}}));
    WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}, {u"casa", u"house"}}));
}

std::wstring ClassOf(HWND window)
{
    std::wstring name(256, L'\0');
    name.resize(static_cast<std::size_t>(GetClassNameW(window, name.data(), static_cast<int>(name.size()))));
    return name;
}

// A control's rectangle in the client coordinates of its parent.
RECT PlaceOf(HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::string Describe(const RECT& place)
{
    char text[80];
    std::snprintf(text, sizeof(text), "(%ld, %ld) %ld by %ld", place.left, place.top, place.right - place.left,
                  place.bottom - place.top);
    return text;
}

SIZE ClientSize()
{
    RECT client;
    GetClientRect(MainWindow, &client);
    return {client.right, client.bottom};
}

// What the user sees: the page of the selected tab, and not one control of the other.
void CheckPageShown(int shown, const char* when)
{
    for (int d = 0; d < 2; ++d) {
        bool expected = d == shown;
        HWND page[] = {WordBox[d], PronounceButton[d], HeadwordList[d], ArticleView[d]};
        const char* names[] = {"word box", "Pronounce button", "headword list", "article view"};
        for (int i = 0; i < 4; ++i) {
            ok((IsWindowVisible(page[i]) != FALSE) == expected, "%s: expected the %s of direction %d %s", when,
               names[i], d, expected ? "visible" : "hidden");
        }
    }
}

// The selected tab changes as a click on it does: through TCN_SELCHANGE.
void ClickTab(int tab)
{
    RECT item;
    SendMessageW(TabControl, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&item));
    LPARAM centre = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(TabControl, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(TabControl, WM_LBUTTONUP, 0, centre);
}

// Layout happens while painting: wait for the paint that follows a size change.
void Repaint()
{
    RedrawWindow(MainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR ignored;
    SendMessageTimeoutW(MainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

void CheckPlace(HWND control, const RECT& expected, const char* what, int d, const char* size)
{
    RECT place = PlaceOf(control);
    ok(EqualRect(&place, &expected), "%s, %s of direction %d: expected %s, got %s", size, what, d,
       Describe(expected).c_str(), Describe(place).c_str());
}

void CheckLayout(const char* size)
{
    SIZE client = ClientSize();
    int w = client.cx;
    int h = client.cy;
    RECT tab = PlaceOf(TabControl);
    RECT expectedTab = {-1, 30, -1 + w + 4, 30 + h - 28};
    ok(EqualRect(&tab, &expectedTab), "%s, tab control: expected %s, got %s", size, Describe(expectedTab).c_str(),
       Describe(tab).c_str());
    RECT toolbar = PlaceOf(Toolbar);
    ok(toolbar.left == 0 && toolbar.top == 0 && toolbar.right == w, "%s, toolbar: expected the width %d at (0, 0), got %s",
       size, w, Describe(toolbar).c_str());
    for (int d = 0; d < 2; ++d) {
        // A drop-down combo box reports its closed height; the 150 pixels include the list.
        RECT word = PlaceOf(WordBox[d]);
        ok(word.left == 7 && word.top == 65 && word.right - word.left == w - 119,
           "%s, word box of direction %d: expected (7, 65) and the width %d, got %s", size, d, w - 119,
           Describe(word).c_str());
        CheckPlace(PronounceButton[d], {w - 106, 63, w - 6, 85}, "Pronounce button", d, size);
        CheckPlace(HeadwordList[d], {7, 92, 155, h - 6}, "headword list", d, size);
        // In the tab control's client coordinates.
        CheckPlace(ArticleView[d], {158, 59, w - 6, h - 37}, "article view", d, size);
    }
}

}  // namespace

WINDOW_SCENARIO(StartShowsInitialWord, WriteSmallDictionaries)
{
    ok(StartupMessages.empty(), "expected no message at start, got %zu", StartupMessages.size());
    ok(WordBoxText(0) == L"a", "expected \"a\" in the word box, got \"%s\"", Narrow(WordBoxText(0)).c_str());
    std::vector<std::wstring> items = ListItems(0);
    ok(items.empty(), "the list scan runs off the end of a three-record text: expected no items, got %zu",
       items.size());
    ok(ArticleViewText(0) == L"one\n", "expected the article of \"a\", got \"%s\"",
       Narrow(ArticleViewText(0)).c_str());
    ok(WordBoxText(1).empty(), "expected nothing looked up in direction 1, got \"%s\"",
       Narrow(WordBoxText(1)).c_str());
    CheckPageShown(0, "at start");
    ExitProgram();
}

WINDOW_SCENARIO(MainWindowIsBuiltAsDesigned, WriteSmallDictionaries)
{
    ok(ClassOf(MainWindow) == L"WIN32VERSION_10", "expected the class WIN32VERSION_10, got %s",
       Narrow(ClassOf(MainWindow)).c_str());
    std::wstring caption = WindowText(MainWindow);
    ok(caption == L"Verbola English to Italian, Italian to English Talking Dictionary", "got the caption \"%s\"",
       Narrow(caption).c_str());

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    ok(GetClassInfoExW(ApplicationInstance, L"WIN32VERSION_10", &windowClass), "expected the class registered");
    ok(windowClass.style == (CS_HREDRAW | CS_VREDRAW), "expected CS_HREDRAW|CS_VREDRAW, got %#x", windowClass.style);
    ok(windowClass.lpfnWndProc == MainWindowProc, "expected MainWindowProc as the window procedure");
    ok(windowClass.cbClsExtra == 0 && windowClass.cbWndExtra == 0, "expected no extra bytes");
    ok(windowClass.hbrBackground == reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), "expected COLOR_WINDOW + 1");
    ok(windowClass.hCursor == LoadCursorW(nullptr, IDC_ARROW), "expected the arrow cursor");
    ok(windowClass.hIcon != nullptr && windowClass.hIconSm != nullptr, "expected both class icons");
    ok(windowClass.lpszMenuName == MAKEINTRESOURCEW(IDR_MAIN_MENU), "expected menu resource 109");
    ok(GetMenu(MainWindow) != nullptr, "expected the class menu on the window");

    LONG style = GetWindowLongW(MainWindow, GWL_STYLE);
    ok((style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW, "expected WS_OVERLAPPEDWINDOW, got %#lx", style);
    ok(GetParent(MainWindow) == nullptr, "expected a top-level window");
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    ok(outer.right - outer.left == 380 && outer.bottom - outer.top == 323, "expected 380 by 323, got %ld by %ld",
       outer.right - outer.left, outer.bottom - outer.top);

    ok(ClassOf(TabControl) == L"SysTabControl32", "got the tab control class %s", Narrow(ClassOf(TabControl)).c_str());
    ok(GetDlgCtrlID(TabControl) == IDC_TAB_CONTROL, "expected the tab control id 23, got %d", GetDlgCtrlID(TabControl));
    ok(GetWindowLongW(TabControl, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, "expected the tab control's client edge");
    int tabs = static_cast<int>(SendMessageW(TabControl, TCM_GETITEMCOUNT, 0, 0));
    ok(tabs == 2, "expected two tabs, got %d", tabs);
    const wchar_t* captions[] = {L"English Italian", L"Italian English"};
    for (int d = 0; d < 2; ++d) {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = ARRAYSIZE(text);
        SendMessageW(TabControl, TCM_GETITEMW, d, reinterpret_cast<LPARAM>(&item));
        ok(std::wstring(text) == captions[d], "tab %d: expected \"%s\", got \"%s\"", d, Narrow(captions[d]).c_str(),
           Narrow(text).c_str());
    }

    HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int d = 0; d < 2; ++d) {
        struct Expected {
            HWND Control;
            const wchar_t* Class;
            int Id;
            HWND Parent;
            LONG Style;
            LONG ExtendedStyle;
        };
        const Expected controls[] = {
            {WordBox[d], L"ComboBox", IDC_WORD_BOX + d, MainWindow, WS_CHILD | CBS_DROPDOWN, 0},
            {PronounceButton[d], L"Button", IDC_PRONOUNCE_BUTTON + d, MainWindow, WS_CHILD | BS_PUSHBUTTON, 0},
            {HeadwordList[d], L"SysListView32", IDC_HEADWORD_LIST + d, MainWindow,
             WS_CHILD | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, WS_EX_CLIENTEDGE},
            {ArticleView[d], L"RichEdit20W", IDC_ARTICLE_VIEW + d, TabControl,
             WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | ES_MULTILINE | ES_READONLY, 0},
        };
        for (const Expected& c : controls) {
            std::string name = Narrow(c.Class);
            ok(ClassOf(c.Control) == c.Class, "direction %d: expected the class %s, got %s", d, name.c_str(),
               Narrow(ClassOf(c.Control)).c_str());
            ok(GetDlgCtrlID(c.Control) == c.Id, "%s of direction %d: expected id %d, got %d", name.c_str(), d, c.Id,
               GetDlgCtrlID(c.Control));
            ok(GetParent(c.Control) == c.Parent, "%s of direction %d: wrong parent", name.c_str(), d);
            LONG style = GetWindowLongW(c.Control, GWL_STYLE);
            ok((style & c.Style) == c.Style, "%s of direction %d: expected the styles %#lx, got %#lx", name.c_str(), d,
               c.Style, style);
            LONG extended = GetWindowLongW(c.Control, GWL_EXSTYLE);
            ok((extended & c.ExtendedStyle) == c.ExtendedStyle, "%s of direction %d: expected %#lx, got %#lx",
               name.c_str(), d, c.ExtendedStyle, extended);
        }
        ok((GetWindowLongW(HeadwordList[d], GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT, "direction %d: expected report view",
           d);
        ok((GetWindowLongW(WordBox[d], GWL_STYLE) & 3) == CBS_DROPDOWN, "direction %d: expected a drop-down combo box", d);
        ok(WindowText(PronounceButton[d]) == L"Pronounce", "direction %d: got the button text \"%s\"", d,
           Narrow(WindowText(PronounceButton[d])).c_str());

        DWORD listStyle = static_cast<DWORD>(SendMessageW(HeadwordList[d], LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
        ok(listStyle & LVS_EX_FULLROWSELECT, "direction %d: expected whole rows selected, got %#lx", d, listStyle);
        wchar_t columnText[16] = {};
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.pszText = columnText;
        column.cchTextMax = ARRAYSIZE(columnText);
        ok(SendMessageW(HeadwordList[d], LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)),
           "direction %d: expected a column", d);
        ok(column.cx == 130 && (column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_LEFT && std::wstring(columnText) == L"One",
           "direction %d: expected the left-aligned column \"One\" 130 wide, got \"%s\" %d wide", d,
           Narrow(columnText).c_str(), column.cx);
        ok(!SendMessageW(HeadwordList[d], LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column)),
           "direction %d: expected one column only", d);

        // EM_SETBKGNDCOLOR answers with the colour it replaces.
        COLORREF previous = static_cast<COLORREF>(SendMessageW(ArticleView[d], EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)));
        ok(previous == RGB(255, 249, 189), "direction %d: expected the pale yellow background, got %06lx", d, previous);
        SendMessageW(ArticleView[d], EM_SETBKGNDCOLOR, 0, previous);

        for (HWND control : {WordBox[d], PronounceButton[d], HeadwordList[d]}) {
            ok(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) == guiFont,
               "direction %d: expected DEFAULT_GUI_FONT on the %s", d, Narrow(ClassOf(control)).c_str());
        }
    }
    ok(reinterpret_cast<HFONT>(SendMessageW(TabControl, WM_GETFONT, 0, 0)) == guiFont,
       "expected DEFAULT_GUI_FONT on the tab control");

    ok(ClassOf(Toolbar) == L"ToolbarWindow32", "got the toolbar class %s", Narrow(ClassOf(Toolbar)).c_str());
    ok(GetDlgCtrlID(Toolbar) == IDC_TOOLBAR, "expected the toolbar id 1020555, got %d", GetDlgCtrlID(Toolbar));
    ok(GetWindowLongW(Toolbar, GWL_STYLE) & TBSTYLE_FLAT, "expected a flat toolbar");
    struct Button {
        int Command;
        BYTE Style;
        int Image;  // a separator's width
    };
    const Button buttons[] = {
        {IDM_TOOLBAR_NEW, BTNS_BUTTON, 0},  {IDM_TOOLBAR_OPEN, BTNS_BUTTON, 1},  {IDM_TOOLBAR_SAVE, BTNS_BUTTON, 2},
        {IDM_TOOLBAR_PRINT, BTNS_BUTTON, 3}, {IDM_TOOLBAR_FIRST_GAP, BTNS_SEP, 4}, {IDM_TOOLBAR_CUT, BTNS_BUTTON, 4},
        {IDM_TOOLBAR_COPY, BTNS_BUTTON, 5}, {IDM_TOOLBAR_PASTE, BTNS_BUTTON, 6}, {IDM_TOOLBAR_HELP, BTNS_SEP, 7},
        {IDM_TOOLBAR_HELP, BTNS_BUTTON, 7},
    };
    int count = static_cast<int>(SendMessageW(Toolbar, TB_BUTTONCOUNT, 0, 0));
    ok(count == ARRAYSIZE(buttons), "expected ten toolbar buttons, got %d", count);
    for (int i = 0; i < count && i < static_cast<int>(ARRAYSIZE(buttons)); ++i) {
        TBBUTTON button = {};
        SendMessageW(Toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        ok(button.idCommand == buttons[i].Command && button.fsStyle == buttons[i].Style &&
               button.iBitmap == buttons[i].Image && (button.fsState & TBSTATE_ENABLED),
           "toolbar position %d: expected command %d, style %d, image %d, got %d, %d, %d", i, buttons[i].Command,
           buttons[i].Style, buttons[i].Image, button.idCommand, button.fsStyle, button.iBitmap);
    }
    ExitProgram();
}

// The layout figures hold for every client size, including the hidden page.
WINDOW_SCENARIO(LayoutFollowsTheWindowSize, WriteSmallDictionaries)
{
    CheckLayout("at start");
    struct Size {
        int Width;
        int Height;
        const char* Name;
    };
    const Size sizes[] = {{640, 480, "640 by 480"}, {300, 260, "300 by 260"}, {900, 300, "900 by 300"}};
    for (const Size& size : sizes) {
        SetWindowPos(MainWindow, nullptr, 0, 0, size.Width, size.Height, SWP_NOMOVE | SWP_NOZORDER);
        Repaint();
        RECT outer;
        GetWindowRect(MainWindow, &outer);
        ok(outer.right - outer.left == size.Width && outer.bottom - outer.top == size.Height,
           "expected %s, got %ld by %ld", size.Name, outer.right - outer.left, outer.bottom - outer.top);
        CheckLayout(size.Name);
    }
    ShowWindow(MainWindow, SW_MAXIMIZE);
    Repaint();
    ok(IsZoomed(MainWindow), "expected the window maximised");
    CheckLayout("maximised");
    ShowWindow(MainWindow, SW_RESTORE);
    Repaint();
    CheckLayout("restored");
    CheckPageShown(0, "after the size changes");
    ExitProgram();
}

WINDOW_SCENARIO(MinimumTrackSizeIs250By210, WriteSmallDictionaries)
{
    SetWindowPos(MainWindow, nullptr, 0, 0, 20, 10, SWP_NOMOVE | SWP_NOZORDER);
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    ok(outer.right - outer.left == 250 && outer.bottom - outer.top == 210, "expected 250 by 210, got %ld by %ld",
       outer.right - outer.left, outer.bottom - outer.top);
    Repaint();
    CheckLayout("smallest");

    // Only the minimum tracking size is set; the other limits stay as they came.
    MINMAXINFO limits = {};
    limits.ptMaxSize = {1111, 2222};
    limits.ptMaxPosition = {3, 4};
    limits.ptMinTrackSize = {5, 6};
    limits.ptMaxTrackSize = {3333, 4444};
    LRESULT result = SendMessageW(MainWindow, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    ok(result == 0, "expected 0, got %ld", static_cast<long>(result));
    ok(limits.ptMinTrackSize.x == 250 && limits.ptMinTrackSize.y == 210, "expected the minimum 250 by 210, got %ld by %ld",
       limits.ptMinTrackSize.x, limits.ptMinTrackSize.y);
    ok(limits.ptMaxSize.x == 1111 && limits.ptMaxSize.y == 2222 && limits.ptMaxPosition.x == 3 &&
           limits.ptMaxPosition.y == 4 && limits.ptMaxTrackSize.x == 3333 && limits.ptMaxTrackSize.y == 4444,
       "expected the other limits untouched");

    // Larger sizes are not limited.
    SetWindowPos(MainWindow, nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(MainWindow, &outer);
    ok(outer.right - outer.left == 1000 && outer.bottom - outer.top == 700, "expected 1000 by 700, got %ld by %ld",
       outer.right - outer.left, outer.bottom - outer.top);
    ExitProgram();
}

WINDOW_SCENARIO(CloseOnlyMinimises, WriteSmallDictionaries)
{
    LRESULT result = SendMessageW(MainWindow, WM_CLOSE, 0, 0);
    ok(result == 0, "expected 0, got %ld", static_cast<long>(result));
    ok(IsWindow(MainWindow), "expected the window to stay");
    ok(IsIconic(MainWindow), "expected the window minimised");
    // The program goes on working while minimised.
    TypeWord(0, L"ab");
    ok(ArticleViewText(0) == L"AB\n", "expected the article of \"ab\", got \"%s\"", Narrow(ArticleViewText(0)).c_str());
    ShowWindow(MainWindow, SW_RESTORE);
    ok(!IsIconic(MainWindow), "expected the window restored");
    // The harness checks that File > Exit still ends the process with exit code 0.
    ExitProgram();
}

// Each direction keeps its word, list and article while the other is shown.
WINDOW_SCENARIO(TabsKeepTheirPages, WriteSmallDictionaries)
{
    TypeWord(0, L"ab");
    ClickTab(1);
    ok(SelectedTab() == 1, "expected the second tab selected, got %d", SelectedTab());
    CheckPageShown(1, "after a click on the second tab");
    ok(WordBoxText(1).empty() && ArticleViewText(1).empty(), "expected the second page as it was: empty");
    TypeWord(1, L"casa");
    ok(ArticleViewText(1) == L"house\n", "expected the article of \"casa\", got \"%s\"",
       Narrow(ArticleViewText(1)).c_str());
    Repaint();
    CheckPageShown(1, "after a paint");
    ok(ShownDirection == 1, "expected the paint to have shown page 1, got %d", ShownDirection);

    ClickTab(0);
    ok(SelectedTab() == 0, "expected the first tab selected, got %d", SelectedTab());
    CheckPageShown(0, "back on the first tab");
    ok(WordBoxText(0) == L"ab", "expected \"ab\" kept, got \"%s\"", Narrow(WordBoxText(0)).c_str());
    ok(ArticleViewText(0) == L"AB\n", "expected the article of \"ab\" kept, got \"%s\"",
       Narrow(ArticleViewText(0)).c_str());
    Repaint();
    CheckPageShown(0, "after a paint on the first tab");
    ok(ShownDirection == 0, "expected the paint to have shown page 0, got %d", ShownDirection);

    ClickTab(1);
    ok(WordBoxText(1) == L"casa" && ArticleViewText(1) == L"house\n", "expected the second page kept, got \"%s\", \"%s\"",
       Narrow(WordBoxText(1)).c_str(), Narrow(ArticleViewText(1)).c_str());
    ok(WordBoxText(0) == L"ab", "expected the first page untouched, got \"%s\"", Narrow(WordBoxText(0)).c_str());
    // A look-up shows the page of the selected direction only.
    TypeWord(1, L"a");
    CheckPageShown(1, "after a look-up on the second tab");
    ExitProgram();
}
