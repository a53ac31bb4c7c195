// Start-up with the stored settings: the tab shown first, the topmost state
// and the Run value, each on and off, and the values that must not count.
#include <windows.h>
#include <sddl.h>

#include <vector>

#include "dictionary/ModuleDirectory.h"
#include "settings/AlwaysOnTop.h"
#include "tests/win/SettingsFixtures.h"

namespace {

constexpr wchar_t StalePath[] = L"C:\\Old Place\\Verbola.exe";

// The state of a start that applied no setting.
void ExpectNothingApplied(const char* when)
{
    ExpectDirectionShown(0, when);
    ok(WordBoxText(0) == L"a", "%s: expected \"a\" looked up in direction 0, got \"%s\"", when,
       Narrow(WordBoxText(0)).c_str());
    ExpectTopmost(false, when);
    ok(!AlwaysOnTopState, "%s: expected AlwaysOnTopState false", when);
    ExpectNoRunValue(HKEY_LOCAL_MACHINE, when);
    ExpectNoRunValue(HKEY_CURRENT_USER, when);
}

// Runs a scenario of this program in another folder and returns its exit code.
DWORD RunScenarioFrom(const std::wstring& folder, const wchar_t* scenario)
{
    std::wstring program = folder + L"\\verbola_window_tests.exe";
    ok(CopyFileW(ModuleFilePath().c_str(), program.c_str(), FALSE) != FALSE, "cannot copy the program to %s",
       Narrow(folder).c_str());
    std::wstring commandLine = L"\"" + program + L"\" " + scenario;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::fflush(stdout);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        ok(false, "cannot start %s: error %lu", Narrow(program).c_str(), GetLastError());
        return 1;
    }
    DWORD exitCode = 1;
    ok(WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0, "the scenario in %s did not end",
       Narrow(folder).c_str());
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// ---- the per-machine Run key made unwritable, as for a user without the right

std::vector<BYTE> SavedRunKeySecurity;

void LockMachineRunKey()
{
    HKEY run = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, RunKeyPath, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr, &run, nullptr);
    DWORD size = 0;
    RegGetKeySecurity(run, DACL_SECURITY_INFORMATION, nullptr, &size);
    SavedRunKeySecurity.resize(size);
    LONG saved = RegGetKeySecurity(run, DACL_SECURITY_INFORMATION, SavedRunKeySecurity.data(), &size);
    ok(saved == ERROR_SUCCESS, "cannot read the Run key's security: %ld", saved);
    // Everyone may read the key but neither set a value nor add a key.
    PSECURITY_DESCRIPTOR locked = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x6;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1, &locked,
                                                         nullptr);
    LONG set = RegSetKeySecurity(run, DACL_SECURITY_INFORMATION, locked);
    ok(set == ERROR_SUCCESS, "cannot lock the Run key: %ld", set);
    LocalFree(locked);
    RegCloseKey(run);

    HKEY probe = nullptr;
    LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, RunKeyPath, 0, KEY_SET_VALUE, &probe);
    ok(opened == ERROR_ACCESS_DENIED, "expected the locked Run key to refuse writing, got %ld", opened);
    if (opened == ERROR_SUCCESS) {
        RegCloseKey(probe);
    }
}

void UnlockMachineRunKey()
{
    HKEY run = nullptr;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, RunKeyPath, 0, WRITE_DAC, &run);
    LONG restored = RegSetKeySecurity(run, DACL_SECURITY_INFORMATION, SavedRunKeySecurity.data());
    ok(restored == ERROR_SUCCESS, "cannot restore the Run key's security: %ld", restored);
    RegCloseKey(run);
}

HANDLE HeldConfiguration = INVALID_HANDLE_VALUE;

}  // namespace

// ---- no settings

static void PrepareStartWithoutConfiguration()
{
    WriteSmallDictionaries();
    DeleteRunValues();
    RemoveTestFile(ConfigurationFileName);
}

WINDOW_SCENARIO(StartWithoutConfiguration, PrepareStartWithoutConfiguration)
{
    ok(SettingsMapNow().empty(), "expected no settings, got %s", ShownSettings(SettingsMapNow()).c_str());
    ExpectNothingApplied("without Configuration.dat");
    ExpectConfiguration(std::nullopt, "after start-up");
    ExitAndWait();
    ExpectConfiguration(std::nullopt, "after exit");
    DeleteRunValues();
}

// ---- every setting on

static void PrepareStartWithEverySettingOn()
{
    PrepareConfiguration("LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\n");
    // An earlier installation's value is rewritten; one left under the
    // user's key would start the program twice.
    SetRunValueUnder(HKEY_LOCAL_MACHINE, StalePath);
    SetRunValueUnder(HKEY_CURRENT_USER, StalePath);
}

WINDOW_SCENARIO(StartWithEverySettingOn, PrepareStartWithEverySettingOn)
{
    ExpectDirectionShown(1, "DefaultLanguageId=1");
    ok(WordBoxText(1) == L"a", "expected \"a\" in the Italian English word box, got \"%s\"",
       Narrow(WordBoxText(1)).c_str());
    ok(ArticleViewText(1) == L"to\n", "expected the Italian English article of \"a\", got \"%s\"",
       Narrow(ArticleViewText(1)).c_str());
    ok(WordBoxText(0).empty(), "expected nothing looked up in direction 0, got \"%s\"",
       Narrow(WordBoxText(0)).c_str());

    ExpectTopmost(true, "AlwaysOnTop=true");
    ok(AlwaysOnTopState, "expected AlwaysOnTopState true");

    std::wstring running = ModuleFilePath();
    ok(running.find(L'"') == std::wstring::npos, "the module path has quotes: %s", Narrow(running).c_str());
    ExpectRunValue(HKEY_LOCAL_MACHINE, running, "LoadOnStart=true");
    ExpectRunValue(HKEY_CURRENT_USER, L"", "LoadOnStart=true, the user's old value");

    ExpectConfiguration("LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\n", "after start-up");
    ExitAndWait();
    ExpectConfiguration("LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\n", "after exit");
    DeleteRunValues();
}

// The Run value holds the bare path, blanks and all, of wherever the
// program runs from.
PLAIN_SCENARIO(StartFromFolderWithBlanks)
{
    std::wstring folder = TestFolder() + L"\\Program Folder With Blanks";
    CreateDirectoryW(folder.c_str(), nullptr);
    DWORD exitCode = RunScenarioFrom(folder, L"StartWithEverySettingOn");
    ok(exitCode == 0, "expected StartWithEverySettingOn to pass from \"%s\", got exit code %lu",
       Narrow(folder).c_str(), exitCode);
    ExpectNoRunValue(HKEY_LOCAL_MACHINE, "after the scenario");
    DeleteRunValues();
}

// ---- values that do not count

static void PrepareStartWithCapitalisedTrue()
{
    PrepareConfiguration("LoadOnStart=TRUE\r\nAlwaysOnTop=True\r\nDefaultLanguageId=x1\r\n");
}

WINDOW_SCENARIO(StartWithCapitalisedTrue, PrepareStartWithCapitalisedTrue)
{
    ExpectNothingApplied("TRUE, True, x1");
    DeleteRunValues();
}

static void PrepareStartWithBlankBeforeTrue()
{
    PrepareConfiguration("LoadOnStart= true\r\nAlwaysOnTop= true\r\nDefaultLanguageId=2\r\n");
}

WINDOW_SCENARIO(StartWithBlankBeforeTrue, PrepareStartWithBlankBeforeTrue)
{
    ExpectNothingApplied("\" true\", DefaultLanguageId=2");
    DeleteRunValues();
}

static void PrepareStartWithInexactKeys()
{
    PrepareConfiguration("alwaysontop=true\r\nAlwaysOnTop =true\r\n LoadOnStart=true\r\nDefaultLanguageId =1\r\n"
                         "DefaultLanguageId=-1\r\n");
}

WINDOW_SCENARIO(StartWithInexactKeys, PrepareStartWithInexactKeys)
{
    ExpectNothingApplied("keys in other case or with blanks");
    DeleteRunValues();
}

// ---- values that do count

static void PrepareStartWithTextAfterTrue()
{
    // LF line ends, a later line with the same key, "=" in a value.
    PrepareConfiguration("AlwaysOnTop=true x\nLoadOnStart=true=x\nDefaultLanguageId= 1st\nAlwaysOnTop=false\n");
}

WINDOW_SCENARIO(StartWithTextAfterTrue, PrepareStartWithTextAfterTrue)
{
    ExpectDirectionShown(1, "DefaultLanguageId= 1st");
    ExpectTopmost(true, "AlwaysOnTop=true x");
    ExpectRunValue(HKEY_LOCAL_MACHINE, ModuleFilePath(), "LoadOnStart=true=x");
    DeleteRunValues();
}

// ---- a configuration the program may not write

static void PrepareStartWithReadOnlyConfiguration()
{
    PrepareConfiguration("AlwaysOnTop=true\r\nDefaultLanguageId=1\r\n");
    SetConfigurationReadOnly(true);
}

WINDOW_SCENARIO(StartWithReadOnlyConfiguration, PrepareStartWithReadOnlyConfiguration)
{
    ExpectDirectionShown(1, "read-only DefaultLanguageId=1");
    ExpectTopmost(true, "read-only AlwaysOnTop=true");
    ExitAndWait();
    ExpectConfiguration("AlwaysOnTop=true\r\nDefaultLanguageId=1\r\n", "after exit");
    DWORD attributes = GetFileAttributesW(ConfigurationPath().c_str());
    ok(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0,
       "expected the file still read-only, got attributes %lx", attributes);
    SetConfigurationReadOnly(false);
    DeleteRunValues();
}

// Another program has the file open and lets others only read it.
static void PrepareStartWithConfigurationHeldByAnotherProgram()
{
    PrepareConfiguration("AlwaysOnTop=true\r\nDefaultLanguageId=1\r\n");
    HeldConfiguration = CreateFileW(ConfigurationPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ok(HeldConfiguration != INVALID_HANDLE_VALUE, "cannot hold Configuration.dat open");
}

WINDOW_SCENARIO(StartWithConfigurationHeldByAnotherProgram, PrepareStartWithConfigurationHeldByAnotherProgram)
{
    ExpectDirectionShown(1, "held open, DefaultLanguageId=1");
    ExpectTopmost(true, "held open, AlwaysOnTop=true");
    CloseHandle(HeldConfiguration);
    DeleteRunValues();
}

// ---- start with Windows for a user who may not write the per-machine key

static void PrepareLoadOnStartFallsBackToUserKey()
{
    PrepareConfiguration("LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n");
    LockMachineRunKey();
}

WINDOW_SCENARIO(LoadOnStartFallsBackToUserKey, PrepareLoadOnStartFallsBackToUserKey)
{
    ExpectNoRunValue(HKEY_LOCAL_MACHINE, "start-up with the machine's key locked");
    ExpectRunValue(HKEY_CURRENT_USER, ModuleFilePath(), "start-up with the machine's key locked");

    // Switching off clears the value where it was written.
    HWND dialog = OpenOptionsDialog();
    ExpectOptions(dialog, {0, true, false}, "the dialog");
    ChooseOptions(dialog, {0, false, false});
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "Save");
    ExpectNoRunValue(HKEY_LOCAL_MACHINE, "Save with the box clear");
    ExpectRunValue(HKEY_CURRENT_USER, L"", "Save with the box clear");

    // And on again, once more under the user's key.
    dialog = OpenOptionsDialog();
    ChooseOptions(dialog, {0, true, false});
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "Save");
    ExpectNoRunValue(HKEY_LOCAL_MACHINE, "Save with the box ticked");
    ExpectRunValue(HKEY_CURRENT_USER, ModuleFilePath(), "Save with the box ticked");

    UnlockMachineRunKey();
    // Once the machine's key may be written, the user's value is emptied so
    // that the program is not started twice.
    dialog = OpenOptionsDialog();
    PressDialogButton(dialog, IDC_OPTIONS_SAVE, "Save, the key unlocked");
    ExpectRunValue(HKEY_LOCAL_MACHINE, ModuleFilePath(), "Save, the key unlocked");
    ExpectRunValue(HKEY_CURRENT_USER, L"", "Save, the key unlocked");
    DeleteRunValues();
}
