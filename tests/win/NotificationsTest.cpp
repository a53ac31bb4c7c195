// The start and exit notifications, against a web server of the test's own
// on the loopback address (the test program's vendor host), port 80: one
// that answers, one that accepts and never answers, and a port that refuses.
// Neither start-up nor exit may wait for it.
// Winsock first: windows.h would bring in its older declarations.
#include <winsock2.h>

#include "tests/win/WindowTest.h"

#include <iphlpapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "dictionary/ModuleDirectory.h"
#include "tests/win/VendorFixtures.h"
#include "vendor/Notifications.h"

namespace {

// ---- the server

enum ServerMode { Answering, Silent, Refusing };

struct Request {
    std::string FirstLine;
    std::vector<std::string> Headers;
};

// Other tests on this machine run programs with the same vendor host; only
// this process's requests count.
int ForeignRequests = 0;

// The process on the other end of a connection to our port 80, found by the
// client's port in the system's connection table; 0 when unknown.
DWORD ClientProcess(const sockaddr_in& client)
{
    std::vector<unsigned char> table(64 * 1024);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = static_cast<DWORD>(table.size());
        DWORD result = GetExtendedTcpTable(table.data(), &size, FALSE, AF_INET, TCP_TABLE_OWNER_PID_CONNECTIONS, 0);
        if (result == ERROR_INSUFFICIENT_BUFFER) {
            table.resize(size + 4096);
            continue;
        }
        if (result != NO_ERROR) {
            return 0;
        }
        const auto* rows = reinterpret_cast<const MIB_TCPTABLE_OWNER_PID*>(table.data());
        for (DWORD i = 0; i < rows->dwNumEntries; ++i) {
            const MIB_TCPROW_OWNER_PID& row = rows->table[i];
            if (static_cast<u_short>(row.dwLocalPort) == client.sin_port &&
                static_cast<u_short>(row.dwRemotePort) == htons(80)) {
                return row.dwOwningPid;
            }
        }
        return 0;
    }
    return 0;
}

// The server's threads record, the scenario reads.
CRITICAL_SECTION RequestsLock;
std::vector<Request> Requests;

struct Holding {
    Holding() { EnterCriticalSection(&RequestsLock); }
    ~Holding() { LeaveCriticalSection(&RequestsLock); }
};
SOCKET Listener = INVALID_SOCKET;
volatile bool ServerStopping = false;

std::vector<Request> ReceivedRequests()
{
    Holding hold;
    return Requests;
}

std::vector<std::string> SplitLines(const std::string& head)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    std::size_t end;
    while ((end = head.find("\r\n", begin)) != std::string::npos && end > begin) {
        lines.push_back(head.substr(begin, end - begin));
        begin = end + 2;
    }
    return lines;
}

struct Connection {
    SOCKET Socket;
    ServerMode Mode;
    bool Ours;
};

DWORD WINAPI ServeConnection(LPVOID parameter)
{
    Connection connection = *static_cast<Connection*>(parameter);
    delete static_cast<Connection*>(parameter);
    std::string received;
    char buffer[2048];
    while (!ServerStopping) {
        int count = recv(connection.Socket, buffer, sizeof(buffer), 0);
        if (count <= 0) {
            break;
        }
        received.append(buffer, static_cast<std::size_t>(count));
        std::size_t headEnd;
        // A kept-alive connection may carry more than one request.
        while ((headEnd = received.find("\r\n\r\n")) != std::string::npos) {
            std::vector<std::string> lines = SplitLines(received.substr(0, headEnd + 2));
            received.erase(0, headEnd + 4);
            if (!lines.empty()) {
                Holding hold;
                if (connection.Ours) {
                    Requests.push_back({lines[0], std::vector<std::string>(lines.begin() + 1, lines.end())});
                } else {
                    ++ForeignRequests;
                }
            }
            if (connection.Mode == Answering) {
                static const char answer[] = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
                send(connection.Socket, answer, sizeof(answer) - 1, 0);
            }
        }
    }
    // A silent server keeps its connections open until the process ends.
    if (connection.Mode != Silent) {
        closesocket(connection.Socket);
    }
    return 0;
}

DWORD WINAPI AcceptConnections(LPVOID parameter)
{
    ServerMode mode = static_cast<ServerMode>(reinterpret_cast<INT_PTR>(parameter));
    while (!ServerStopping) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(Listener, &ready);
        timeval wait = {0, 50000};
        if (select(0, &ready, nullptr, nullptr, &wait) <= 0) {
            continue;
        }
        sockaddr_in client = {};
        int length = sizeof(client);
        SOCKET accepted = accept(Listener, reinterpret_cast<sockaddr*>(&client), &length);
        if (accepted != INVALID_SOCKET) {
            bool ours = ClientProcess(client) == GetCurrentProcessId();
            CloseHandle(CreateThread(nullptr, 0, ServeConnection, new Connection{accepted, mode, ours}, 0, nullptr));
        }
    }
    return 0;
}

// Takes 127.0.0.1:80, waiting a while if another test holds it. A refusing
// port is bound but not listening: nobody else can listen there, and every
// connection is turned away.
void StartServer(ServerMode mode)
{
    InitializeCriticalSection(&RequestsLock);
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    Listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(80);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool bound = WaitFor(
        [&] { return bind(Listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0; }, 20000);
    ok(bound, "cannot bind 127.0.0.1:80 (error %d)", WSAGetLastError());
    if (!bound || mode == Refusing) {
        return;
    }
    ok(listen(Listener, 8) == 0, "cannot listen on 127.0.0.1:80 (error %d)", WSAGetLastError());
    CloseHandle(CreateThread(nullptr, 0, AcceptConnections, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(mode)), 0,
                             nullptr));
}

// ---- what the program must send

// The program hands the whole URL over unescaped as the object name; Wine's
// HTTP client puts a slash before an object name that has none and sends the
// blank of the version label as "%20".
std::string OnTheWire(const std::wstring& url)
{
    std::string text = Narrow(url);
    std::string escaped = "/";
    for (char c : text) {
        escaped += c == ' ' ? std::string("%20") : std::string(1, c);
    }
    return escaped;
}

bool HasHeader(const Request& request, const std::string& header)
{
    return std::find(request.Headers.begin(), request.Headers.end(), header) != request.Headers.end();
}

std::string Describe(const std::vector<Request>& requests)
{
    std::string text;
    for (const Request& request : requests) {
        text += "[" + request.FirstLine;
        for (const std::string& header : request.Headers) {
            text += " | " + header;
        }
        text += "]";
    }
    return text.empty() ? "nothing" : text;
}

void CheckRequest(const Request& request, const char* which, const std::wstring& url)
{
    std::string expected = "HEAD " + OnTheWire(url) + " HTTP/1.1";
    ok(request.FirstLine == expected, "%s: expected \"%s\", got \"%s\"", which, expected.c_str(),
       request.FirstLine.c_str());
    ok(HasHeader(request, "User-Agent: Verbola notification agent"), "%s: expected the user agent, got %s", which,
       Describe({request}).c_str());
    ok(HasHeader(request, "Host: 127.0.0.1"), "%s: expected the host 127.0.0.1, got %s", which,
       Describe({request}).c_str());
    // INTERNET_FLAG_KEEP_CONNECTION asks for a persistent connection.
    ok(HasHeader(request, "Connection: Keep-Alive"), "%s: expected a kept-alive connection, got %s", which,
       Describe({request}).c_str());
}

// ---- timing: start-up from the end of Prepare to the running message
// loop, exit from posting Exit to RunApplication's return. The comparing
// scenario reads them from the scenario folder.

double StartupBegan = 0;
int ExpectedDays = 0;

std::wstring TimingsFile()
{
    return TestFolder() + L"\\notification-timings.txt";
}

void PrepareWith(ServerMode mode)
{
    WriteSmallDictionaries();
    DeleteFileW(TimingsFile().c_str());
    StartServer(mode);
    ExpectedDays = DateScenarioFolder(-1);
    StartupBegan = ElapsedMilliseconds();
}

// Ends the program and returns how long the exit took.
double TimedExit()
{
    double posted = ElapsedMilliseconds();
    ExitProgram();
    double ended = WaitForProgramEnd();
    ok(ended >= 0, "expected the program to end");
    return ended - posted;
}

void WriteTimings(double startup, double exit)
{
    FILETIME done;
    GetSystemTimePreciseAsFileTime(&done);
    ULARGE_INTEGER stamp = {{done.dwLowDateTime, done.dwHighDateTime}};
    char line[128];
    std::snprintf(line, sizeof(line), "%.1f %.1f %llu\n", startup, exit,
                  static_cast<unsigned long long>(stamp.QuadPart));
    WriteTestFile(L"notification-timings.txt", line);
}

// Waits for the requests the server should have by now, then a little
// longer so that an unexpected extra one shows too.
std::vector<Request> WaitForRequests(std::size_t count)
{
    WaitFor([count] { return ReceivedRequests().size() >= count; }, 10000);
    Sleep(200);
    return ReceivedRequests();
}

}  // namespace

WINDOW_SCENARIO(NotificationsReachAnAnsweringServer, [] { PrepareWith(Answering); })
{
    double startup = ElapsedMilliseconds() - StartupBegan;
    ok(NotificationThread != nullptr, "expected the start notification's thread handle");
    HANDLE startThread = NotificationThread;
    DWORD startThreadId = GetThreadId(startThread);

    std::vector<Request> requests = WaitForRequests(1);
    ok(requests.size() == 1, "expected one request at start, got %s", Describe(requests).c_str());
    if (!requests.empty()) {
        CheckRequest(requests[0], "start", ExpectedStartPingUrl + Days(ExpectedDays));
    }

    double exit = TimedExit();
    requests = WaitForRequests(2);
    ok(requests.size() == 2, "expected one more request at exit, got %s", Describe(requests).c_str());
    if (requests.size() >= 2) {
        CheckRequest(requests[1], "exit", ExpectedEndPingUrl + Days(ExpectedDays));
    }
    // Both handles are closed by the end of the shutdown.
    ok(NotificationThread == nullptr, "expected the notification thread's handle closed");
    // (Its value may have been given to another handle since.)
    ok(GetThreadId(startThread) != startThreadId, "expected the start notification's handle closed");
    WriteTimings(startup, exit);
}

WINDOW_SCENARIO(NotificationsToASilentServerAreLeftBehind, [] { PrepareWith(Silent); })
{
    double startup = ElapsedMilliseconds() - StartupBegan;
    std::vector<Request> requests = WaitForRequests(1);
    ok(requests.size() == 1, "expected the start request, got %s", Describe(requests).c_str());
    // The program is answering while its notification waits for an answer.
    DWORD_PTR result = 0;
    ok(SendMessageTimeoutW(MainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0,
       "expected the window to respond");
    TypeWord(0, L"house");
    ok(ArticleViewText(0) == L"casa\n", "expected look-ups to work, got \"%s\"", Narrow(ArticleViewText(0)).c_str());

    double exit = TimedExit();
    requests = WaitForRequests(2);
    ok(requests.size() == 2, "expected the exit request too, got %s", Describe(requests).c_str());
    if (requests.size() >= 2) {
        CheckRequest(requests[1], "exit", ExpectedEndPingUrl + Days(ExpectedDays));
    }
    WriteTimings(startup, exit);
}

WINDOW_SCENARIO(NotificationsToARefusingPortAreDropped, [] { PrepareWith(Refusing); })
{
    double startup = ElapsedMilliseconds() - StartupBegan;
    ok(StartupMessages.empty(), "expected no message, got %zu", StartupMessages.size());
    Sleep(300);
    std::vector<std::wstring> messages = DismissInfoMessages([] { return false; }, 300);
    ok(messages.empty(), "expected no message after a refused connection, got %zu", messages.size());
    TypeWord(0, L"house");
    ok(ArticleViewText(0) == L"casa\n", "expected look-ups to work, got \"%s\"", Narrow(ArticleViewText(0)).c_str());
    double exit = TimedExit();
    WriteTimings(startup, exit);
}

// The creation date counts in UTC, today in local time: in a zone east of
// UTC a folder created early today has yesterday's UTC date and counts 1, in
// a zone west of UTC one created late today has tomorrow's and counts -1; in
// UTC itself, created today counts 0.
namespace {

int ZoneDays = 0;
std::string ZoneCase;

void PrepareFolderCreatedToday()
{
    WriteSmallDictionaries();
    StartServer(Answering);
    TIME_ZONE_INFORMATION zone;
    DWORD kind = GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias + (kind == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : 0);  // UTC = local + bias
    SYSTEMTIME local;
    GetLocalTime(&local);
    local.wHour = bias < 0 ? 0 : bias > 0 ? 23 : 12;
    local.wMinute = 30;
    local.wSecond = 0;
    local.wMilliseconds = 0;
    ZoneDays = bias < 0 ? 1 : bias > 0 ? -1 : 0;
    ZoneCase = bias < 0 ? "east of UTC, created at 00:30" : bias > 0 ? "west of UTC, created at 23:30" : "UTC";
    SYSTEMTIME utc;
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    SetScenarioFolderCreation(utc);
}

}  // namespace

WINDOW_SCENARIO(FolderCreatedTodayCountsByItsUtcDate, PrepareFolderCreatedToday)
{
    std::vector<Request> requests = WaitForRequests(1);
    ok(requests.size() == 1, "expected one request at start, got %s", Describe(requests).c_str());
    bool counted = false;
    if (!requests.empty()) {
        std::string expected = OnTheWire(ExpectedStartPingUrl + Days(ZoneDays));
        counted = requests[0].FirstLine == "HEAD " + expected + " HTTP/1.1";
        ok(counted, "%s: expected %d days, got \"%s\"", ZoneCase.c_str(), ZoneDays, requests[0].FirstLine.c_str());
    }
    // For the scenario below, which runs this one in other time zones.
    WriteTestFile(L"zone-result.txt", ZoneCase + (counted ? "\tcounted\n" : "\tmiscounted\n"));
    ExitProgram();
}

namespace {

// Waits until no other process of this test program runs in the prefix:
// the next scenario needs port 80 and the folder to itself.
void WaitForOtherTestProcesses()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    std::wstring ownName = ModuleFilePath().substr(ModuleFilePath().rfind(L'\\') + 1);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID != GetCurrentProcessId() && _wcsicmp(entry.szExeFile, ownName.c_str()) == 0) {
            HANDLE other = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
            if (other != nullptr) {
                ok(WaitForSingleObject(other, 20000) == WAIT_OBJECT_0, "expected the scenario process to end");
                CloseHandle(other);
            }
        }
    }
    CloseHandle(snapshot);
}

}  // namespace

// The same in a zone east and a zone west of UTC. The zone is the Unix one of
// the Wine process, so the scenario runs through the Unix "env" with TZ set
// (a process Wine cannot wait for: its result comes in a file).
PLAIN_SCENARIO(CreationDateCountsInUtcEastAndWest)
{
    std::wstring loader(1024, L'\0');
    loader.resize(GetEnvironmentVariableW(L"WINELOADER", loader.data(), 1024));
    ok(!loader.empty(), "expected to run under Wine (WINELOADER)");
    if (loader.empty()) {
        return;
    }
    std::wstring result = TestFolder() + L"\\zone-result.txt";
    struct Zone {
        const wchar_t* Name;
        const char* Case;
    } zones[] = {{L"Asia/Tokyo", "east of UTC, created at 00:30\tcounted"},
                 {L"America/New_York", "west of UTC, created at 23:30\tcounted"}};
    for (const Zone& zone : zones) {
        DeleteFileW(result.c_str());
        std::wstring command = L"Z:\\usr\\bin\\env TZ=" + std::wstring(zone.Name) + L" " + loader + L" \"" +
                               ModuleFilePath() + L"\" FolderCreatedTodayCountsByItsUtcDate";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      TestFolder().c_str(), &startup, &process) != FALSE;
        ok(started, "cannot start the scenario in %s", Narrow(zone.Name).c_str());
        if (!started) {
            continue;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        std::string verdict;
        WaitFor(
            [&] {
                FILE* file = _wfopen(result.c_str(), L"r");
                if (file == nullptr) {
                    return false;
                }
                char line[128] = {};
                bool read = std::fgets(line, sizeof(line), file) != nullptr;
                std::fclose(file);
                verdict = line;
                return read && !verdict.empty() && verdict.back() == '\n';
            },
            30000);
        if (!verdict.empty() && verdict.back() == '\n') {
            verdict.pop_back();
        }
        ok(verdict == zone.Case, "%s: expected \"%s\", got \"%s\"", Narrow(zone.Name).c_str(), zone.Case,
           verdict.c_str());
        WaitForOtherTestProcesses();
        DeleteFileW(result.c_str());
    }
}

// When the folder's date cannot be read, the count is 0 (here the folder has
// moved away under the running program; read, it would count a year).
namespace {

std::wstring MovedFolder;

void PrepareUnreadableFolder()
{
    WriteSmallDictionaries();
    StartServer(Answering);
    DateScenarioFolder(-1);
    MovedFolder = TestFolder() + L"-moved";
    SetCurrentDirectoryW(L"C:\\");
    ok(MoveFileW(TestFolder().c_str(), MovedFolder.c_str()) != FALSE, "cannot move the scenario folder away");
}

}  // namespace

WINDOW_SCENARIO(UnreadableFolderCountsNoDays, PrepareUnreadableFolder)
{
    std::vector<Request> requests = WaitForRequests(1);
    // Back in place before anything else can fail.
    ok(MoveFileW(MovedFolder.c_str(), TestFolder().c_str()) != FALSE, "cannot move the scenario folder back");
    SetCurrentDirectoryW(TestFolder().c_str());
    ok(requests.size() == 1, "expected one request at start, got %s", Describe(requests).c_str());
    if (!requests.empty()) {
        CheckRequest(requests[0], "start", ExpectedStartPingUrl + Days(0));
    }
    // The articles went with the folder: proof that it was away at start-up.
    ok(!StartupMessages.empty(), "expected the missing articles reported");
    TimedExit();
    requests = WaitForRequests(2);
    if (requests.size() == 2) {
        CheckRequest(requests[1], "exit", ExpectedEndPingUrl + Days(0));
    }
    ok(requests.size() == 2, "expected one more request at exit, got %s", Describe(requests).c_str());
}

// Runs the three server scenarios above, each in a process of its own (in
// this scenario's folder), a few rounds each, and compares their best times:
// a server that never answers, or a port that refuses, may not make start-up,
// exit or the end of the process any slower than a server that answers.
namespace {

struct Timing {
    double Startup = 1e9;
    double Exit = 1e9;
    double Ending = 1e9;  // from the end of the scenario to the end of the process
};

bool RunScenarioProcess(const char* scenario, Timing& best)
{
    std::wstring command = L"\"" + ModuleFilePath() + L"\" " + Widen(scenario);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, TestFolder().c_str(), &startup,
                        &process)) {
        ok(false, "cannot start %s", scenario);
        return false;
    }
    bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user);
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ok(ended && exitCode == 0, "%s: expected it to pass, got exit code %lu", scenario, exitCode);

    double startupTime = 0;
    double exitTime = 0;
    unsigned long long stamp = 0;
    FILE* file = _wfopen(TimingsFile().c_str(), L"r");
    bool read = file != nullptr && std::fscanf(file, "%lf %lf %llu", &startupTime, &exitTime, &stamp) == 3;
    if (file != nullptr) {
        std::fclose(file);
    }
    ok(read, "%s: expected its timings", scenario);
    if (!read || !ended) {
        return false;
    }
    ULARGE_INTEGER exitStamp = {{exited.dwLowDateTime, exited.dwHighDateTime}};
    double ending = static_cast<double>(static_cast<long long>(exitStamp.QuadPart - stamp)) / 10000.0;
    best.Startup = std::min(best.Startup, startupTime);
    best.Exit = std::min(best.Exit, exitTime);
    best.Ending = std::min(best.Ending, ending);
    return true;
}

}  // namespace

PLAIN_SCENARIO(NetworkTroubleDelaysNeitherStartNorExit)
{
    const char* scenarios[] = {"NotificationsReachAnAnsweringServer", "NotificationsToASilentServerAreLeftBehind",
                               "NotificationsToARefusingPortAreDropped"};
    Timing best[3];
    // Interleaved, so that a busy moment of the machine hits them alike.
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 3; ++i) {
            RunScenarioProcess(scenarios[i], best[i]);
        }
    }
    for (int i = 0; i < 3; ++i) {
        std::printf("%s: start-up %.0f ms, exit %.0f ms, process end %.0f ms\n", scenarios[i], best[i].Startup,
                    best[i].Exit, best[i].Ending);
    }
    // Waiting for the network would cost the client's time-outs, seconds;
    // the margin only absorbs the noise of a busy machine.
    constexpr double Margin = 250;
    for (int i = 1; i < 3; ++i) {
        ok(best[i].Startup <= best[0].Startup + Margin, "%s: start-up took %.0f ms, with an answering server %.0f ms",
           scenarios[i], best[i].Startup, best[0].Startup);
        ok(best[i].Exit <= best[0].Exit + Margin, "%s: exit took %.0f ms, with an answering server %.0f ms",
           scenarios[i], best[i].Exit, best[0].Exit);
        ok(best[i].Ending <= best[0].Ending + Margin,
           "%s: the process took %.0f ms to end, with an answering server %.0f ms", scenarios[i], best[i].Ending,
           best[0].Ending);
    }
    DeleteFileW(TimingsFile().c_str());
}
