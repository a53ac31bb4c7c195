// The Options dialog driven as a user would: it shows the stored settings,
// Save applies and stores them, every other way out changes nothing. Also
// View > "Always on Top", which is never stored.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "dictionary/ModuleDirectory.h"
#include "settings/AlwaysOnTop.h"
#include "tests/win/SettingsFixtures.h"

namespace {

constexpr std::string_view AllClear = "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n";

Settings SettingsOf(std::string_view bytes)
{
    Settings settings;
    ParseConfiguration(bytes, settings);
    return settings;
}

void ExpectSettingsMap(const Settings& expected, const char* when)
{
    Settings now = SettingsMapNow();
    ok(now == expected, "%s: expected the settings %s, got %s", when, ShownSettings(expected).c_str(),
       ShownSettings(now).c_str());
}

// ---- the dialog template, read from the program's resources

struct TemplateControl {
    WORD ClassAtom;
    const wchar_t* Caption;
    WORD Id;
    short X, Y, Width, Height;
    DWORD Style;
};

constexpr DWORD Child = WS_CHILD | WS_VISIBLE;
constexpr WORD StaticAtom = 0x0082;
constexpr WORD ComboBoxAtom = 0x0085;
constexpr WORD ButtonAtom = 0x0080;
constexpr WORD NoId = 0xFFFF;

const TemplateControl ExpectedControls[] = {
    {StaticAtom, L"Default Language", NoId, 25, 20, 60, 8, Child | SS_LEFT | SS_NOPREFIX},
    {ComboBoxAtom, L"", IDC_OPTIONS_LANGUAGE, 107, 18, 85, 86,
     Child | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP},
    {ButtonAtom, L"Application start", NoId, 7, 7, 196, 88, Child | BS_GROUPBOX},
    {ButtonAtom, L"Load on System start", IDC_OPTIONS_LOAD_ON_START, 25, 40, 135, 8,
     Child | BS_AUTOCHECKBOX | WS_TABSTOP},
    {ButtonAtom, L"Always on Top", IDC_OPTIONS_ALWAYS_ON_TOP, 25, 55, 130, 8, Child | BS_AUTOCHECKBOX | WS_TABSTOP},
    {ButtonAtom, L"Cancel", IDCANCEL, 17, 75, 80, 12,
     Child | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP | BS_CENTER | BS_VCENTER},
    {ButtonAtom, L"Save", IDC_OPTIONS_SAVE, 112, 75, 80, 12,
     Child | BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP | BS_CENTER | BS_VCENTER},
};

// Reads the words of a classic dialog template in order.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* bytes) : Bytes(bytes) {}
    WORD Word()
    {
        WORD value;
        std::memcpy(&value, Bytes + Offset, sizeof(value));
        Offset += sizeof(value);
        return value;
    }
    DWORD DoubleWord()
    {
        DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    short Short() { return static_cast<short>(Word()); }
    std::wstring Text()
    {
        std::wstring text;
        for (WORD unit = Word(); unit != 0; unit = Word()) {
            text += static_cast<wchar_t>(unit);
        }
        return text;
    }
    // A name or an ordinal: 0xFFFF and the ordinal, or a text.
    std::wstring NameOrOrdinal(WORD& ordinal)
    {
        ordinal = 0;
        WORD first = Word();
        if (first == 0xFFFF) {
            ordinal = Word();
            return {};
        }
        Offset -= sizeof(WORD);
        return Text();
    }
    void AlignToDoubleWord() { Offset = (Offset + 3) & ~static_cast<std::size_t>(3); }

private:
    const BYTE* Bytes;
    std::size_t Offset = 0;
};

void ExpectOptionsTemplate()
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_OPTIONS), MAKEINTRESOURCEW(5));  // RT_DIALOG
    ok(found != nullptr, "expected dialog resource 37818, got none");
    if (found == nullptr) {
        return;
    }
    TemplateReader reader(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));
    DWORD style = reader.DoubleWord();
    ok(HIWORD(style) != 0xFFFF, "expected a classic dialog template, got an extended one");
    DWORD extendedStyle = reader.DoubleWord();
    WORD count = reader.Word();
    short x = reader.Short(), y = reader.Short(), width = reader.Short(), height = reader.Short();
    DWORD expectedStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    ok(style == expectedStyle, "expected dialog style %lx, got %lx", expectedStyle, style);
    ok(extendedStyle == 0, "expected no extended style, got %lx", extendedStyle);
    ok(x == 22 && y == 17 && width == 210 && height == 100, "expected the dialog at 22,17 210x100, got %d,%d %dx%d",
       x, y, width, height);
    WORD menuOrdinal, classOrdinal;
    std::wstring menu = reader.NameOrOrdinal(menuOrdinal);
    std::wstring windowClass = reader.NameOrOrdinal(classOrdinal);
    ok(menu.empty() && menuOrdinal == 0 && windowClass.empty() && classOrdinal == 0,
       "expected no menu and the standard dialog class");
    std::wstring caption = reader.Text();
    ok(caption == L"Application options dialog", "expected the caption, got \"%s\"", Narrow(caption).c_str());
    WORD points = reader.Word();
    std::wstring font = reader.Text();
    ok(points == 8 && font == L"Arial", "expected Arial at 8 points, got %s at %u", Narrow(font).c_str(), points);

    std::size_t expectedCount = std::size(ExpectedControls);
    ok(count == expectedCount, "expected %zu controls, got %u", expectedCount, count);
    for (std::size_t i = 0; i < count && i < expectedCount; ++i) {
        const TemplateControl& expected = ExpectedControls[i];
        reader.AlignToDoubleWord();
        DWORD controlStyle = reader.DoubleWord();
        DWORD controlExtended = reader.DoubleWord();
        short cx = reader.Short(), cy = reader.Short(), cw = reader.Short(), ch = reader.Short();
        WORD id = reader.Word();
        WORD atom;
        std::wstring className = reader.NameOrOrdinal(atom);
        WORD captionOrdinal;
        std::wstring controlCaption = reader.NameOrOrdinal(captionOrdinal);
        WORD extraBytes = reader.Word();
        for (WORD skipped = 0; skipped < extraBytes; skipped += 2) {
            reader.Word();
        }
        std::string name = Narrow(expected.Caption);
        ok(atom == expected.ClassAtom && className.empty(), "control %zu \"%s\": expected class %x, got %x \"%s\"", i,
           name.c_str(), expected.ClassAtom, atom, Narrow(className).c_str());
        ok(controlCaption == expected.Caption, "control %zu: expected \"%s\", got \"%s\"", i, name.c_str(),
           Narrow(controlCaption).c_str());
        ok(id == expected.Id, "control %zu \"%s\": expected id %u, got %u", i, name.c_str(), expected.Id, id);
        ok(cx == expected.X && cy == expected.Y && cw == expected.Width && ch == expected.Height,
           "control %zu \"%s\": expected %d,%d %dx%d, got %d,%d %dx%d", i, name.c_str(), expected.X, expected.Y,
           expected.Width, expected.Height, cx, cy, cw, ch);
        ok(controlStyle == expected.Style, "control %zu \"%s\": expected style %lx, got %lx", i, name.c_str(),
           expected.Style, controlStyle);
        ok(controlExtended == 0, "control %zu \"%s\": expected no extended style, got %lx", i, name.c_str(),
           controlExtended);
    }

    // The group box surrounds all the other controls.
    const TemplateControl& group = ExpectedControls[2];
    for (const TemplateControl& control : ExpectedControls) {
        if (&control == &group) {
            continue;
        }
        ok(control.X >= group.X && control.Y >= group.Y && control.X + control.Width <= group.X + group.Width &&
               control.Y + std::min<short>(control.Height, 12) <= group.Y + group.Height,
           "expected \"%s\" inside the group box", Narrow(control.Caption).c_str());
    }
}

// ---- the ways out of the dialog that must change nothing

struct WayOut {
    const char* Name;
    void (*Leave)(HWND dialog);
};

HWND DialogFocus(HWND dialog)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus != nullptr ? info.hwndFocus : dialog;
}

void PostKey(HWND dialog, WPARAM key)
{
    HWND focus = DialogFocus(dialog);
    UINT scanCode = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageW(focus, WM_KEYDOWN, key, 1 | (scanCode << 16));
    PostMessageW(focus, WM_KEYUP, key, 1 | (scanCode << 16) | (3u << 30));
}

const WayOut WaysOut[] = {
    {"the Cancel button", [](HWND dialog) { SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0); }},
    {"WM_COMMAND IDCANCEL", [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }},
    {"WM_COMMAND IDOK", [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); }},
    {"the Escape key", [](HWND dialog) { PostKey(dialog, VK_ESCAPE); }},
    {"the Return key (Cancel is the default button)", [](HWND dialog) { PostKey(dialog, VK_RETURN); }},
    {"the close box", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

HANDLE HeldConfiguration = INVALID_HANDLE_VALUE;

}  // namespace

PLAIN_SCENARIO(OptionsDialogTemplate)
{
    ExpectOptionsTemplate();
}

// ---- no Configuration.dat

static void PrepareOptionsWithoutConfiguration()
{
    WriteSmallDictionaries();
    DeleteRunValues();
    RemoveTestFile(ConfigurationFileName);
}

WINDOW_SCENARIO(OptionsWithoutConfiguration, PrepareOptionsWithoutConfiguration)
{
    HWND dialog = OpenOptionsDialog();
    HWND combo = GetDlgItem(dialog, IDC_OPTIONS_LANGUAGE);
    ok(SendMessageW(combo, CB_GETCOUNT, 0, 0) == 2, "expected two items");
    const wchar_t* items[] = {L"English Italian", L"Italian English"};
    for (int i = 0; i < 2; ++i) {
        std::vector<wchar_t> buffer(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1);
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        ok(std::wstring(buffer.data()) == items[i], "expected item %d \"%s\", got \"%s\"", i,
           Narrow(items[i]).c_str(), Narrow(buffer.data()).c_str());
    }
    ExpectOptions(dialog, {0, false, false}, "without Configuration.dat");
    ok(DialogFocus(dialog) == combo, "expected the focus on the combo box");
    // The controls in their tab order.
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        ids.push_back(static_cast<short>(GetDlgCtrlID(child)));
    }
    ok(ids == std::vector<int>({-1, IDC_OPTIONS_LANGUAGE, -1, IDC_OPTIONS_LOAD_ON_START, IDC_OPTIONS_ALWAYS_ON_TOP,
                                IDCANCEL, IDC_OPTIONS_SAVE}),
       "expected the controls in template order");

    PressDialogButton(dialog, IDCANCEL, "Cancel");
    ExpectConfiguration(std::nullopt, "after Cancel");
    ExpectNoRunValue(HKEY_LOCAL_MACHINE, "after Cancel");

    // Save with nothing chosen creates the file, and an empty Run value.
    dialog = OpenOptionsDialog();
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "Save");
    ExpectConfiguration(AllClear, "after Save");
    ExpectRunValue(HKEY_LOCAL_MACHINE, L"", "after Save with the box clear");
    ExpectNoRunValue(HKEY_CURRENT_USER, "after Save");
    ExpectTopmost(false, "after Save");
    ExpectDirectionShown(0, "after Save");
    ExpectSettingsMap(SettingsOf(AllClear), "after Save");
    DeleteRunValues();
}

// ---- the dialog shows what is stored; Save applies it at once

static void PrepareOptionsSaveAppliesChoices()
{
    PrepareConfiguration("LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nOther=kept\r\n");
}

WINDOW_SCENARIO(OptionsSaveAppliesChoices, PrepareOptionsSaveAppliesChoices)
{
    SendCommand(IDM_ALWAYS_ON_TOP);
    ExpectTopmost(true, "after View > Always on Top");

    HWND dialog = OpenOptionsDialog();
    ExpectOptions(dialog, {0, false, false}, "the stored settings, not the live topmost state");
    ChooseOptions(dialog, {1, true, false});
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "Save");
    ExpectDirectionShown(1, "Save with Italian English");
    ExpectTopmost(false, "Save with Always on Top clear");
    ok(!AlwaysOnTopState, "expected AlwaysOnTopState false after Save");
    ExpectRunValue(HKEY_LOCAL_MACHINE, ModuleFilePath(), "Save with Load on System start");
    constexpr std::string_view Saved = "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n";
    ExpectConfiguration(Saved, "after Save, the other line gone");
    ok(ConfigurationBytes().value_or("").size() == 58, "expected 58 bytes");
    ExpectSettingsMap(SettingsOf(Saved), "after Save, read back");

    dialog = OpenOptionsDialog();
    ExpectOptions(dialog, {1, true, false}, "the next opening");
    ChooseOptions(dialog, {0, false, true});
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "second Save");
    ExpectDirectionShown(0, "second Save");
    ExpectTopmost(true, "second Save with Always on Top");
    ok(AlwaysOnTopState, "expected AlwaysOnTopState true after Save");
    ExpectRunValue(HKEY_LOCAL_MACHINE, L"", "second Save with Load on System start clear");
    constexpr std::string_view SavedAgain = "LoadOnStart=false\r\nAlwaysOnTop=true\r\nDefaultLanguageId=0\r\n";
    ExpectConfiguration(SavedAgain, "after the second Save");

    ExitAndWait();
    ExpectConfiguration(SavedAgain, "after exit");
    DeleteRunValues();
}

// ---- every other way out leaves everything as it was

static void PrepareOptionsWaysOutChangeNothing()
{
    PrepareConfiguration("LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nOther=kept\r\n");
}

WINDOW_SCENARIO(OptionsWaysOutChangeNothing, PrepareOptionsWaysOutChangeNothing)
{
    std::optional<std::string> file = ConfigurationBytes();
    Settings settings = SettingsMapNow();
    RECT before;
    GetWindowRect(MainWindow, &before);
    ExpectRunValue(HKEY_LOCAL_MACHINE, ModuleFilePath(), "start-up with LoadOnStart=true");

    for (const WayOut& way : WaysOut) {
        HWND dialog = OpenOptionsDialog();
        ExpectOptions(dialog, {0, true, false}, way.Name);
        ChooseOptions(dialog, {1, false, true});
        way.Leave(dialog);
        ExpectDialogEnded(dialog, way.Name);
        ExpectConfiguration(*file, way.Name);
        ExpectRunValue(HKEY_LOCAL_MACHINE, ModuleFilePath(), way.Name);
        ExpectDirectionShown(0, way.Name);
        ExpectTopmost(false, way.Name);
        ExpectSettingsMap(settings, way.Name);
        RECT after;
        GetWindowRect(MainWindow, &after);
        ok(EqualRect(&before, &after), "%s: the window moved", way.Name);
    }
    ExitAndWait();
    ExpectConfiguration(*file, "after exit");
    DeleteRunValues();
}

// ---- View > "Always on Top": toggled, never stored

static void PrepareAlwaysOnTopCommandIsNotStored()
{
    PrepareConfiguration("AlwaysOnTop=true\r\nDefaultLanguageId=0\r\n");
}

WINDOW_SCENARIO(AlwaysOnTopCommandIsNotStored, PrepareAlwaysOnTopCommandIsNotStored)
{
    constexpr std::string_view Stored = "AlwaysOnTop=true\r\nDefaultLanguageId=0\r\n";
    WIN32_FILE_ATTRIBUTE_DATA stamp = {};
    GetFileAttributesExW(ConfigurationPath().c_str(), GetFileExInfoStandard, &stamp);
    RECT before;
    GetWindowRect(MainWindow, &before);
    ExpectTopmost(true, "start-up with AlwaysOnTop=true");

    struct Step {
        const char* Name;
        bool Topmost;
    };
    for (Step step : {Step{"command 164 once", false}, Step{"command 164 twice", true},
                      Step{"command 164 three times", false}}) {
        SendCommand(IDM_ALWAYS_ON_TOP);
        ExpectTopmost(step.Topmost, step.Name);
        ok(AlwaysOnTopState == step.Topmost, "%s: expected AlwaysOnTopState %d", step.Name, step.Topmost);
        RECT after;
        GetWindowRect(MainWindow, &after);
        ok(EqualRect(&before, &after), "%s: the window moved or changed its size", step.Name);
        ExpectConfiguration(Stored, step.Name);
    }

    // The dialog still shows the stored setting; Cancel leaves the state off.
    HWND dialog = OpenOptionsDialog();
    ExpectOptions(dialog, {0, false, true}, "after the menu switched the state off");
    PressDialogButton(dialog, IDCANCEL, "Cancel");
    ExpectTopmost(false, "after Cancel");

    WIN32_FILE_ATTRIBUTE_DATA later = {};
    GetFileAttributesExW(ConfigurationPath().c_str(), GetFileExInfoStandard, &later);
    ok(CompareFileTime(&stamp.ftLastWriteTime, &later.ftLastWriteTime) == 0, "expected the file never written");
    ExpectSettingsMap(SettingsOf(Stored), "after the commands");
    ExitAndWait();
    ExpectConfiguration(Stored, "after exit");
    DeleteRunValues();
}

// ---- Save into a file that cannot be replaced

static void PrepareOptionsSaveIntoReadOnlyFile()
{
    PrepareConfiguration("LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nOther=kept\r\n");
    SetConfigurationReadOnly(true);
}

WINDOW_SCENARIO(OptionsSaveIntoReadOnlyFile, PrepareOptionsSaveIntoReadOnlyFile)
{
    constexpr std::string_view Stored =
        "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nOther=kept\r\n";
    HWND dialog = OpenOptionsDialog();
    ChooseOptions(dialog, {1, true, true});
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "Save into a read-only file");
    // The choices are in effect for this run...
    ExpectDirectionShown(1, "Save into a read-only file");
    ExpectTopmost(true, "Save into a read-only file");
    ExpectRunValue(HKEY_LOCAL_MACHINE, ModuleFilePath(), "Save into a read-only file");
    // ...but the file and so the map keep what the file holds.
    ExpectConfiguration(Stored, "Save into a read-only file");
    DWORD attributes = GetFileAttributesW(ConfigurationPath().c_str());
    ok(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0,
       "expected the file still read-only, got attributes %lx", attributes);
    ExpectSettingsMap(SettingsOf(Stored), "Save into a read-only file");
    dialog = OpenOptionsDialog();
    ExpectOptions(dialog, {0, false, false}, "the next opening shows the file");
    PressDialogButton(dialog, IDCANCEL, "Cancel");

    // Another program has the file open, without letting it be replaced.
    SetConfigurationReadOnly(false);
    HeldConfiguration = CreateFileW(ConfigurationPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ok(HeldConfiguration != INVALID_HANDLE_VALUE, "cannot hold Configuration.dat open");
    dialog = OpenOptionsDialog();
    ChooseOptions(dialog, {0, true, false});
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "Save into a file held open");
    ExpectConfiguration(Stored, "Save into a file held open");
    ExpectSettingsMap(SettingsOf(Stored), "Save into a file held open");
    CloseHandle(HeldConfiguration);

    ExitAndWait();
    ExpectConfiguration(Stored, "after exit");
    DeleteRunValues();
}

// ---- a hand-edited direction the dialog cannot show

static void PrepareOptionsWithUnknownDirection()
{
    PrepareConfiguration("DefaultLanguageId=7\r\n");
}

WINDOW_SCENARIO(OptionsWithUnknownDirection, PrepareOptionsWithUnknownDirection)
{
    ExpectDirectionShown(0, "start-up with DefaultLanguageId=7");
    SendCommand(IDM_ITALIAN_ENGLISH);
    ExpectDirectionShown(1, "View > Italian English");

    HWND dialog = OpenOptionsDialog();
    ExpectOptions(dialog, {0, false, false}, "DefaultLanguageId=7");
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "Save");
    ExpectDirectionShown(0, "Save");
    ExpectConfiguration(AllClear, "Save");

    // With no item chosen at all, Save still picks a direction.
    SendCommand(IDM_ITALIAN_ENGLISH);
    dialog = OpenOptionsDialog();
    SendDlgItemMessageW(dialog, IDC_OPTIONS_LANGUAGE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ExpectOptions(dialog, {-1, false, false}, "no item chosen");
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "Save with no item");
    ExpectDirectionShown(0, "Save with no item");
    ExpectConfiguration(AllClear, "Save with no item");
    DeleteRunValues();
}
