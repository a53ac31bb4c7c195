#include "tests/win/ShellRecorder.h"

#include <cwchar>

#include "dictionary/ModuleDirectory.h"
#include "tests/win/WindowTest.h"

namespace {

constexpr wchar_t RecordSwitch[] = L"--record";
constexpr wchar_t SystemInfoToolName[] = L"msinfo32.exe";
// What a fresh Wine prefix has as the handler of web addresses and .html files.
constexpr wchar_t WineBrowserCommand[] = L"\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"";

std::wstring FileNameOf(const std::wstring& path)
{
    return path.substr(path.rfind(L'\\') + 1);
}

// One line per start: the show command, then each argument, tab-separated.
void AppendStart(const std::wstring& recordFile, int argc, wchar_t** argv, int firstArgument)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
    std::wstring line = std::to_wstring(show);
    for (int i = firstArgument; i < argc; ++i) {
        line += L'\t';
        line += argv[i];
    }
    line += L'\n';
    std::string bytes = Narrow(line);
    // Starts may overlap: each appends its line with one write.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE file = CreateFileW(recordFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            CloseHandle(file);
            return;
        }
        Sleep(20);
    }
}

std::vector<RecordedStart> ReadStarts(const std::wstring& recordFile)
{
    std::vector<RecordedStart> starts;
    std::optional<std::string> bytes = ReadFileBytes(recordFile);
    if (!bytes) {
        return starts;
    }
    std::wstring text = Widen(*bytes);
    std::size_t begin = 0;
    std::size_t end;
    // Only whole lines: a start still writing is counted once it has finished.
    while ((end = text.find(L'\n', begin)) != std::wstring::npos) {
        std::wstring line = text.substr(begin, end - begin);
        begin = end + 1;
        RecordedStart start = {_wtoi(line.c_str()), {}};
        std::size_t tab = line.find(L'\t');
        while (tab != std::wstring::npos) {
            std::size_t next = line.find(L'\t', tab + 1);
            start.Arguments.push_back(line.substr(tab + 1, next == std::wstring::npos ? next : next - tab - 1));
            tab = next;
        }
        starts.push_back(start);
    }
    return starts;
}

struct SavedHandler {
    std::wstring CommandKey;   // below HKEY_CLASSES_ROOT
    std::wstring CreatedKey;   // the first key of the path we created, or empty
    bool HadValue;
    std::wstring Value;
};

std::vector<SavedHandler> SavedHandlers;

// ---- the system information tool

constexpr wchar_t SavedToolSuffix[] = L".verbola-saved";
constexpr wchar_t RecordFileVariable[] = L"VERBOLA_RECORD_FILE";
constexpr wchar_t DllOverridesKey[] = L"Software\\Wine\\DllOverrides";

struct {
    bool Present;
    std::wstring Value;
} SavedOverride;

std::wstring SystemInfoToolPath()
{
    std::wstring folder(MAX_PATH, L'\0');
    folder.resize(GetSystemDirectoryW(folder.data(), MAX_PATH));
    return folder + L"\\" + SystemInfoToolName;
}

bool ReadOverride(std::wstring& value)
{
    wchar_t text[64] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, DllOverridesKey, SystemInfoToolName, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    value = text;
    return true;
}

void WriteOverride(const std::wstring& value)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, DllOverridesKey, SystemInfoToolName, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// Puts the system's tool back in its place. Also mends what a run that was
// cut off left behind: the recorder in its place and its override.
void RestoreSystemInfoTool()
{
    std::wstring tool = SystemInfoToolPath();
    std::wstring saved = tool + SavedToolSuffix;
    if (GetFileAttributesW(saved.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    // A recorder that is still running may hold its file a moment.
    ok(WaitFor([&] { return MoveFileExW(saved.c_str(), tool.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE; }),
       "cannot put the system's %s back", Narrow(tool).c_str());
    std::wstring value;
    if (ReadOverride(value) && value == L"native" && !SavedOverride.Present) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, DllOverridesKey, SystemInfoToolName);
    }
}

bool KeyExists(const std::wstring& path)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

bool ReadDefaultValue(const std::wstring& path, std::wstring& value)
{
    DWORD size = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    value.assign(size / sizeof(wchar_t), L'\0');
    RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value.data(), &size);
    value.resize(wcsnlen(value.c_str(), value.size()));
    return true;
}

void WriteDefaultValue(const std::wstring& path, const std::wstring& value)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
}

}  // namespace

bool RunAsShellRecorder(int argc, wchar_t** argv)
{
    if (argc >= 3 && std::wstring(argv[1]) == RecordSwitch) {
        AppendStart(argv[2], argc, argv, 3);
        return true;
    }
    if (_wcsicmp(FileNameOf(ModuleFilePath()).c_str(), SystemInfoToolName) == 0) {
        std::wstring records(MAX_PATH * 4, L'\0');
        records.resize(GetEnvironmentVariableW(RecordFileVariable, records.data(), MAX_PATH * 4));
        if (!records.empty()) {
            AppendStart(records, argc, argv, 1);
        }
        return true;
    }
    return false;
}

std::vector<RecordedStart> WaitForRecordedStarts(const std::wstring& recordFile, std::size_t count,
                                                 DWORD milliseconds)
{
    WaitFor([&] { return ReadStarts(recordFile).size() >= count; }, milliseconds);
    Sleep(300);
    return ReadStarts(recordFile);
}

void RegisterRecordingHandlers(const std::vector<std::wstring>& names, const std::wstring& recordFile)
{
    std::wstring command = L"\"" + ModuleFilePath() + L"\" " + RecordSwitch + L" \"" + recordFile + L"\" \"%1\"";
    for (const std::wstring& name : names) {
        SavedHandler saved = {name + L"\\shell\\open\\command", {}, false, {}};
        for (const wchar_t* part : {L"", L"\\shell", L"\\shell\\open", L"\\shell\\open\\command"}) {
            if (!KeyExists(name + part)) {
                saved.CreatedKey = name + part;
                break;
            }
        }
        saved.HadValue = ReadDefaultValue(saved.CommandKey, saved.Value);
        // A run that was cut off left its recorder behind: the prefix's own
        // handler is what belongs there.
        if (saved.HadValue && saved.Value.find(RecordSwitch) != std::wstring::npos) {
            saved.Value = WineBrowserCommand;
        }
        SavedHandlers.push_back(saved);
        WriteDefaultValue(saved.CommandKey, command);
    }
}

void RestoreShellHandlers()
{
    for (const SavedHandler& saved : SavedHandlers) {
        std::wstring value;
        if (!saved.CreatedKey.empty()) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, saved.CreatedKey.c_str());
            ok(!KeyExists(saved.CreatedKey), "cannot remove HKCR\\%s", Narrow(saved.CreatedKey).c_str());
        } else if (saved.HadValue) {
            WriteDefaultValue(saved.CommandKey, saved.Value);
            ok(ReadDefaultValue(saved.CommandKey, value) && value == saved.Value, "cannot restore HKCR\\%s",
               Narrow(saved.CommandKey).c_str());
        } else {
            RegDeleteKeyValueW(HKEY_CLASSES_ROOT, saved.CommandKey.c_str(), nullptr);
            ok(!ReadDefaultValue(saved.CommandKey, value), "cannot restore HKCR\\%s",
               Narrow(saved.CommandKey).c_str());
        }
    }
    SavedHandlers.clear();
}

std::wstring InstallSystemInfoRecorder()
{
    RestoreSystemInfoTool();
    SavedOverride.Present = ReadOverride(SavedOverride.Value);
    std::wstring tool = SystemInfoToolPath();
    ok(MoveFileExW(tool.c_str(), (tool + SavedToolSuffix).c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE,
       "cannot set the system's %s aside", Narrow(tool).c_str());
    ok(CopyFileW(ModuleFilePath().c_str(), tool.c_str(), FALSE) != FALSE, "cannot copy the recorder to %s",
       Narrow(tool).c_str());
    // Wine would otherwise run its built-in tool whatever file is there.
    WriteOverride(L"native");
    std::wstring records = TestFolder() + L"\\msinfo32-starts.txt";
    SetEnvironmentVariableW(RecordFileVariable, records.c_str());
    return records;
}

void RemoveSystemInfoRecorder()
{
    SetEnvironmentVariableW(RecordFileVariable, nullptr);
    RestoreSystemInfoTool();
    if (SavedOverride.Present) {
        WriteOverride(SavedOverride.Value);
    } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, DllOverridesKey, SystemInfoToolName);
    }
    std::wstring value;
    ok(ReadOverride(value) == SavedOverride.Present && (!SavedOverride.Present || value == SavedOverride.Value),
       "cannot restore the DLL override of %s", Narrow(SystemInfoToolName).c_str());
}

std::string Describe(const std::vector<RecordedStart>& starts)
{
    std::wstring text;
    for (const RecordedStart& start : starts) {
        text += L"[show " + std::to_wstring(start.ShowCommand);
        for (const std::wstring& argument : start.Arguments) {
            text += L" \"" + argument + L"\"";
        }
        text += L"]";
    }
    return Narrow(text.empty() ? L"nothing" : text);
}
