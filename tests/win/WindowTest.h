#pragma once
// In-process tests of the real program: each scenario runs in a process of
// its own, from a folder of its own (its articles, its Configuration.dat).
// The program runs on the main thread exactly as it does for a user; the
// scenario drives it from a second thread through messages, in Wine's style.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

void CheckThat(bool condition, const char* file, int line, const char* format, ...)
    __attribute__((format(gnu_printf, 4, 5)));
#define ok(condition, ...) CheckThat((condition), __FILE__, __LINE__, __VA_ARGS__)

struct WindowScenario {
    const char* Name;
    void (*Prepare)();  // before start-up, on the main thread (may be null)
    void (*Drive)();    // on the test thread once start-up is over; should end the program
    bool StartsProgram;
};

struct WindowScenarioRegistration {
    explicit WindowScenarioRegistration(WindowScenario scenario);
};

// A scenario whose Drive runs once the program is up.
#define WINDOW_SCENARIO(name, prepare)                                                  \
    static void name##_Drive();                                                         \
    static WindowScenarioRegistration name##_Registration({#name, prepare, name##_Drive, true}); \
    static void name##_Drive()

// A scenario that does not start the program: it runs on the main thread.
#define PLAIN_SCENARIO(name)                                                            \
    static void name##_Drive();                                                         \
    static WindowScenarioRegistration name##_Registration({#name, nullptr, name##_Drive, false}); \
    static void name##_Drive()

// ---- fixtures, written into the scenario's own folder
std::wstring TestFolder();
void WriteTestFile(std::wstring_view relativePath, std::string_view bytes);
void RemoveTestFile(std::wstring_view relativePath);
// A file's bytes, read while other programs may hold it open; nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
// A plain (decoded) article text, stored as the program expects it.
void WriteArticleFile(int direction, std::u16string_view plainText);
// Records "\r\n|headword|article" for each pair, and a closing "\r\n|": each
// article is then shown followed by one line break, as in the sample files.
std::u16string ArticleTextOf(const std::vector<std::pair<std::u16string, std::u16string>>& records);

// ---- the running program
// Info Message boxes seen and dismissed while waiting for start-up, in order.
extern std::vector<std::wstring> StartupMessages;
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 5000);
// Dismisses the program's "Info Message" boxes as they come, recording their
// texts, until stop() holds; then returns the texts.
std::vector<std::wstring> DismissInfoMessages(const std::function<bool()>& stop, DWORD milliseconds = 5000);
// A visible top-level window of the program, once it is there; null when it
// does not come within the time.
HWND FindProgramWindow(const wchar_t* className, const wchar_t* caption, DWORD milliseconds);
HWND FindProgramDialog(const wchar_t* caption, DWORD milliseconds = 3000);

// Types a word as the combo box reports it: the text, then the edit-change notification.
void TypeWord(int direction, std::wstring_view word);
// Real key messages into the word box's edit field, one character at a time.
void TypeCharacters(int direction, std::wstring_view characters);
std::vector<std::wstring> ListItems(int direction);
std::wstring ArticleViewText(int direction);  // line breaks as "\n"
std::wstring WordBoxText(int direction);
int SelectedTab();
void PostCommand(int command, int code = 0);
void SendCommand(int command, int code = 0);
// File > Exit; the harness checks that the program ends with exit code 0.
void ExitProgram();
// A precise clock, in milliseconds, for timing the program.
double ElapsedMilliseconds();
// Waits until RunApplication has returned (the message loop has ended);
// the time it returned, or -1 when it did not within the time given.
double WaitForProgramEnd(DWORD milliseconds = 10000);

// Gives the keyboard focus to a control of the program (the window comes to
// the front first), as a click into it would.
void FocusControl(HWND control);
// Replaces the clipboard's contents with a text and its terminating zero, or
// (terminated false) a block of exactly the text's code units.
void SetClipboardText(std::wstring_view text, bool terminated = true);
// Real keystrokes into the input stream: the keys pressed in order, then
// released in reverse order.
void PressKeys(std::initializer_list<BYTE> keys);
std::wstring ClipboardText();

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view text);
