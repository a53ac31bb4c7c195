// The Help commands hand the help file and the vendor's pages to the shell.
// The shell's handlers for web addresses and .html files are, for the test,
// the recorder: what it receives is exactly what the program handed over.
#include "tests/win/WindowTest.h"

#include <commctrl.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "res/ResourceIds.h"
#include "tests/win/ShellRecorder.h"
#include "tests/win/VendorFixtures.h"
#include "vendor/VendorLinks.h"

namespace {

int ExpectedDays = 0;

std::wstring ShellRecordFile()
{
    return TestFolder() + L"\\shell-starts.txt";
}

void PrepareHelpAYearOld()
{
    WriteSmallDictionaries();
    WriteTestFile(L"Help\\Help.EN.html", "<!DOCTYPE html><title>Help</title>");
    ExpectedDays = DateScenarioFolder(-1);
}

void PrepareNoHelpFolderFromTheFuture()
{
    WriteSmallDictionaries();
    ExpectedDays = DateScenarioFolder(2);
}

// The toolbar's last button, Help: a separator before it has its command too.
constexpr int HelpButtonPosition = 9;

void ClickToolbarButton(int position)
{
    RECT box = {};
    SendMessageW(Toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&box));
    LPARAM centre = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    PostMessageW(Toolbar, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(Toolbar, WM_LBUTTONUP, 0, centre);
}

// Runs one command and checks that the shell received exactly one start,
// with the expected text in place of "%1" and the show command SW_SHOWNORMAL.
void CheckShellStart(const char* what, const std::function<void()>& command, const std::wstring& expected,
                     std::size_t& seen)
{
    command();
    std::vector<RecordedStart> starts = WaitForRecordedStarts(ShellRecordFile(), seen + 1);
    ok(starts.size() == seen + 1, "%s: expected one more start of the handler, got %s", what,
       Describe(starts).c_str());
    if (starts.size() == seen + 1) {
        const RecordedStart& start = starts.back();
        ok(start.Arguments.size() == 1 && start.Arguments[0] == expected, "%s: expected \"%s\", got %s", what,
           Narrow(expected).c_str(), Describe({start}).c_str());
        ok(start.ShowCommand == SW_SHOWNORMAL, "%s: expected show command %d, got %d", what, SW_SHOWNORMAL,
           start.ShowCommand);
    }
    seen = starts.size();
}

}  // namespace

WINDOW_SCENARIO(HelpCommandsOpenTheHelpFileAndTheVendorPages, PrepareHelpAYearOld)
{
    std::wstring helpFile = TestFolder() + L"\\Help\\Help.EN.html";
    ok(HelpFilePath() == helpFile, "expected the help file at %s, got %s", Narrow(helpFile).c_str(),
       Narrow(HelpFilePath()).c_str());

    RegisterRecordingHandlers({L"http", L"htmlfile"}, ShellRecordFile());
    std::size_t seen = 0;
    CheckShellStart("Help > Search", [] { SendCommand(IDM_HELP_SEARCH); }, helpFile, seen);
    CheckShellStart("Help > Contents", [] { SendCommand(IDM_HELP_CONTENTS); }, helpFile, seen);
    CheckShellStart("the toolbar's Help command", [] { SendCommand(IDM_TOOLBAR_HELP); }, helpFile, seen);
    CheckShellStart("a click on the toolbar's Help button", [] { ClickToolbarButton(HelpButtonPosition); }, helpFile,
                    seen);
    // The blank of the version label goes out as it is, the count last.
    CheckShellStart("Check for Updates", [] { SendCommand(IDM_CHECK_FOR_UPDATES); },
                    ExpectedUpdateUrl + Days(ExpectedDays), seen);
    CheckShellStart("Technical Support", [] { SendCommand(IDM_TECHNICAL_SUPPORT); },
                    ExpectedSupportUrl + Days(ExpectedDays), seen);
    // Every command opens its page anew, with the suffix still once.
    CheckShellStart("Check for Updates again", [] { SendCommand(IDM_CHECK_FOR_UPDATES); },
                    ExpectedUpdateUrl + Days(ExpectedDays), seen);
    RestoreShellHandlers();
    ok(ExpectedDays >= 365, "a folder a year old counts at least 365 days, expected %d", ExpectedDays);
    ok(IsWindowVisible(MainWindow) && IsWindowEnabled(MainWindow), "the window stays as it was");
    ExitProgram();
}

// A missing help file is not reported: the shell is asked, and nothing opens.
// A clock behind the folder's date gives a negative count.
WINDOW_SCENARIO(MissingHelpFileOpensNothingAndCountsGoNegative, PrepareNoHelpFolderFromTheFuture)
{
    RegisterRecordingHandlers({L"http", L"htmlfile"}, ShellRecordFile());
    SendCommand(IDM_HELP_CONTENTS);
    SendCommand(IDM_HELP_SEARCH);
    std::vector<RecordedStart> starts = WaitForRecordedStarts(ShellRecordFile(), 1, 1500);
    ok(starts.empty(), "expected nothing opened for a missing help file, got %s", Describe(starts).c_str());
    std::vector<std::wstring> messages = DismissInfoMessages([] { return false; }, 500);
    ok(messages.empty(), "expected no message, got %zu", messages.size());
    std::size_t seen = 0;
    CheckShellStart("Technical Support", [] { SendCommand(IDM_TECHNICAL_SUPPORT); },
                    ExpectedSupportUrl + Days(ExpectedDays), seen);
    RestoreShellHandlers();
    ok(ExpectedDays <= -730, "a folder dated two years ahead counts at most -730 days, expected %d", ExpectedDays);
    ExitProgram();
}
