#include "tests/win/WindowTest.h"

#include <commctrl.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/TrayIcon.h"
#include "app/WideText.h"
#include "dictionary/ArticleCoding.h"
#include "dictionary/ArticlePaths.h"
#include "dictionary/ModuleDirectory.h"
#include "res/ResourceIds.h"
#include "tests/win/ShellRecorder.h"

std::vector<std::wstring> StartupMessages;

namespace {

std::vector<WindowScenario>& Scenarios()
{
    static std::vector<WindowScenario> scenarios;
    return scenarios;
}

LONG Checks = 0;
LONG Failures = 0;
int ProgramExitCode = -1;
const WindowScenario* Running = nullptr;
volatile bool ExitRequested = false;
HANDLE ProgramEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
double ProgramEndTime = -1;

bool IsOurs(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

HWND FindOurWindow(const wchar_t* className, const wchar_t* caption)
{
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, caption)) != nullptr) {
        if (IsOurs(window)) {
            return window;
        }
    }
    return nullptr;
}

HWND WordBoxEdit(int direction)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(WordBox[direction], &info);
    return info.hwndItem;
}

volatile LONG PostedMessageTaken = 0;

UINT LoopReachedMessage()
{
    static UINT message = RegisterWindowMessageW(L"VerbolaTestLoopReached");
    return message;
}

LRESULT CALLBACK WatchPostedMessages(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && message->hwnd == MainWindow && message->message == LoopReachedMessage()) {
        InterlockedExchange(&PostedMessageTaken, 1);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A sent message can be answered from inside a start-up step that waits on
// another process (moving the window into the topmost band does); a posted
// one is only taken by a message loop. Once the program's loop has taken
// one, and the paint that start-up left pending has run, start-up is over.
void WaitForMessageLoop()
{
    DWORD thread = GetWindowThreadProcessId(MainWindow, nullptr);
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, WatchPostedMessages, nullptr, thread);
    PostMessageW(MainWindow, LoopReachedMessage(), 0, 0);
    ok(WaitFor([] { return PostedMessageTaken != 0; }, 20000), "the message loop did not start");
    UnhookWindowsHookEx(hook);
    UpdateWindow(MainWindow);
}

DWORD WINAPI DriveScenario(LPVOID)
{
    StartupMessages = DismissInfoMessages([] { return TrayIconData.cbSize != 0; }, 20000);
    if (TrayIconData.cbSize == 0) {
        ok(false, "start-up did not finish");
        std::printf("%s: start-up did not finish\n", Running->Name);
        std::fflush(stdout);
        ExitProcess(1);
    }
    WaitForMessageLoop();
    Running->Drive();
    // A scenario that leaves the program running is ended here.
    if (!ExitRequested) {
        ExitProgram();
    }
    return 0;
}

}  // namespace

void CheckThat(bool condition, const char* file, int line, const char* format, ...)
{
    InterlockedIncrement(&Checks);
    if (condition) {
        return;
    }
    InterlockedIncrement(&Failures);
    const char* name = std::strrchr(file, '/');
    std::printf("%s:%d: Test failed: ", name != nullptr ? name + 1 : file, line);
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::printf("\n");
    std::fflush(stdout);
}

WindowScenarioRegistration::WindowScenarioRegistration(WindowScenario scenario)
{
    Scenarios().push_back(scenario);
}

std::wstring TestFolder()
{
    return ModuleDirectory();
}

void WriteTestFile(std::wstring_view relativePath, std::string_view bytes)
{
    std::wstring path = TestFolder() + L"\\" + std::wstring(relativePath);
    std::size_t slash = path.rfind(L'\\');
    CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ok(file != INVALID_HANDLE_VALUE, "cannot write %s", Narrow(path).c_str());
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void RemoveTestFile(std::wstring_view relativePath)
{
    std::wstring path = TestFolder() + L"\\" + std::wstring(relativePath);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

std::optional<std::string> ReadFileBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) {
        bytes.append(chunk, read);
    }
    CloseHandle(file);
    return bytes;
}

void WriteArticleFile(int direction, std::u16string_view plainText)
{
    std::string bytes(reinterpret_cast<const char*>(plainText.data()), plainText.size() * sizeof(char16_t));
    EncodeArticleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    std::u16string relative = ArticleFileRelativePath(direction).substr(1);
    WriteTestFile(AsWide(relative), bytes);
}

std::u16string ArticleTextOf(const std::vector<std::pair<std::u16string, std::u16string>>& records)
{
    std::u16string text;
    for (const auto& [headword, article] : records) {
        text += u"\r\n|" + headword + u"|" + article;
    }
    return text + u"\r\n|";
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

std::vector<std::wstring> DismissInfoMessages(const std::function<bool()>& stop, DWORD milliseconds)
{
    std::vector<std::wstring> texts;
    WaitFor(
        [&] {
            HWND box = FindOurWindow(L"#32770", L"Info Message");
            if (box != nullptr && IsWindowVisible(box)) {
                texts.push_back(WindowText(GetDlgItem(box, 0xFFFF)));
                SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                WaitFor([box] { return !IsWindow(box); }, 3000);
                return false;
            }
            return stop();
        },
        milliseconds);
    return texts;
}

HWND FindProgramWindow(const wchar_t* className, const wchar_t* caption, DWORD milliseconds)
{
    HWND window = nullptr;
    bool shown = WaitFor(
        [&] {
            window = FindOurWindow(className, caption);
            return window != nullptr && IsWindowVisible(window);
        },
        milliseconds);
    return shown ? window : nullptr;
}

HWND FindProgramDialog(const wchar_t* caption, DWORD milliseconds)
{
    return FindProgramWindow(L"#32770", caption, milliseconds);
}

void TypeWord(int direction, std::wstring_view word)
{
    SetWindowTextFrom(WordBox[direction], word);
    SendMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX + direction, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(WordBox[direction]));
}

void TypeCharacters(int direction, std::wstring_view characters)
{
    HWND edit = WordBoxEdit(direction);
    for (wchar_t c : characters) {
        SendMessageW(edit, WM_CHAR, c, 1);
    }
}

std::vector<std::wstring> ListItems(int direction)
{
    std::vector<std::wstring> items;
    HWND list = HeadwordList[direction];
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(4096, L'\0');
        LVITEMW item = {};
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        text.resize(static_cast<std::size_t>(length));
        items.push_back(text);
    }
    return items;
}

std::wstring ArticleViewText(int direction)
{
    std::wstring text = WindowText(ArticleView[direction]);
    std::wstring lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            lines += L'\n';
            if (i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
        } else {
            lines += text[i];
        }
    }
    return lines;
}

std::wstring WordBoxText(int direction)
{
    return WindowText(WordBox[direction]);
}

int SelectedTab()
{
    return static_cast<int>(SendMessageW(TabControl, TCM_GETCURSEL, 0, 0));
}

void PostCommand(int command, int code)
{
    PostMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(command, code), 0);
}

void SendCommand(int command, int code)
{
    SendMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(command, code), 0);
}

void ExitProgram()
{
    ExitRequested = true;
    PostCommand(IDM_EXIT);
}

void FocusControl(HWND control)
{
    DWORD programThread = GetWindowThreadProcessId(MainWindow, nullptr);
    AttachThreadInput(GetCurrentThreadId(), programThread, TRUE);
    SetForegroundWindow(MainWindow);
    SetFocus(control);
    AttachThreadInput(GetCurrentThreadId(), programThread, FALSE);
}

void SetClipboardText(std::wstring_view text, bool terminated)
{
    std::size_t units = text.size() + (terminated ? 1 : 0);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, units * sizeof(wchar_t));
    void* data = GlobalLock(block);
    std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    ok(WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 3000), "cannot open the clipboard");
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

void PressKeys(std::initializer_list<BYTE> keys)
{
    for (BYTE key : keys) {
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), 0, 0);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        keybd_event(*key, static_cast<BYTE>(MapVirtualKeyW(*key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
    }
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 3000)) {
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

std::wstring Widen(std::string_view utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
    return text;
}

std::string Narrow(std::wstring_view text)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

double ElapsedMilliseconds()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double WaitForProgramEnd(DWORD milliseconds)
{
    return WaitForSingleObject(ProgramEnded, milliseconds) == WAIT_OBJECT_0 ? ProgramEndTime : -1;
}

int wmain(int argc, wchar_t** argv)
{
    if (RunAsShellRecorder(argc, argv)) {
        return 0;
    }
    if (argc == 2 && std::wstring(argv[1]) == L"--list") {
        for (const WindowScenario& scenario : Scenarios()) {
            std::printf("%s\n", scenario.Name);
        }
        return 0;
    }
    if (argc != 2) {
        std::printf("usage: %s --list | SCENARIO\n", Narrow(argv[0]).c_str());
        return 2;
    }
    std::string wanted = Narrow(argv[1]);
    for (const WindowScenario& scenario : Scenarios()) {
        if (wanted == scenario.Name) {
            Running = &scenario;
        }
    }
    if (Running == nullptr) {
        std::printf("no scenario %s\n", wanted.c_str());
        return 2;
    }
    if (Running->Prepare != nullptr) {
        Running->Prepare();
    }
    if (Running->StartsProgram) {
        HANDLE driver = CreateThread(nullptr, 0, DriveScenario, nullptr, 0, nullptr);
        ProgramExitCode = RunApplication(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
        ProgramEndTime = ElapsedMilliseconds();
        SetEvent(ProgramEnded);
        ok(WaitForSingleObject(driver, 30000) == WAIT_OBJECT_0, "the scenario did not end");
        ok(ProgramExitCode == 0, "expected exit code 0, got %d", ProgramExitCode);
    } else {
        Running->Drive();
    }
    std::printf("%s: %ld checks, %ld failed\n", Running->Name, Checks, Failures);
    std::fflush(stdout);
    return Failures == 0 ? 0 : 1;
}
