#include "app/Application.h"

#include "app/HotkeyCapture.h"
#include "app/MainWindow.h"
#include "app/TrayIcon.h"
#include "app/WideText.h"
#include "dictionary/ArticleFiles.h"
#include "dictionary/HeadwordLookup.h"
#include "res/ResourceIds.h"
#include "settings/Configuration.h"
#include "settings/StartupSettings.h"
#include "vendor/Notifications.h"

HINSTANCE ApplicationInstance = nullptr;
std::wstring WindowTitle;
std::wstring WindowClassName;
HWND MainWindow = nullptr;

namespace {

constexpr int MainWindowWidth = 380;
constexpr int MainWindowHeight = 323;

// File items whose features the program does not have.
void GrayUnavailableFileItems()
{
    HMENU menu = GetMenu(MainWindow);
    for (UINT item : {IDM_NEW, IDM_OPEN, IDM_PRINT, IDM_PRINT_PREVIEW}) {
        EnableMenuItem(menu, item, MF_BYCOMMAND | MF_GRAYED);
    }
}

// Every message goes to the accelerator table first, for the window it is
// addressed to, so an accelerator only works while the main window itself
// has the keyboard.
int RunMessageLoop(HACCEL accelerators)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(message.hwnd, accelerators, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int RunApplication(HINSTANCE instance, int showCommand)
{
    WindowTitle = LoadResourceString(instance, IDS_WINDOW_TITLE);
    WindowClassName = LoadResourceString(instance, IDS_WINDOW_CLASS);
    RegisterMainWindowClass(instance);
    if (!InitializeApplication(instance, showCommand)) {
        return 0;
    }
    AddTrayIcon(instance);
    ApplyAlwaysOnTopSetting();
    HACCEL accelerators = LoadAcceleratorsW(ApplicationInstance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    return RunMessageLoop(accelerators);
}

bool InitializeApplication(HINSTANCE instance, int showCommand)
{
    ApplicationInstance = instance;
    HWND window = CreateWindowExW(0, WindowClassName.c_str(), WindowTitle.c_str(), WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, 0, MainWindowWidth, MainWindowHeight, nullptr, nullptr,
                                  instance, nullptr);
    if (window == nullptr) {
        return false;
    }
    MainWindow = window;
    RegisterCaptureHotkey();
    ReadConfiguration();
    ApplyLoadOnStartSetting();
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    SelectDirectionTab(0);
    ApplyDefaultLanguageSetting();
    ShowDirectionPage();
    JoinClipboardChain();
    AppendUsageDays();
    StartStartNotification();
    GrayUnavailableFileItems();
    // The window is visible but busy until the text is read and looked up.
    LoadArticleFiles();
    DecodeArticleText();
    ShowInitialWord();
    return true;
}

LRESULT ShutDownApplication()
{
    StartEndNotification();
    // The article views must be gone before the library that implements them.
    for (TranslationDirection d = 0; d < DirectionCount; ++d) {
        DestroyWindow(WordBox[d]);
        DestroyWindow(ArticleView[d]);
        WordBox[d] = nullptr;
        ArticleView[d] = nullptr;
    }
    if (RichEditLibrary != nullptr) {
        FreeLibrary(RichEditLibrary);
        RichEditLibrary = nullptr;
    }
    RemoveTrayIcon();
    LeaveClipboardChain();
    UnregisterCaptureHotkey();
    CloseNotificationThread();
    FreeArticleFiles();
    PostQuitMessage(0);
    return 0;
}
