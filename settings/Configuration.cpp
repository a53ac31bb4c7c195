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

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    return FlushFileBuffers(file) && complete;
}

HANDLE CreateForWriting(const std::wstring& path)
{
    return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A read-only file keeps what it holds. Not every file system makes the
// move below refuse to replace one, so the attribute is asked first.
bool MayReplace(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ||
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
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
    std::wstring path = ConfigurationFilePath();
    if (!MayReplace(path)) {
        return;
    }
    // The new content goes into a file of its own first, which then takes the
    // old one's place: a failure half-way never leaves a damaged file behind.
    std::string bytes = FormatConfiguration(SettingsMap);
    std::wstring fresh = path + L".new";
    HANDLE file = CreateForWriting(fresh);
    if (file == INVALID_HANDLE_VALUE) {
        // Where no second file can be made (a folder the user may not write),
        // the file itself may still be writable.
        file = CreateForWriting(path);
        if (file != INVALID_HANDLE_VALUE) {
            WriteAll(file, bytes);
            CloseHandle(file);
        }
        return;
    }
    bool complete = WriteAll(file, bytes);
    CloseHandle(file);
    // A file that cannot be replaced (locked by another program) keeps what it held.
    if (!complete || !MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(fresh.c_str());
    }
}

void StoreSetting(std::u16string_view key, std::u16string_view value)
{
    SettingsMap[std::u16string(key)] = std::u16string(value);
}
