#pragma once
// Stand-ins for the programs the shell starts on the program's behalf (the
// web browser, the program for .html files, the system information tool):
// the test executable itself, started by the shell, records how it was
// started and ends at once.
#include <windows.h>

#include <string>
#include <vector>

// Called first by wmain: true when this process is a recorder (it has then
// recorded its start and should end with exit code 0).
bool RunAsShellRecorder(int argc, wchar_t** argv);

// One start of a recorder: the show command it was given, and its arguments
// (for a registered handler, the text the shell put in place of "%1").
struct RecordedStart {
    int ShowCommand;
    std::vector<std::wstring> Arguments;
};

// Waits until the record file holds `count` starts, then a little longer so
// that an unexpected extra start shows too, and returns them all.
std::vector<RecordedStart> WaitForRecordedStarts(const std::wstring& recordFile, std::size_t count,
                                                 DWORD milliseconds = 10000);

// Makes the recorder the "open" command of HKEY_CLASSES_ROOT\<name> for each
// name (http, htmlfile...), recording into recordFile, until
// RestoreShellHandlers puts back what was there.
void RegisterRecordingHandlers(const std::vector<std::wstring>& names, const std::wstring& recordFile);
void RestoreShellHandlers();

// Puts a recorder in the place of the system information tool,
// system32\msinfo32.exe (the system's own set aside, and Wine told to run
// the file there rather than its built-in tool). It records into the file
// returned, in the scenario folder. RemoveSystemInfoRecorder puts everything
// back; a run that was cut off is mended by the next one.
std::wstring InstallSystemInfoRecorder();
void RemoveSystemInfoRecorder();

// "a<TAB>b" for the messages of the checks.
std::string Describe(const std::vector<RecordedStart>& starts);
