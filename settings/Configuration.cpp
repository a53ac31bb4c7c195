#include "settings/Configuration.h"

#include <windows.h>

#include "dictionary/ModuleDirectory.h"

Settings SettingsMap;

namespace {

std::wstring ConfigurationFilePath()
{
    return ModuleDirectory() + L"\\Configuration.dat";
}

std::string ReadWholeFile(HANDLE file)
{
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) {
        bytes.append(chunk, read);
    }
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    BOOL complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    complete = FlushFileBuffers(file) && complete;
    CloseHandle(file);
    return complete != FALSE;
}

}  // namespace

void ReadConfiguration()
{
    // Read access is all that is needed, so a read-only file, or one in a
    // folder the user may not write, still gives its settings.
    HANDLE file = CreateFileW(ConfigurationFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    SettingsMap.clear();
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    std::string bytes = ReadWholeFile(file);
    CloseHandle(file);
    ParseConfiguration(bytes, SettingsMap);
}

void WriteConfiguration()
{
    // The new content goes into a file of its own first, which then takes the
    // old one's place: a failure half-way never leaves a damaged file behind.
    std::wstring path = ConfigurationFilePath();
    std::wstring fresh = path + L".new";
    std::string bytes = FormatConfiguration(SettingsMap);
    if (WriteWholeFile(fresh, bytes)) {
        // A file that cannot be replaced (read-only, locked) keeps what it held.
        if (!MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DeleteFileW(fresh.c_str());
        }
        return;
    }
    // Where no second file can be made (a folder the user may not write), the
    // file itself may still be writable.
    WriteWholeFile(path, bytes);
}

void StoreSetting(std::u16string_view key, std::u16string_view value)
{
    SettingsMap[std::u16string(key)] = std::u16string(value);
}
