// Looks at the running program from outside, as the end-to-end tests need:
// finds its window, reads its controls and prints what it finds, one
// "key=value" a line (UTF-8; line breaks in values written as \n).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "res/ResourceIds.h"

namespace {

void Print(const std::wstring& text)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                        nullptr);
    bytes += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring Escaped(const std::wstring& text)
{
    std::wstring escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            continue;
        }
        if (text[i] == L'\r' || text[i] == L'\n') {
            escaped += L"\\n";
        } else if (text[i] == L'\\') {
            escaped += L"\\\\";
        } else {
            escaped += text[i];
        }
    }
    return escaped;
}

HWND MainWindow()
{
    return FindWindowW(L"WIN32VERSION_10", nullptr);
}

std::wstring Text(HWND window)
{
    LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

int CurrentTab(HWND main)
{
    return static_cast<int>(SendMessageW(GetDlgItem(main, IDC_TAB_CONTROL), TCM_GETCURSEL, 0, 0));
}

HWND ArticleViewOf(HWND main, int direction)
{
    return GetDlgItem(GetDlgItem(main, IDC_TAB_CONTROL), IDC_ARTICLE_VIEW + direction);
}

// List view messages with pointers are not carried across processes: the
// structure and the text live in the program's own memory.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size) : size_(size)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, process);
        memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* Address() const { return static_cast<char*>(memory_); }
    void Write(std::size_t offset, const void* data, std::size_t size) const
    {
        WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
    }
    void Read(std::size_t offset, void* data, std::size_t size) const
    {
        ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
    }

private:
    std::size_t size_;
    HANDLE process_;
    void* memory_;
};

std::vector<std::wstring> ListItems(HWND list)
{
    std::vector<std::wstring> items;
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    constexpr std::size_t TextUnits = 4096;
    RemoteBuffer remote(list, sizeof(LVITEMW) + TextUnits * sizeof(wchar_t));
    for (int i = 0; i < count; ++i) {
        LVITEMW item = {};
        item.iSubItem = 0;
        item.cchTextMax = TextUnits;
        item.pszText = reinterpret_cast<wchar_t*>(remote.Address() + sizeof(LVITEMW));
        remote.Write(0, &item, sizeof(item));
        LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote.Address()));
        std::wstring text(static_cast<std::size_t>(length), L'\0');
        remote.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
        items.push_back(text);
    }
    return items;
}

POINT Centre(HWND window, RECT rect)
{
    POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(window, &point);
    return point;
}

void PrintPoint(POINT point)
{
    std::printf("%ld %ld\n", point.x, point.y);
}

int State(HWND main)
{
    int tab = CurrentTab(main);
    Print(L"tab=" + std::to_wstring(tab));
    for (int d = 0; d < 2; ++d) {
        std::wstring n = std::to_wstring(d);
        Print(L"word" + n + L"=" + Escaped(Text(GetDlgItem(main, IDC_WORD_BOX + d))));
        std::vector<std::wstring> items = ListItems(GetDlgItem(main, IDC_HEADWORD_LIST + d));
        Print(L"count" + n + L"=" + std::to_wstring(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            Print(L"item" + n + L"." + std::to_wstring(i) + L"=" + Escaped(items[i]));
        }
        Print(L"article" + n + L"=" + Escaped(Text(ArticleViewOf(main, d))));
        Print(L"visible" + n + L"=" + std::to_wstring(IsWindowVisible(GetDlgItem(main, IDC_WORD_BOX + d)) ? 1 : 0));
    }
    Print(L"foreground=" + std::to_wstring(GetForegroundWindow() == main ? 1 : 0));
    Print(L"iconic=" + std::to_wstring(IsIconic(main) ? 1 : 0));
    Print(L"visible=" + std::to_wstring(IsWindowVisible(main) ? 1 : 0));
    Print(L"topmost=" + std::to_wstring((GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0));
    return 0;
}

bool WaitUntil(DWORD milliseconds, bool (*condition)())
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

// Up and looked up: the current list or article holds something.
bool Ready()
{
    HWND main = MainWindow();
    if (main == nullptr || !IsWindowVisible(main)) {
        return false;
    }
    int tab = CurrentTab(main);
    HWND list = GetDlgItem(main, IDC_HEADWORD_LIST + (tab == 1 ? 1 : 0));
    return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0 ||
           SendMessageW(ArticleViewOf(main, tab == 1 ? 1 : 0), WM_GETTEXTLENGTH, 0, 0) > 0;
}

bool Gone()
{
    return MainWindow() == nullptr;
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        if (data != nullptr) {
            const auto* units = static_cast<const wchar_t*>(GlobalLock(data));
            if (units != nullptr) {
                text.assign(units, wcsnlen(units, GlobalSize(data) / sizeof(wchar_t)));
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: probe COMMAND [ARGUMENTS]\n");
        return 2;
    }
    std::wstring command = argv[1];
    DWORD timeout = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) * 1000 : 20000;
    // Commands: wait-ready [S], wait-gone [S], clipboard, set-clipboard TEXT,
    // class-point CLASS, tray-point, dialog-open CAPTION, menu-open, state,
    // word-box-point, item-point N, window-point, command ID, close.
    if (command == L"wait-ready") {
        return WaitUntil(timeout, Ready) ? 0 : 1;
    }
    if (command == L"wait-gone") {
        return WaitUntil(timeout, Gone) ? 0 : 1;
    }
    if (command == L"clipboard") {
        Print(Escaped(ClipboardText()));
        return 0;
    }
    if (command == L"set-clipboard" && argc > 2) {
        std::wstring text = argv[2];
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(block);
        if (!OpenClipboard(nullptr)) {
            return 1;
        }
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
        return 0;
    }
    if (command == L"class-point" && argc > 2) {
        // The centre of a top-level window of that class, and of its first child if it has one.
        HWND window = FindWindowW(argv[2], nullptr);
        if (window == nullptr) {
            return 1;
        }
        HWND child = GetWindow(window, GW_CHILD);
        HWND target = child != nullptr ? child : window;
        RECT rect;
        GetClientRect(target, &rect);
        PrintPoint(Centre(target, rect));
        return 0;
    }
    if (command == L"tray-point") {
        // Icons sit at the right end of the taskbar; ours is the only one.
        HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
        if (taskbar == nullptr) {
            return 1;
        }
        RECT rect;
        GetClientRect(taskbar, &rect);
        POINT point = {rect.right - 12, (rect.top + rect.bottom) / 2};
        ClientToScreen(taskbar, &point);
        PrintPoint(point);
        return 0;
    }
    if (command == L"dialog-open" && argc > 2) {
        HWND dialog = FindWindowW(L"#32770", argv[2]);
        return dialog != nullptr && IsWindowVisible(dialog) ? 0 : 1;
    }
    if (command == L"menu-open") {
        HWND menu = FindWindowW(L"#32768", nullptr);
        return menu != nullptr && IsWindowVisible(menu) ? 0 : 1;
    }
    HWND main = MainWindow();
    if (main == nullptr) {
        std::fprintf(stderr, "the program's window is not there\n");
        return 1;
    }
    int tab = CurrentTab(main) == 1 ? 1 : 0;
    if (command == L"state") {
        return State(main);
    }
    if (command == L"word-box-point") {
        HWND box = GetDlgItem(main, IDC_WORD_BOX + tab);
        RECT rect;
        GetClientRect(box, &rect);
        PrintPoint(Centre(box, rect));
        return 0;
    }
    if (command == L"item-point" && argc > 2) {
        HWND list = GetDlgItem(main, IDC_HEADWORD_LIST + tab);
        RemoteBuffer remote(list, sizeof(RECT));
        RECT rect = {LVIR_LABEL, 0, 0, 0};
        remote.Write(0, &rect, sizeof(rect));
        SendMessageW(list, LVM_GETITEMRECT, _wtoi(argv[2]), reinterpret_cast<LPARAM>(remote.Address()));
        remote.Read(0, &rect, sizeof(rect));
        PrintPoint(Centre(list, rect));
        return 0;
    }
    if (command == L"window-point") {
        RECT rect;
        GetClientRect(main, &rect);
        PrintPoint(Centre(main, rect));
        return 0;
    }
    if (command == L"command" && argc > 2) {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(_wtoi(argv[2]), 0), 0);
        return 0;
    }
    if (command == L"close") {
        PostMessageW(main, WM_CLOSE, 0, 0);
        return 0;
    }
    std::fprintf(stderr, "unknown command\n");
    return 2;
}
