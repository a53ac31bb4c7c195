#include "vendor/Notifications.h"

#include <wininet.h>

#include <string>

#include "app/WideText.h"
#include "dictionary/ModuleDirectory.h"
#include "vendor/VendorHost.h"
#include "vendor/VendorUrls.h"

HANDLE NotificationThread = nullptr;

namespace {

constexpr wchar_t UserAgent[] = L"Verbola notification agent";
constexpr DWORD_PTR NotificationContext = 1;

// The folder's creation date (UTC), or nothing when it cannot be read.
bool FolderCreationDate(CalendarDate& date)
{
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    SYSTEMTIME created;
    if (!GetFileAttributesExW(ModuleDirectory().c_str(), GetFileExInfoStandard, &attributes) ||
        !FileTimeToSystemTime(&attributes.ftCreationTime, &created)) {
        return false;
    }
    date = {created.wYear, created.wMonth, created.wDay};
    return true;
}

// One HEAD request; every handle opened is closed, in reverse order.
void SendHeadRequest(const wchar_t* target)
{
    HINTERNET internet = InternetOpenW(UserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (internet == nullptr) {
        return;
    }
    std::wstring host(AsWide(VendorHost));
    HINTERNET connection = InternetConnectW(internet, host.c_str(), INTERNET_DEFAULT_HTTP_PORT, nullptr, nullptr,
                                            INTERNET_SERVICE_HTTP, 0, NotificationContext);
    if (connection != nullptr) {
        HINTERNET request = HttpOpenRequestW(connection, L"HEAD", target, nullptr, nullptr, nullptr,
                                             INTERNET_FLAG_KEEP_CONNECTION, NotificationContext);
        if (request != nullptr) {
            HttpSendRequestW(request, nullptr, 0, nullptr, 0);
            InternetCloseHandle(request);
        }
        InternetCloseHandle(connection);
    }
    InternetCloseHandle(internet);
}

HANDLE StartNotificationThread(LPTHREAD_START_ROUTINE procedure)
{
    DWORD id = 0;
    return CreateThread(nullptr, 0, procedure, nullptr, 0, &id);
}

}  // namespace

void AppendUsageDays()
{
    // A folder whose date cannot be read counts 0 days.
    int days = 0;
    CalendarDate created;
    if (FolderCreationDate(created)) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        days = UsageDaysBetween(created, {now.wYear, now.wMonth, now.wDay});
    }
    AppendUsageDaysSuffix(days);
}

DWORD WINAPI StartNotification(LPVOID)
{
    std::wstring target(AsWide(StartPingUrl()));
    SendHeadRequest(target.c_str());
    return 0;
}

DWORD WINAPI EndNotification(LPVOID)
{
    SendHeadRequest(reinterpret_cast<const wchar_t*>(EndPingUrl().c_str()));
    return 0;
}

void StartStartNotification()
{
    NotificationThread = StartNotificationThread(StartNotification);
}

void StartEndNotification()
{
    HANDLE endThread = StartNotificationThread(EndNotification);
    CloseNotificationThread();
    NotificationThread = endThread;
}

void CloseNotificationThread()
{
    if (NotificationThread != nullptr) {
        CloseHandle(NotificationThread);
        NotificationThread = nullptr;
    }
}
