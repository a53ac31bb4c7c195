#pragma once
// What the vendor tests share: small dictionaries, a dated scenario folder
// and the texts the program must compose from them.
#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/win/WindowTest.h"

// Two tiny article files, so that start-up shows no message.
inline void WriteSmallDictionaries()
{
    WriteArticleFile(0, ArticleTextOf({{u"a", u"one"}, {u"house", u"casa"}}));
    WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}, {u"casa", u"house"}}));
}

// Gives the scenario folder a creation instant (UTC). Call it last in a
// Prepare function: every file written into the folder changes the date
// Wine reports as its creation.
inline void SetScenarioFolderCreation(const SYSTEMTIME& utc)
{
    FILETIME stamp;
    SystemTimeToFileTime(&utc, &stamp);
    HANDLE folder = CreateFileW(TestFolder().c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    // Wine reports a folder's last change as its creation: set both.
    ok(SetFileTime(folder, &stamp, nullptr, &stamp) != FALSE, "cannot date the scenario folder");
    CloseHandle(folder);
}

// Dates the scenario folder `years` years away from today's local date, on
// the same month, at noon UTC (the day of the month at most 28, so that the
// date exists in every year), and returns the day count the program must
// derive from it: 365 a year apart, plus the days the 28 cut off.
inline int DateScenarioFolder(int years)
{
    SYSTEMTIME today;
    GetLocalTime(&today);
    SYSTEMTIME created = {};
    created.wYear = static_cast<WORD>(today.wYear + years);
    created.wMonth = today.wMonth;
    created.wDay = std::min<WORD>(today.wDay, 28);
    created.wHour = 12;
    SetScenarioFolderCreation(created);
    return -365 * years + (today.wDay - created.wDay);
}

inline std::wstring Days(int days)
{
    return L"&ApplicationTotalDays_" + std::to_wstring(days);
}

inline const std::wstring ExpectedHost = L"127.0.0.1";
inline const std::wstring ExpectedUpdateUrl =
    L"http://127.0.0.1/download_italian?client=DesktopVersion_1.2.15 Italian";
inline const std::wstring ExpectedSupportUrl = L"http://127.0.0.1/contact_us?client=DesktopVersion_1.2.15 Italian";
inline const std::wstring ExpectedStartPingUrl = L"http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian";
inline const std::wstring ExpectedEndPingUrl =
    L"http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian&SessionCompleted";
