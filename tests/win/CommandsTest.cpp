#include "tests/win/WindowTest.h"

#include <commctrl.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/WideText.h"
#include "res/ResourceIds.h"

namespace {

// Enough records after "ab" that the list fills up.
void WriteDictionaries()
{
    std::vector<std::pair<std::u16string, std::u16string>> english = {
        {u"a", u"one"}, {u"ab", u"AB"}, {u"abacus", u"abaco"}, {u"abandon", u"abbandonare"}};
    for (char16_t c = u'b'; c <= u'z'; ++c) {
        english.push_back({std::u16string(1, c) + u"x", u"article"});
        english.push_back({std::u16string(1, c) + u"y", u"article"});
    }
    WriteArticleFile(0, ArticleTextOf(english));
    WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}, {u"casa", u"house"}, {u"cane", u"dog"}, {u"zz", u"end"}}));
}

// Changes a word box without the notification a user's typing raises, so a
// later look-up shows who refreshed it.
void SetWordQuietly(int direction, const wchar_t* word)
{
    SetWindowTextFrom(WordBox[direction], word);
}

std::wstring FirstItem(int direction)
{
    std::vector<std::wstring> items = ListItems(direction);
    return items.empty() ? std::wstring(L"(none)") : items.front();
}

}  // namespace

WINDOW_SCENARIO(ViewCommandsSwitchThePageWithoutLookingUp, WriteDictionaries)
{
    TypeWord(0, L"ab");
    SetWordQuietly(1, L"casa");
    SendCommand(IDM_ITALIAN_ENGLISH);
    ok(SelectedTab() == 1, "expected tab 1, got %d", SelectedTab());
    ok(IsWindowVisible(WordBox[1]) && !IsWindowVisible(WordBox[0]), "expected the page of direction 1 shown");
    ok(IsWindowVisible(HeadwordList[1]) && IsWindowVisible(ArticleView[1]) && !IsWindowVisible(HeadwordList[0]),
       "expected direction 1's list and article shown, direction 0's hidden");
    ok(ListItems(1).empty(), "expected no look-up in direction 1, got %zu items", ListItems(1).size());
    SendCommand(IDM_ITALIAN_ENGLISH);
    ok(SelectedTab() == 1 && IsWindowVisible(WordBox[1]), "choosing the selected direction again changes nothing");
    SendCommand(IDM_ENGLISH_ITALIAN);
    ok(SelectedTab() == 0 && IsWindowVisible(WordBox[0]) && !IsWindowVisible(WordBox[1]),
       "expected the page of direction 0 back");
    ok(FirstItem(0) == L"ab", "direction 0 keeps its list, got %s", Narrow(FirstItem(0)).c_str());
    ok(ArticleViewText(0) == L"AB\n", "direction 0 keeps its article, got %s", Narrow(ArticleViewText(0)).c_str());
    ok(!IsWindowVisible(PronounceButton[1]), "the hidden direction's Pronounce button stays hidden");
    ExitProgram();
}

WINDOW_SCENARIO(TabSelectionChangeShowsThePage, WriteDictionaries)
{
    SendMessageW(TabControl, TCM_SETCURSEL, 1, 0);
    NMHDR change = {TabControl, IDC_TAB_CONTROL, static_cast<UINT>(TCN_SELCHANGE)};
    LRESULT result = SendMessageW(MainWindow, WM_NOTIFY, IDC_TAB_CONTROL, reinterpret_cast<LPARAM>(&change));
    ok(result == 0, "expected WM_NOTIFY to return 0, got %lld", static_cast<long long>(result));
    ok(IsWindowVisible(WordBox[1]) && !IsWindowVisible(WordBox[0]), "expected direction 1's page after the change");
    ok(ListItems(1).empty(), "a tab change looks nothing up");

    // Notifications the window does not handle return 0 too, without the default processing.
    struct Case {
        UINT_PTR Id;
        UINT Code;
    } cases[] = {{IDC_TAB_CONTROL, static_cast<UINT>(NM_CLICK)},
                 {IDC_HEADWORD_LIST, static_cast<UINT>(NM_CLICK)},
                 {IDC_HEADWORD_LIST + 1, static_cast<UINT>(LVN_ITEMCHANGED)},
                 {IDC_TOOLBAR, static_cast<UINT>(TTN_GETDISPINFOW)},
                 {4711, static_cast<UINT>(NM_DBLCLK)}};
    for (const Case& c : cases) {
        NMHDR header = {nullptr, c.Id, c.Code};
        result = SendMessageW(MainWindow, WM_NOTIFY, c.Id, reinterpret_cast<LPARAM>(&header));
        ok(result == 0, "id %llu code %d: expected 0, got %lld", static_cast<unsigned long long>(c.Id),
           static_cast<int>(c.Code), static_cast<long long>(result));
    }
    ok(WordBoxText(1).empty(), "no notification put anything into the word box");
    ExitProgram();
}

WINDOW_SCENARIO(AcceleratorCommandsRefreshTheLookUpFirst, WriteDictionaries)
{
    SetWordQuietly(0, L"ab");
    SendCommand(IDM_TOOLBAR_SAVE);
    ok(FirstItem(0) == L"a", "a button (code 0) looks nothing up: expected a, got %s", Narrow(FirstItem(0)).c_str());
    SendCommand(IDM_ENGLISH_ITALIAN);
    ok(FirstItem(0) == L"a", "a menu item (code 0) looks nothing up: got %s", Narrow(FirstItem(0)).c_str());

    // Code 1, as every accelerator command carries: the look-up runs before the command.
    SendCommand(IDM_TOOLBAR_SAVE, 1);
    ok(FirstItem(0) == L"ab", "expected the list refreshed to ab, got %s", Narrow(FirstItem(0)).c_str());
    ok(ArticleViewText(0) == L"AB\n", "expected the article of ab, got %s", Narrow(ArticleViewText(0)).c_str());

    // The real accelerator, Alt with "/", while the main window itself has the keyboard.
    SetWordQuietly(0, L"abacus");
    FocusControl(MainWindow);
    BYTE slash = LOBYTE(VkKeyScanW(L'/'));
    BYTE question = LOBYTE(VkKeyScanW(L'?'));
    PressKeys({VK_MENU, slash});
    HWND about = FindProgramDialog(L"About");
    ok(about != nullptr, "expected Alt+/ to open the About dialog");
    ok(FirstItem(0) == L"abacus", "expected the look-up refreshed before the dialog, got %s",
       Narrow(FirstItem(0)).c_str());
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    ok(WaitFor([about] { return !IsWindow(about); }), "the About dialog did not close");

    PressKeys({VK_MENU, VK_SHIFT, question});
    about = FindProgramDialog(L"About");
    ok(about != nullptr, "expected Alt+? to open the About dialog");
    PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
    ok(WaitFor([about] { return !IsWindow(about); }), "the About dialog did not close");

    // Addressed to a child control, the accelerator goes to that control, which ignores it.
    FocusControl(HeadwordList[0]);
    PressKeys({VK_MENU, slash});
    ok(FindProgramDialog(L"About", 500) == nullptr, "Alt+/ in the headword list opened the About dialog");
    ExitProgram();
}

WINDOW_SCENARIO(UnavailableFileItemsStayGrayed, WriteDictionaries)
{
    HMENU menu = GetMenu(MainWindow);
    for (UINT item : {IDM_NEW, IDM_OPEN, IDM_PRINT, IDM_PRINT_PREVIEW}) {
        ok((GetMenuState(menu, item, MF_BYCOMMAND) & MF_GRAYED) != 0, "expected item %u grayed", item);
        SendCommand(static_cast<int>(item));
        ok((GetMenuState(menu, item, MF_BYCOMMAND) & MF_GRAYED) != 0, "item %u no longer grayed", item);
    }
    for (UINT item : {IDM_EXIT, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_ENGLISH_ITALIAN, IDM_ITALIAN_ENGLISH,
                      IDM_ALWAYS_ON_TOP, IDM_OPTIONS, IDM_HELP_SEARCH, IDM_HELP_CONTENTS, IDM_CHECK_FOR_UPDATES,
                      IDM_TECHNICAL_SUPPORT, IDM_ABOUT}) {
        UINT state = GetMenuState(menu, item, MF_BYCOMMAND);
        ok(state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_CHECKED)) == 0,
           "expected item %u enabled and unchecked, got state %#x", item, state);
    }
    ExitProgram();
}

WINDOW_SCENARIO(FeaturelessButtonsDoNothing, WriteDictionaries)
{
    TypeWord(0, L"ab");
    std::vector<std::wstring> before = ListItems(0);
    for (int command : {IDC_PRONOUNCE_BUTTON, IDC_PRONOUNCE_BUTTON + 1, IDM_TOOLBAR_NEW, IDM_TOOLBAR_OPEN,
                        IDM_TOOLBAR_SAVE, IDM_TOOLBAR_PRINT, IDM_NEW, IDM_OPEN, IDM_PRINT, IDM_PRINT_PREVIEW}) {
        LRESULT result = SendMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        ok(result == 0, "command %d: expected 0, got %lld", command, static_cast<long long>(result));
    }
    ok(ListItems(0) == before && WordBoxText(0) == L"ab" && ArticleViewText(0) == L"AB\n",
       "expected the page unchanged");
    ok(FindProgramDialog(L"About", 200) == nullptr, "no dialog opened");
    ok(IsWindow(MainWindow) && IsWindowVisible(MainWindow), "the window is still there");

    // The buttons exist, enabled, with their commands.
    LRESULT buttons = SendMessageW(Toolbar, TB_BUTTONCOUNT, 0, 0);
    ok(buttons == 10, "expected 10 toolbar buttons, got %lld", static_cast<long long>(buttons));
    for (int command : {IDM_TOOLBAR_NEW, IDM_TOOLBAR_OPEN, IDM_TOOLBAR_SAVE, IDM_TOOLBAR_PRINT, IDM_TOOLBAR_CUT,
                        IDM_TOOLBAR_COPY, IDM_TOOLBAR_PASTE, IDM_TOOLBAR_HELP}) {
        ok(SendMessageW(Toolbar, TB_ISBUTTONENABLED, command, 0) != 0, "expected toolbar button %d enabled", command);
    }
    ok(IsWindowEnabled(PronounceButton[0]), "expected the Pronounce button enabled");
    ExitProgram();
}

WINDOW_SCENARIO(EditCommandsActOnTheFocusedControl, WriteDictionaries)
{
    // Paste into the word box: the pasted word is looked up.
    SetClipboardText(L"abacus");
    HWND edit = GetWindow(WordBox[0], GW_CHILD);
    FocusControl(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendCommand(IDM_PASTE);
    ok(WaitFor([] { return WordBoxText(0) == L"abacus"; }), "expected the pasted word, got %s",
       Narrow(WordBoxText(0)).c_str());
    ok(WaitFor([] { return FirstItem(0) == L"abacus"; }), "expected the pasted word looked up, got %s",
       Narrow(FirstItem(0)).c_str());

    // Copy from the word box puts its selection on the clipboard.
    FocusControl(edit);
    SendMessageW(edit, EM_SETSEL, 0, 3);
    SendCommand(IDM_TOOLBAR_COPY);
    ok(WaitFor([] { return ClipboardText() == L"aba"; }), "expected \"aba\" copied, got %s",
       Narrow(ClipboardText()).c_str());

    // Cut takes the selection out of the box and looks the rest up.
    FocusControl(edit);
    SendMessageW(edit, EM_SETSEL, 3, -1);
    SendCommand(IDM_CUT);
    ok(WaitFor([] { return WordBoxText(0) == L"aba"; }), "expected \"aba\" left after the cut, got %s",
       Narrow(WordBoxText(0)).c_str());
    ok(WaitFor([] { return ClipboardText() == L"cus"; }), "expected \"cus\" cut, got %s",
       Narrow(ClipboardText()).c_str());
    ok(WaitFor([] { return FirstItem(0) == L"abacus" && ArticleViewText(0).empty(); }),
       "expected aba looked up: list from abacus, no article");
    ExitProgram();
}

WINDOW_SCENARIO(ShowRestoresTheWindow, WriteDictionaries)
{
    SendMessageW(MainWindow, WM_CLOSE, 0, 0);
    ok(IsIconic(MainWindow), "expected the close button to minimise the window");
    ok(IsWindow(MainWindow), "the window must stay after WM_CLOSE");
    SendCommand(IDM_TRAY_SHOW);
    ok(!IsIconic(MainWindow) && IsWindowVisible(MainWindow), "expected Show to restore the window");
    ok(WaitFor([] { return GetForegroundWindow() == MainWindow; }), "expected the window in the foreground");

    RECT normal;
    GetWindowRect(MainWindow, &normal);
    ShowWindow(MainWindow, SW_MAXIMIZE);
    SendCommand(IDM_TRAY_SHOW);
    RECT restored;
    GetWindowRect(MainWindow, &restored);
    ok(!IsZoomed(MainWindow) && EqualRect(&normal, &restored),
       "expected a maximised window back at its normal size (%ld,%ld)-(%ld,%ld), got (%ld,%ld)-(%ld,%ld)",
       normal.left, normal.top, normal.right, normal.bottom, restored.left, restored.top, restored.right,
       restored.bottom);
    ExitProgram();
}

WINDOW_SCENARIO(TrayExitEndsTheProgram, WriteDictionaries)
{
    // The harness checks the exit code: 0, as with File > Exit.
    PostCommand(IDM_TRAY_EXIT);
    ok(WaitFor([] { return !IsWindow(MainWindow); }), "expected the window destroyed");
}
