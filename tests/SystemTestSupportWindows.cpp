// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemTestSupport.h"

#include <csignal>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <tlhelp32.h>

int threadsNamed(const char *name)
{
    using Describe = HRESULT(WINAPI *)(HANDLE, PWSTR *);
    static const auto describe = reinterpret_cast<Describe>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetThreadDescription")));
    if (!describe)
        return -1;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    const QString wanted = QString::fromUtf8(name);
    const DWORD process = GetCurrentProcessId();
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != process)
            continue;
        const HANDLE thread =
            OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID);
        if (!thread)
            continue;
        PWSTR description = nullptr;
        if (SUCCEEDED(describe(thread, &description)) && description) {
            if (QString::fromWCharArray(description) == wanted)
                ++count;
            LocalFree(description);
        }
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return count;
}

bool runsUnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

int openPipe(int fds[2])
{
    return _pipe(fds, 1 << 16, _O_BINARY);
}

void allowStopRequests(QProcess &process)
{
    // Console events reach only processes of the sender's console: a test run
    // without one (under CTest) makes its own, which the child shares.
    static const bool console = GetConsoleWindow() != nullptr || AllocConsole() != 0;
    (void)console;
    // Ctrl+Break reaches a process group; the child leads one of its own, so
    // that the test itself is not stopped with it.
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->flags |= CREATE_NEW_PROCESS_GROUP;
        arguments->flags &= ~DWORD(CREATE_NO_WINDOW);
    });
}

bool requestStop(QProcess &process, int)
{
    return GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, DWORD(process.processId())) != 0;
}

int signalReceived(int)
{
    return SIGBREAK;
}
