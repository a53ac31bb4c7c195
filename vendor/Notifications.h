#pragma once
#include <windows.h>

// One HTTP HEAD request at start and one at exit, each on a thread of its
// own; nothing waits for them and nothing depends on their outcome.
extern HANDLE NotificationThread;

// Appends the days since the program's folder was created to the URLs.
void AppendUsageDays();

DWORD WINAPI StartNotification(LPVOID);
DWORD WINAPI EndNotification(LPVOID);

void StartStartNotification();
// Starts the end notification; the start notification's handle is closed and
// the end notification's takes its place.
void StartEndNotification();
void CloseNotificationThread();
