#include "tests/win/WindowTest.h"

#include "app/Application.h"
#include "app/HotkeyCapture.h"
#include "app/MainWindow.h"
#include "res/ResourceIds.h"

namespace {

void WriteDictionaries()
{
    std::vector<std::pair<std::u16string, std::u16string>> english = {
        {u"a", u"one"}, {u"ab", u"AB"}, {u"abacus", u"abaco"}, {u"b", u"B"}};
    for (char16_t c = u'c'; c <= u'z'; ++c) {
        english.push_back({std::u16string(2, c), u"article"});
        english.push_back({std::u16string(3, c), u"article"});
    }
    WriteArticleFile(0, ArticleTextOf(english));
    WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}, {u"casa", u"house"}, {u"cane", u"dog"}}));
}

// A clipboard viewer of the test's own, on a thread of its own, following the
// platform's protocol; it counts what reaches it.
struct TestViewer {
    HWND Window = nullptr;
    HWND Next = nullptr;
    volatile LONG DrawCount = 0;
    volatile LONG ChainChanges = 0;
};

TestViewer Viewers[2];

LRESULT CALLBACK TestViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TestViewer* viewer = &Viewers[GetWindowLongPtrW(window, GWLP_USERDATA)];
    switch (message) {
    case WM_DRAWCLIPBOARD:
        InterlockedIncrement(&viewer->DrawCount);
        if (viewer->Next != nullptr) {
            SendMessageW(viewer->Next, message, wParam, lParam);
        }
        return 0;
    case WM_CHANGECBCHAIN:
        InterlockedIncrement(&viewer->ChainChanges);
        if (reinterpret_cast<HWND>(wParam) == viewer->Next) {
            viewer->Next = reinterpret_cast<HWND>(lParam);
        } else if (viewer->Next != nullptr) {
            SendMessageW(viewer->Next, message, wParam, lParam);
        }
        return 0;
    case WM_APP:  // leave the chain
        ChangeClipboardChain(window, viewer->Next);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

DWORD WINAPI RunTestViewer(LPVOID parameter)
{
    auto index = reinterpret_cast<INT_PTR>(parameter);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = TestViewerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TestClipboardViewer";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"TestClipboardViewer", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, index);
    Viewers[index].Next = SetClipboardViewer(window);
    Viewers[index].Window = window;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}

void StartTestViewer(int index)
{
    CreateThread(nullptr, 0, RunTestViewer, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(index)), 0, nullptr);
    WaitFor([index] { return Viewers[index].Window != nullptr; });
}

// The program's chain is then: main window, viewer 0, viewer 1.
void WriteDictionariesAndJoinTwoViewers()
{
    WriteDictionaries();
    StartTestViewer(1);
    StartTestViewer(0);
}

// The hotkey as the platform delivers it. The headword list has the keyboard,
// so the injected Ctrl+C copies nothing and the clipboard change is ours.
void PressCaptureHotkey()
{
    FocusControl(HeadwordList[CurrentDirection()]);
    SendMessageW(MainWindow, WM_HOTKEY, CAPTURE_HOTKEY_ID, MAKELPARAM(MOD_CONTROL, VK_INSERT));
    Sleep(100);
}

std::wstring FirstItem(int direction)
{
    std::vector<std::wstring> items = ListItems(direction);
    return items.empty() ? std::wstring(L"(none)") : items.front();
}

}  // namespace

WINDOW_SCENARIO(ClipboardChangeWithoutCaptureIsOnlyPassedOn, WriteDictionariesAndJoinTwoViewers)
{
    ok(NextClipboardViewer == Viewers[0].Window, "expected the viewer that joined before as the next one");
    ShowWindow(MainWindow, SW_MINIMIZE);
    LONG before = Viewers[0].DrawCount;
    SetClipboardText(L"ab");
    ok(WaitFor([before] { return Viewers[0].DrawCount > before; }), "expected WM_DRAWCLIPBOARD passed on");
    ok(WaitFor([] { return Viewers[1].DrawCount > 0; }), "expected the viewer after the next one to hear of it");
    Sleep(100);
    ok(IsIconic(MainWindow), "expected the window to stay minimised");
    ok(WordBoxText(0) == L"a", "expected the word box unchanged, got %s", Narrow(WordBoxText(0)).c_str());

    // A hotkey with another identifier is not the capture.
    SendMessageW(MainWindow, WM_HOTKEY, 2, MAKELPARAM(MOD_CONTROL, VK_INSERT));
    ok(!CapturePending, "expected no capture pending after hotkey 2");
    SetClipboardText(L"abacus");
    Sleep(200);
    ok(IsIconic(MainWindow) && WordBoxText(0) == L"a", "expected hotkey 2 to change nothing");
    ExitProgram();
}

WINDOW_SCENARIO(ChainStaysWholeWhenViewersLeave, WriteDictionariesAndJoinTwoViewers)
{
    // The viewer after ours leaves: its successor follows us.
    PostMessageW(Viewers[0].Window, WM_APP, 0, 0);
    ok(WaitFor([] { return NextClipboardViewer == Viewers[1].Window; }),
       "expected the leaving viewer's successor as the next viewer, got %p", static_cast<void*>(NextClipboardViewer));
    LONG before = Viewers[1].DrawCount;
    SetClipboardText(L"ab");
    ok(WaitFor([before] { return Viewers[1].DrawCount > before; }),
       "expected the change to reach the viewer after the one that left");

    // Another viewer's leaving is passed along the chain.
    LONG changes = Viewers[1].ChainChanges;
    SendMessageW(MainWindow, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(Viewers[0].Window), 0);
    ok(Viewers[1].ChainChanges == changes + 1, "expected WM_CHANGECBCHAIN passed on");
    ok(NextClipboardViewer == Viewers[1].Window, "expected the next viewer unchanged");
    ExitProgram();
}

WINDOW_SCENARIO(CaptureTrimsBlanksOnly, WriteDictionaries)
{
    struct Case {
        const wchar_t* Copied;
        bool Terminated;
        const wchar_t* Word;     // null: whatever the clipboard reads back, whole
        const wchar_t* First;    // first headword listed
        const wchar_t* Article;  // as shown, line breaks as \n; null: not checked
    } cases[] = {
        {L"  ab  ", true, L"ab", L"ab", L"AB\n"},
        {L"abacus", false, nullptr, L"abacus", nullptr},  // no terminating zero in the block
        {L"\tab\t", true, L"\tab\t", L"(none)", L""},
        {L" ab\r\n", true, L"ab\r\n", L"(none)", L""},
        {L"\u00A0ab", true, L"\u00A0ab", L"(none)", L""},
        {L"    ", true, L"", L"a", L""},
    };
    for (const Case& c : cases) {
        ShowWindow(MainWindow, SW_MINIMIZE);
        PressCaptureHotkey();
        ok(CapturePending, "expected a capture pending after the hotkey");
        SetClipboardText(c.Copied, c.Terminated);
        ok(WaitFor([] { return !CapturePending; }), "the clipboard change was not captured");
        std::string copied = Narrow(c.Copied);
        std::wstring word = c.Word != nullptr ? std::wstring(c.Word) : ClipboardText();
        ok(WordBoxText(0) == word, "[%s]: expected the word [%s], got [%s]", copied.c_str(), Narrow(word).c_str(),
           Narrow(WordBoxText(0)).c_str());
        ok(FirstItem(0) == c.First, "[%s]: expected the list from %s, got %s", copied.c_str(),
           Narrow(c.First).c_str(), Narrow(FirstItem(0)).c_str());
        ok(c.Article == nullptr || ArticleViewText(0) == c.Article, "[%s]: expected the article [%s], got [%s]",
           copied.c_str(), Narrow(c.Article != nullptr ? c.Article : L"").c_str(), Narrow(ArticleViewText(0)).c_str());
        ok(!IsIconic(MainWindow) && IsWindowVisible(MainWindow), "[%s]: expected the window restored", copied.c_str());
        ok(WaitFor([] { return GetForegroundWindow() == MainWindow; }), "[%s]: expected the window in front",
           copied.c_str());
        ok(!c.Terminated || ClipboardText() == std::wstring(c.Copied),
           "[%s]: expected the clipboard to keep the copied text", copied.c_str());
    }
    ExitProgram();
}

WINDOW_SCENARIO(CaptureGoesIntoTheSelectedTab, WriteDictionaries)
{
    SendCommand(IDM_ITALIAN_ENGLISH);
    PressCaptureHotkey();
    SetClipboardText(L" casa ");
    ok(WaitFor([] { return !CapturePending; }), "the clipboard change was not captured");
    ok(WordBoxText(1) == L"casa", "expected casa in direction 1, got %s", Narrow(WordBoxText(1)).c_str());
    ok(ArticleViewText(1) == L"house\n", "expected the article of casa, got %s", Narrow(ArticleViewText(1)).c_str());
    ok(WordBoxText(0) == L"a", "expected direction 0 untouched, got %s", Narrow(WordBoxText(0)).c_str());
    ExitProgram();
}

WINDOW_SCENARIO(CaptureOfNoTextOnlyBringsTheWindowForward, WriteDictionaries)
{
    ShowWindow(MainWindow, SW_MINIMIZE);
    PressCaptureHotkey();
    // A clipboard change that holds no text.
    ok(WaitFor([] { return OpenClipboard(nullptr) != FALSE; }), "cannot open the clipboard");
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    SetClipboardData(RegisterClipboardFormatW(L"VerbolaTestFormat"), block);
    CloseClipboard();
    ok(WaitFor([] { return !CapturePending; }), "expected the capture to end");
    ok(!IsIconic(MainWindow), "expected the window restored");
    ok(WordBoxText(0) == L"a" && ArticleViewText(0) == L"one\n", "expected the page unchanged");
    ExitProgram();
}

WINDOW_SCENARIO(OverlongCaptureReachesTheWordBoxWhole, WriteDictionaries)
{
    std::wstring text(100000, L'a');
    PressCaptureHotkey();
    SetClipboardText(L" " + text + L" ");
    ok(WaitFor([] { return !CapturePending; }), "the clipboard change was not captured");
    ok(WordBoxText(0) == text, "expected all %zu units in the word box, got %zu", text.size(),
       WordBoxText(0).size());
    ok(ListItems(0).empty() && ArticleViewText(0).empty(), "expected nothing found for the long word");
    ExitProgram();
}
