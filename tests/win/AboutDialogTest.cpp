// The About dialog: its template as designed, the texts the running dialog
// shows, the buttons and keys that end it, and "System info".
#include "tests/win/WindowTest.h"

#include <richedit.h>

#include <cwchar>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/WideText.h"
#include "res/ResourceIds.h"
#include "tests/win/ShellRecorder.h"
#include "tests/win/VendorFixtures.h"
#include "vendor/AboutDialog.h"

namespace {

const std::wstring TitleLine = L"Verbola English to Italian, Italian to English Talking Dictionary";
const std::wstring DictionariesText =
    L"Articles English Italian 9,061,600 bytes\rArticles Italian English 3,584,098 bytes";
// Single carriage returns; the blanks before them belong to the text.
const std::wstring DetailsText =
    L"English to Italian, Italian to English Talking Desktop dictionary for Windows OS. \r\r"
    L"Windows Vista Ready! \r"
    L"Slang words Included.  \r"
    L"Fast browsing, audio pronunciation, system tray launch, context menu extension, add new word definition and "
    L"article.";

// ---- the template, read from the program's resources

struct TemplateItem {
    DWORD Style;
    DWORD ExtendedStyle;
    short X, Y, Width, Height;
    int Id;
    std::wstring Class;  // the name, or "#130" for a predefined class
    std::wstring Text;
};

struct DialogTemplate {
    DWORD Style;
    DWORD ExtendedStyle;
    short X, Y, Width, Height;
    std::wstring Menu, Class, Caption;
    WORD PointSize;
    std::wstring Font;
    std::vector<TemplateItem> Items;
};

// A name or ordinal of a dialog template; the reader moves past it.
std::wstring ReadNameOrOrdinal(const WORD*& at)
{
    if (*at == 0xFFFF) {
        std::wstring ordinal = L"#" + std::to_wstring(at[1]);
        at += 2;
        return ordinal;
    }
    std::wstring name(reinterpret_cast<const wchar_t*>(at));
    at += name.size() + 1;
    return name;
}

const WORD* AlignToDword(const WORD* at, const void* start)
{
    std::size_t offset = reinterpret_cast<const BYTE*>(at) - static_cast<const BYTE*>(start);
    return at + (offset % 4 != 0 ? 1 : 0);
}

DialogTemplate ReadAboutTemplate()
{
    DialogTemplate dialog = {};
    HINSTANCE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDD_ABOUT), RT_DIALOG);
    ok(resource != nullptr, "expected dialog resource %d", IDD_ABOUT);
    if (resource == nullptr) {
        return dialog;
    }
    const void* start = LockResource(LoadResource(module, resource));
    const auto* header = static_cast<const DLGTEMPLATE*>(start);
    ok(HIWORD(header->style) != 0xFFFF, "expected a plain DIALOG template, not DIALOGEX");
    dialog = {header->style, header->dwExtendedStyle, header->x, header->y, header->cx, header->cy,
              {}, {}, {}, 0, {}, {}};
    const WORD* at = reinterpret_cast<const WORD*>(header + 1);
    dialog.Menu = ReadNameOrOrdinal(at);
    dialog.Class = ReadNameOrOrdinal(at);
    dialog.Caption = ReadNameOrOrdinal(at);
    if (header->style & DS_SETFONT) {
        dialog.PointSize = *at++;
        dialog.Font = ReadNameOrOrdinal(at);
    }
    for (int i = 0; i < header->cdit; ++i) {
        at = AlignToDword(at, start);
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
        TemplateItem read = {item->style, item->dwExtendedStyle, item->x, item->y, item->cx, item->cy,
                             static_cast<short>(item->id), {}, {}};
        at = reinterpret_cast<const WORD*>(item + 1);
        read.Class = ReadNameOrOrdinal(at);
        read.Text = ReadNameOrOrdinal(at);
        WORD extra = *at++;
        at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at) + extra);
        dialog.Items.push_back(read);
    }
    return dialog;
}

// Shows the control characters of a text, for the messages.
std::string Visible(const std::wstring& text)
{
    std::wstring shown;
    for (wchar_t c : text) {
        shown += c == L'\r' ? std::wstring(L"\\r") : c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
    }
    return Narrow(shown);
}

// ---- the running dialog

std::wstring RichEditText(HWND control)
{
    GETTEXTLENGTHEX length = {GTL_DEFAULT | GTL_NUMCHARS, 1200};
    LRESULT units = SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    std::wstring text(static_cast<std::size_t>(units > 0 ? units : 0) + 1, L'\0');
    GETTEXTEX request = {static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    LRESULT copied =
        SendMessageW(control, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

HWND FocusOf(HWND dialog)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

// A key as the keyboard delivers it to the focused control; the dialog's
// own loop turns Enter and Esc into commands.
void PostKey(HWND dialog, UINT key)
{
    HWND focus = FocusOf(dialog);
    HWND target = focus != nullptr ? focus : dialog;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

bool Ends(HWND dialog)
{
    return WaitFor([dialog] { return !IsWindow(dialog); }, 3000);
}

void CheckShownTexts(HWND dialog, const char* opening)
{
    std::wstring version = WindowText(GetDlgItem(dialog, IDC_ABOUT_VERSION));
    ok(version == L"Version 1.2.15 Italian", "%s: expected \"Version 1.2.15 Italian\", got \"%s\"", opening,
       Narrow(version).c_str());
    std::wstring dictionaries = RichEditText(GetDlgItem(dialog, IDC_ABOUT_DICTIONARIES));
    ok(dictionaries == DictionariesText, "%s: installed dictionaries: expected \"%s\", got \"%s\"", opening,
       Visible(DictionariesText).c_str(), Visible(dictionaries).c_str());
    std::wstring details = RichEditText(GetDlgItem(dialog, IDC_ABOUT_DETAILS));
    ok(details == DetailsText, "%s: product details: expected \"%s\", got \"%s\"", opening,
       Visible(DetailsText).c_str(), Visible(details).c_str());
}

HWND OpenAbout(int command)
{
    PostCommand(command);
    HWND dialog = FindProgramDialog(L"About");
    ok(dialog != nullptr, "command %d: expected the About dialog", command);
    return dialog;
}

// ---- a dialog of the test's own on the same template and procedure

INT_PTR OwnDialogResult = -100;

DWORD WINAPI RunOwnAboutDialog(LPVOID)
{
    OwnDialogResult = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), nullptr,
                                      AboutDialogProc, 0);
    return 0;
}

// Opens the dialog on a thread of its own, ends it with `end`, and returns
// DialogBoxParam's result (-100 when it did not end).
INT_PTR OwnDialogEndedBy(const std::function<void(HWND)>& end)
{
    OwnDialogResult = -100;
    HANDLE thread = CreateThread(nullptr, 0, RunOwnAboutDialog, nullptr, 0, nullptr);
    DWORD threadId = GetThreadId(thread);
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = nullptr;
        while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", L"About")) != nullptr) {
            if (GetWindowThreadProcessId(dialog, nullptr) == threadId && IsWindowVisible(dialog)) {
                return true;
            }
        }
        return false;
    });
    ok(dialog != nullptr, "expected the test's own About dialog");
    if (dialog != nullptr) {
        end(dialog);
    }
    if (WaitForSingleObject(thread, 5000) != WAIT_OBJECT_0) {
        ok(false, "the dialog did not end");
        if (dialog != nullptr) {
            EndDialog(dialog, -100);
        }
        WaitForSingleObject(thread, 5000);
    }
    CloseHandle(thread);
    return OwnDialogResult;
}

}  // namespace

PLAIN_SCENARIO(AboutTemplateIsAsDesigned)
{
    DialogTemplate dialog = ReadAboutTemplate();
    DWORD expectedStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    ok(dialog.Style == expectedStyle, "expected the dialog style 0x%lx, got 0x%lx", expectedStyle, dialog.Style);
    ok(dialog.ExtendedStyle == 0, "expected no extended style, got 0x%lx", dialog.ExtendedStyle);
    ok(dialog.X == 22 && dialog.Y == 17 && dialog.Width == 220 && dialog.Height == 170,
       "expected (22, 17) 220 x 170, got (%d, %d) %d x %d", dialog.X, dialog.Y, dialog.Width, dialog.Height);
    ok(dialog.Menu.empty() && dialog.Class.empty(), "expected no menu and the standard dialog class");
    ok(dialog.Caption == L"About", "expected the caption \"About\", got \"%s\"", Narrow(dialog.Caption).c_str());
    ok(dialog.PointSize == 8 && dialog.Font == L"Arial", "expected 8-point Arial, got %d-point %s", dialog.PointSize,
       Narrow(dialog.Font).c_str());

    constexpr DWORD Child = WS_CHILD | WS_VISIBLE;
    constexpr DWORD RichEdit = Child | ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL;
    const TemplateItem expected[] = {
        {Child | SS_LEFT | SS_NOPREFIX, 0, 10, 10, 200, 8, -1, L"#130", TitleLine},
        {Child | SS_LEFT | SS_NOPREFIX, 0, 10, 20, 200, 8, IDC_ABOUT_VERSION, L"#130", L"Version 1.2.15"},
        {Child | SS_LEFT, 0, 10, 35, 119, 8, -1, L"#130", L"Installed Dictionaries"},
        {RichEdit, 0, 10, 45, 200, 30, static_cast<short>(IDC_ABOUT_DICTIONARIES), L"RICHEDIT20W", DictionariesText},
        {Child | SS_LEFT, 0, 10, 80, 200, 8, -1, L"#130", L"Product details"},
        {RichEdit, 0, 10, 90, 200, 50, static_cast<short>(IDC_ABOUT_DETAILS), L"RICHEDIT20W", DetailsText},
        {Child | WS_TABSTOP | BS_DEFPUSHBUTTON | BS_CENTER, 0, 33, 150, 60, 12, IDOK, L"#128", L"Ok"},
        {Child | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER, 0, 126, 150, 60, 12, IDC_ABOUT_SYSTEM_INFO, L"#128",
         L"System info"},
    };
    ok(dialog.Items.size() == std::size(expected), "expected %zu controls, got %zu", std::size(expected),
       dialog.Items.size());
    for (std::size_t i = 0; i < std::size(expected) && i < dialog.Items.size(); ++i) {
        const TemplateItem& want = expected[i];
        const TemplateItem& got = dialog.Items[i];
        ok(got.Id == want.Id, "control %zu: expected id %d, got %d", i + 1, want.Id, got.Id);
        ok(got.Class == want.Class, "control %zu: expected class %s, got %s", i + 1, Narrow(want.Class).c_str(),
           Narrow(got.Class).c_str());
        // Whether a static text starts a group is left to the resource compiler.
        DWORD style = got.Style & ~static_cast<DWORD>(WS_GROUP);
        ok(style == want.Style && got.ExtendedStyle == 0, "control %zu: expected style 0x%lx, got 0x%lx ex 0x%lx",
           i + 1, want.Style, style, got.ExtendedStyle);
        ok(got.X == want.X && got.Y == want.Y && got.Width == want.Width && got.Height == want.Height,
           "control %zu: expected (%d, %d) %d x %d, got (%d, %d) %d x %d", i + 1, want.X, want.Y, want.Width,
           want.Height, got.X, got.Y, got.Width, got.Height);
        ok(got.Text == want.Text, "control %zu: expected the text \"%s\", got \"%s\"", i + 1,
           Visible(want.Text).c_str(), Visible(got.Text).c_str());
    }
}

WINDOW_SCENARIO(AboutDialogShowsTheVersionAndStaysForSystemInfo, WriteSmallDictionaries)
{
    HWND dialog = OpenAbout(IDM_ABOUT);
    if (dialog == nullptr) {
        return;
    }
    ok(GetWindow(dialog, GW_OWNER) == MainWindow, "expected the dialog owned by the main window");
    ok(!IsWindowEnabled(MainWindow), "expected the main window disabled while the dialog runs");
    // The controls without an identifier of their own, in creation order.
    const wchar_t* plainTexts[] = {TitleLine.c_str(), L"Installed Dictionaries", L"Product details"};
    std::size_t plain = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (static_cast<WORD>(GetDlgCtrlID(child)) == 0xFFFF && plain < std::size(plainTexts)) {
            ok(WindowText(child) == plainTexts[plain], "expected the text \"%s\", got \"%s\"",
               Narrow(plainTexts[plain]).c_str(), Narrow(WindowText(child)).c_str());
            ++plain;
        }
    }
    ok(plain == std::size(plainTexts), "expected %zu texts without identifier, got %zu", std::size(plainTexts),
       plain);
    CheckShownTexts(dialog, "Help > About");
    ok(FocusOf(dialog) == GetDlgItem(dialog, IDOK), "expected the focus on \"Ok\"");
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
    ok(std::wstring(font.lfFaceName) == L"Arial", "expected the font Arial, got %s", Narrow(font.lfFaceName).c_str());
    wchar_t className[64] = {};
    GetClassNameW(GetDlgItem(dialog, IDC_ABOUT_DETAILS), className, 64);
    ok(_wcsicmp(className, L"RichEdit20W") == 0, "expected a Rich Edit 2.0 control, got %s",
       Narrow(className).c_str());

    std::wstring records = InstallSystemInfoRecorder();
    HWND systemInfo = GetDlgItem(dialog, IDC_ABOUT_SYSTEM_INFO);
    SendMessageW(systemInfo, BM_CLICK, 0, 0);
    std::vector<RecordedStart> starts = WaitForRecordedStarts(records, 1);
    ok(IsWindow(dialog) && IsWindowVisible(dialog), "expected the dialog open after \"System info\"");
    SendMessageW(systemInfo, BM_CLICK, 0, 0);
    starts = WaitForRecordedStarts(records, 2);
    ok(starts.size() == 2, "expected the system information tool started twice, got %s", Describe(starts).c_str());
    for (const RecordedStart& start : starts) {
        ok(start.Arguments.empty() && start.ShowCommand == SW_SHOWNORMAL,
           "expected msinfo32.exe without arguments, shown normally, got %s", Describe({start}).c_str());
    }
    ok(IsWindow(dialog) && IsWindowVisible(dialog), "expected the dialog still open after a second press");
    RemoveSystemInfoRecorder();
    CheckShownTexts(dialog, "after System info");

    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ok(Ends(dialog), "expected \"Ok\" to end the dialog");
    ok(WaitFor([] { return IsWindowEnabled(MainWindow) != FALSE; }), "expected the main window enabled again");

    // Each way in and out; nothing is kept between showings.
    struct Case {
        int Command;
        const char* Ending;
        std::function<void(HWND)> End;
    } cases[] = {
        {IDM_ABOUT_KEY, "Esc", [](HWND d) { PostKey(d, VK_ESCAPE); }},
        {IDM_ABOUT, "Enter", [](HWND d) { PostKey(d, VK_RETURN); }},
        {IDM_ABOUT_KEY, "the close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases) {
        dialog = OpenAbout(c.Command);
        if (dialog == nullptr) {
            continue;
        }
        CheckShownTexts(dialog, c.Ending);
        c.End(dialog);
        ok(Ends(dialog), "expected %s to end the dialog", c.Ending);
        ok(WaitFor([] { return IsWindowEnabled(MainWindow) != FALSE; }), "%s: expected the main window enabled",
           c.Ending);
    }
    ExitProgram();
}

WINDOW_SCENARIO(AboutDialogProcEndsWithTheCommandsResult, WriteSmallDictionaries)
{
    struct Case {
        const char* Ending;
        std::function<void(HWND)> End;
        INT_PTR Result;
    } cases[] = {
        {"\"Ok\"", [](HWND d) { SendMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }, IDOK},
        {"Enter", [](HWND d) { PostKey(d, VK_RETURN); }, IDOK},
        {"Esc", [](HWND d) { PostKey(d, VK_ESCAPE); }, IDCANCEL},
        {"the close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        INT_PTR result = OwnDialogEndedBy(c.End);
        ok(result == c.Result, "%s: expected the result %lld, got %lld", c.Ending, static_cast<long long>(c.Result),
           static_cast<long long>(result));
    }

    // Commands and messages it does not handle are left to the dialog manager.
    OwnDialogEndedBy([](HWND d) {
        ok(AboutDialogProc(d, WM_COMMAND, MAKEWPARAM(4711, BN_CLICKED), 0) == FALSE,
           "expected FALSE for an unknown command");
        ok(AboutDialogProc(d, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_VERSION, STN_CLICKED), 0) == FALSE,
           "expected FALSE for a click on the version line");
        ok(AboutDialogProc(d, WM_TIMER, 1, 0) == FALSE, "expected FALSE for WM_TIMER");
        ok(IsWindow(d), "expected the dialog still open");
        PostKey(d, VK_ESCAPE);
    });
    ExitProgram();
}
