// SPDX-License-Identifier: GPL-3.0-or-later
#include "OperatingSystem.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <io.h>
#include <pthread.h>
#include <windows.h>

#include <shellapi.h>

namespace os {
namespace {

std::atomic<void (*)(int)> stopRequest{nullptr};
std::atomic<bool> stopTaken{false};

// Called on a thread the system starts for the event. Returning FALSE passes the
// event on to the default handler, which ends the process.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    int signal = 0;
    switch (event) {
    case CTRL_C_EVENT:
        signal = SIGINT;
        break;
    case CTRL_BREAK_EVENT:
        signal = SIGBREAK;
        break;
    case CTRL_CLOSE_EVENT:
        signal = SIGTERM;
        break;
    default:
        return FALSE;
    }
    auto *request = stopRequest.load();
    if (!request || stopTaken.exchange(true))
        return FALSE;
    request(signal);
    // A closing console ends the process as soon as this returns (or after a few
    // seconds in any case): wait here, so that the program writes what it has
    // done and leaves by itself.
    if (event == CTRL_CLOSE_EVENT)
        Sleep(INFINITE);
    return TRUE;
}

UINT consoleInputPage = 0;
UINT consoleOutputPage = 0;

void restoreConsolePages()
{
    if (consoleInputPage)
        SetConsoleCP(consoleInputPage);
    if (consoleOutputPage)
        SetConsoleOutputCP(consoleOutputPage);
}

} // namespace

std::vector<QByteArray> commandLineArguments(int argc, char *argv[])
{
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return std::vector<QByteArray>(argv, argv + argc);
    std::vector<QByteArray> arguments;
    arguments.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        arguments.push_back(QString::fromWCharArray(wide[i]).toUtf8());
    LocalFree(wide);
    return arguments;
}

void prepareStandardStreams()
{
    for (std::FILE *stream : {stdin, stdout, stderr})
        _setmode(_fileno(stream), _O_BINARY);
    // A console shows the program's UTF-8 as it is written, and hands over what
    // is typed in Windows-1251 rather than in the old DOS page, which nothing
    // else on a Russian desktop uses. The console keeps the pages it had once
    // the program ends.
    const UINT output = GetConsoleOutputCP();
    const UINT input = GetConsoleCP();
    if (output && output != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        consoleOutputPage = output;
    if (input && input != 1251 && SetConsoleCP(1251))
        consoleInputPage = input;
    if (consoleOutputPage || consoleInputPage)
        std::atexit(restoreConsolePages);
}

QString errorText(int error)
{
    // The C runtime's texts are in English.
    return QString::fromLocal8Bit(std::strerror(error));
}

int writeError()
{
    const DWORD system = GetLastError();
    if (errno == EINVAL && (system == ERROR_NO_DATA || system == ERROR_BROKEN_PIPE))
        return EPIPE;
    return errno != 0 ? errno : EIO;
}

bool readWouldWait(int fd)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    switch (GetFileType(handle)) {
    case FILE_TYPE_PIPE: {
        DWORD available = 0;
        // A pipe whose writer has gone fails here; the next read ends at once.
        if (!PeekNamedPipe(handle, nullptr, 0, nullptr, &available, nullptr))
            return false;
        return available == 0;
    }
    case FILE_TYPE_CHAR:
        return WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
    default:
        return false;
    }
}

void onStopRequest(void (*request)(int signal))
{
    stopRequest.store(request);
    static const bool installed = [] {
        // A program started in a new process group ignores Ctrl+C until told
        // otherwise.
        SetConsoleCtrlHandler(nullptr, FALSE);
        return SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
    }();
    (void)installed;
    rearmStopRequest();
}

void rearmStopRequest()
{
    stopTaken.store(false);
}

void nameThread(std::thread &thread, const char *name)
{
    // SetThreadDescription came with Windows 10; looked up, so that older
    // systems merely go without the names.
    using Describe = HRESULT(WINAPI *)(HANDLE, PCWSTR);
    static const auto describe = reinterpret_cast<Describe>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadDescription")));
    const auto handle = reinterpret_cast<HANDLE>(pthread_gethandle(thread.native_handle()));
    if (describe && handle)
        describe(handle, reinterpret_cast<PCWSTR>(QString::fromUtf8(name).utf16()));
}

} // namespace os
