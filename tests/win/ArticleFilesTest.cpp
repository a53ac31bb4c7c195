#include "tests/win/WindowTest.h"

#include <commctrl.h>
#include <winternl.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/WideText.h"
#include "dictionary/ArticleCoding.h"
#include "dictionary/ArticlePaths.h"
#include "dictionary/ModuleDirectory.h"
#include "res/ResourceIds.h"
#include "vendor/VendorHost.h"

namespace {

std::wstring MissingMessage()
{
    return L"Dictionary article file not found, please try reinstall application or download latest version from " +
           std::wstring(AsWide(VendorBaseUrl()));
}

std::wstring SizeUnknownMessage()
{
    return L"Dictionary article file not found, please try reinstall application or download latest version " +
           std::wstring(AsWide(VendorBaseUrl()));
}

std::wstring ArticleFile(int direction)
{
    return std::wstring(AsWide(ArticleFileRelativePath(direction).substr(1)));
}

std::wstring ArticlePath(int direction)
{
    return TestFolder() + L"\\" + ArticleFile(direction);
}

void WriteDictionary(int direction)
{
    if (direction == 0) {
        WriteArticleFile(0, ArticleTextOf({{u"a", u"one"}, {u"house", u"casa"}}));
    } else {
        WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}, {u"casa", u"house"}}));
    }
}

void WriteEmptyFile(int direction)
{
    WriteTestFile(ArticleFile(direction), "");
}

// Sizes are 32-bit: a file of 4 GiB or more is one whose size cannot be read.
// Sparse, so it costs no disk space.
void WriteHugeFile(int direction)
{
    WriteEmptyFile(direction);
    HANDLE file = CreateFileW(ArticlePath(direction).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 5LL << 30;
    ok(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file), "cannot make a file of 5 GiB");
    CloseHandle(file);
}

// The program holds no handle on a file any more: nobody else could open it alone.
bool FileIsClosed(const std::wstring& path)
{
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

void CheckFilesClosed()
{
    for (int d = 0; d < 2; ++d) {
        ok(FileIsClosed(ArticlePath(d)), "expected the article file of direction %d closed", d);
    }
}

std::string Joined(const std::vector<std::wstring>& texts)
{
    std::string joined;
    for (const std::wstring& text : texts) {
        joined += "\n    \"" + Narrow(text) + "\"";
    }
    return joined.empty() ? " none" : joined;
}

void CheckMessages(const char* when, const std::vector<std::wstring>& got, const std::vector<std::wstring>& expected)
{
    ok(got == expected, "%s: expected the messages%s\n  got%s", when, Joined(expected).c_str(), Joined(got).c_str());
}

// Runs a look-up on a thread of its own, so that this one can answer the
// message boxes it shows; returns their texts.
std::vector<std::wstring> MessagesOf(void (*lookUp)())
{
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            reinterpret_cast<void (*)()>(parameter)();
            return 0;
        },
        reinterpret_cast<LPVOID>(lookUp), 0, nullptr);
    std::vector<std::wstring> texts =
        DismissInfoMessages([thread] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
    ok(WaitForSingleObject(thread, 0) == WAIT_OBJECT_0, "the look-up did not end");
    CloseHandle(thread);
    return texts;
}

// Without a dictionary every look-up reports the missing file twice, once
// for the list and once for the article, and changes nothing else.
void CheckLoadFailed(const std::vector<std::wstring>& atStart)
{
    CheckMessages("at start", StartupMessages, atStart);
    CheckFilesClosed();
    ok(WordBoxText(0) == L"a", "expected \"a\" in the word box, got \"%s\"", Narrow(WordBoxText(0)).c_str());

    CheckMessages("typing \"house\"", MessagesOf([] { TypeWord(0, L"house"); }),
                  {MissingMessage(), MissingMessage()});
    ok(ListItems(0).empty() && ArticleViewText(0).empty(), "expected no list and no article");
    CheckMessages("a key in the word box", MessagesOf([] { TypeCharacters(0, L"s"); }),
                  {MissingMessage(), MissingMessage()});
    ok(WordBoxText(0).size() == 6, "expected the typed key kept, got \"%s\"", Narrow(WordBoxText(0)).c_str());

    SendCommand(IDM_ITALIAN_ENGLISH);
    CheckMessages("typing in direction 1", MessagesOf([] { TypeWord(1, L"casa"); }),
                  {MissingMessage(), MissingMessage()});
    ok(ListItems(1).empty() && ArticleViewText(1).empty(), "direction 1: expected no list and no article");
    ExitProgram();
}

// Each row of the load failures in a process of its own.
#define LOAD_FAILURE_SCENARIO(name, ...)              \
    static void name##_Prepare();                     \
    WINDOW_SCENARIO(name, name##_Prepare)             \
    {                                                 \
        CheckLoadFailed(__VA_ARGS__);                 \
    }                                                 \
    static void name##_Prepare()

}  // namespace

WINDOW_SCENARIO(BothArticleFilesLoad, [] {
    WriteDictionary(0);
    WriteDictionary(1);
})
{
    CheckMessages("at start", StartupMessages, {});
    CheckFilesClosed();
    ok(ArticleViewText(0) == L"one\n", "expected the article of \"a\", got \"%s\"", Narrow(ArticleViewText(0)).c_str());
    TypeWord(0, L"house");
    ok(ArticleViewText(0) == L"casa\n", "direction 0: expected \"casa\", got \"%s\"", Narrow(ArticleViewText(0)).c_str());
    SendCommand(IDM_ITALIAN_ENGLISH);
    TypeWord(1, L"casa");
    ok(ArticleViewText(1) == L"house\n", "direction 1: expected \"house\", got \"%s\"",
       Narrow(ArticleViewText(1)).c_str());
    ExitProgram();
}

LOAD_FAILURE_SCENARIO(FirstArticleFileMissing, {MissingMessage(), MissingMessage(), MissingMessage()})
{
    WriteDictionary(1);
}

// One message at load, not two: the second file is not even tried.
LOAD_FAILURE_SCENARIO(BothArticleFilesMissing, {MissingMessage(), MissingMessage(), MissingMessage()}) {}

LOAD_FAILURE_SCENARIO(SecondArticleFileMissing, {MissingMessage(), MissingMessage(), MissingMessage()})
{
    WriteDictionary(0);
}

LOAD_FAILURE_SCENARIO(FirstArticleFileEmpty, {MissingMessage(), MissingMessage()})
{
    WriteEmptyFile(0);
    WriteDictionary(1);
}

LOAD_FAILURE_SCENARIO(SecondArticleFileEmpty, {MissingMessage(), MissingMessage()})
{
    WriteDictionary(0);
    WriteEmptyFile(1);
}

LOAD_FAILURE_SCENARIO(FirstArticleFileSizeUnknown, {MissingMessage(), MissingMessage(), MissingMessage()})
{
    WriteHugeFile(0);
    WriteDictionary(1);
}

LOAD_FAILURE_SCENARIO(SecondArticleFileSizeUnknown, {SizeUnknownMessage(), MissingMessage(), MissingMessage()})
{
    WriteDictionary(0);
    WriteHugeFile(1);
}

// "\r\n|a|one\r\n|b|two" and the low byte of a bar: a trailing half code unit.
WINDOW_SCENARIO(OddSizedArticleFile, [] {
    std::u16string plain = u"\r\n|a|one\r\n|b|two";
    std::string bytes(reinterpret_cast<const char*>(plain.data()), plain.size() * sizeof(char16_t));
    bytes += '|';
    EncodeArticleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    WriteTestFile(ArticleFile(0), bytes);
    WriteDictionary(1);
})
{
    CheckMessages("at start", StartupMessages, {});
    CheckFilesClosed();
    ok(ArticleViewText(0) == L"one\n", "expected the article of \"a\", got \"%s\"", Narrow(ArticleViewText(0)).c_str());
    // The half unit is dropped: it does not close the last article.
    TypeWord(0, L"b");
    ok(ArticleViewText(0).empty(), "expected no article for \"b\", got \"%s\"", Narrow(ArticleViewText(0)).c_str());
    ok(ListItems(0).empty(), "expected no list for \"b\"");
    TypeWord(0, L"a");
    ok(ArticleViewText(0) == L"one\n", "expected the article of \"a\" again, got \"%s\"",
       Narrow(ArticleViewText(0)).c_str());
    ExitProgram();
}

// The program in a folder whose path is far longer than 520 characters.
// Programs cannot be started from there (CreateProcessW takes at most
// MAX_PATH characters), so the loader's record of this program is pointed
// at a file in that folder: the path the program asks for is then the long one.
void MoveProgramIntoLongFolder()
{
    std::wstring folder = ModuleDirectory();
    for (int level = 0; level < 3; ++level) {
        folder += L"\\" + std::wstring(200, static_cast<wchar_t>(L'k' + level));
        ok(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr), "cannot create a folder of %zu characters",
           folder.size());
    }
    static std::wstring programPath;
    programPath = folder + L"\\verbola_window_tests.exe";
    HMODULE program = GetModuleHandleW(nullptr);
    auto currentPeb = reinterpret_cast<PEB* (WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetCurrentPeb")));
    LIST_ENTRY* modules = &currentPeb()->Ldr->InMemoryOrderModuleList;
    for (LIST_ENTRY* link = modules->Flink; link != modules; link = link->Flink) {
        auto* entry = CONTAINING_RECORD(link, LDR_DATA_TABLE_ENTRY, InMemoryOrderLinks);
        if (entry->DllBase == program) {
            entry->FullDllName.Buffer = programPath.data();
            entry->FullDllName.Length = static_cast<USHORT>(programPath.size() * sizeof(wchar_t));
            entry->FullDllName.MaximumLength = entry->FullDllName.Length;
        }
    }
    ok(ModuleFilePath() == programPath, "expected the module path moved, got %zu characters", ModuleFilePath().size());
    WriteDictionary(0);
    WriteDictionary(1);
}

WINDOW_SCENARIO(LongProgramFolder, MoveProgramIntoLongFolder)
{
    ok(ModuleDirectory().size() > 600, "expected a program folder over 600 characters, got %zu",
       ModuleDirectory().size());
    ok(GetFileAttributesW(ArticlePath(0).c_str()) != INVALID_FILE_ATTRIBUTES, "expected the articles in the long folder");
    CheckMessages("at start", StartupMessages, {});
    CheckFilesClosed();
    ok(ArticleViewText(0) == L"one\n", "expected the article of \"a\", got \"%s\"", Narrow(ArticleViewText(0)).c_str());
    TypeWord(0, L"house");
    ok(ArticleViewText(0) == L"casa\n", "expected \"casa\", got \"%s\"", Narrow(ArticleViewText(0)).c_str());
    ExitProgram();
}
