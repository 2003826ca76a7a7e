// SPDX-License-Identifier: GPL-3.0-or-later
#include "OperatingSystem.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <QStringDecoder>

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
bool errorIsConsole = false;

void restoreConsolePage()
{
    SetConsoleCP(consoleInputPage);
}

// Text for a console goes out as UTF-16 through WriteConsoleW, which every
// console shows; UTF-8 bytes show right only where the console decodes them
// (Windows 10's, once its output page says UTF-8; not older ones, nor Wine's).
// A standard stream that is a console therefore becomes a pipe, read by a
// thread that hands the text on to the console.
class ConsoleRelay
{
public:
    ConsoleRelay(int fd, HANDLE console) : fd_(fd)
    {
        // The descriptor's own handle closes when the pipe takes its place.
        const HANDLE process = GetCurrentProcess();
        if (!DuplicateHandle(process, console, process, &console_, 0, FALSE, DUPLICATE_SAME_ACCESS))
            return;
        int ends[2];
        if (_pipe(ends, 1 << 16, _O_BINARY) != 0)
            return;
        if (_dup2(ends[1], fd) != 0) {
            _close(ends[0]);
            _close(ends[1]);
            return;
        }
        _close(ends[1]);
        readEnd_ = ends[0];
        thread_ = std::thread([this] { relay(); });
    }

    // Hands on what is still in the pipe, once nothing more will be written.
    void finish()
    {
        if (!thread_.joinable())
            return;
        _close(fd_);
        thread_.join();
        _close(readEnd_);
    }

private:
    void relay()
    {
        QStringDecoder utf8(QStringDecoder::Utf8);
        char bytes[4096];
        for (;;) {
            const int got = _read(readEnd_, bytes, sizeof bytes);
            if (got <= 0)
                break;
            const QString text = utf8.decode(QByteArrayView(bytes, got));
            DWORD written = 0;
            WriteConsoleW(console_, reinterpret_cast<const wchar_t *>(text.utf16()),
                          DWORD(text.size()), &written, nullptr);
        }
    }

    int fd_;
    HANDLE console_ = nullptr;
    int readEnd_ = -1;
    std::thread thread_;
};

ConsoleRelay *outputRelay = nullptr;
ConsoleRelay *errorRelay = nullptr;

void finishConsoleRelays()
{
    std::fflush(stdout);
    std::fflush(stderr);
    // Output first: a note on standard error comes after the lines it follows.
    for (ConsoleRelay *relay : {outputRelay, errorRelay})
        if (relay)
            relay->finish();
}

HANDLE consoleOf(int fd)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
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
    // What is typed arrives in Windows-1251, which the input reader knows,
    // rather than in the old DOS page, which nothing else on a Russian desktop
    // uses; the console keeps its page once the program ends.
    const UINT input = GetConsoleCP();
    if (input && input != 1251 && SetConsoleCP(1251)) {
        consoleInputPage = input;
        std::atexit(restoreConsolePage);
    }
    const HANDLE output = consoleOf(_fileno(stdout));
    const HANDLE error = consoleOf(_fileno(stderr));
    errorIsConsole = error != nullptr;
    if (output)
        outputRelay = new ConsoleRelay(_fileno(stdout), output);
    if (error)
        errorRelay = new ConsoleRelay(_fileno(stderr), error);
    if (output || error)
        std::atexit(finishConsoleRelays);
}

bool standardErrorIsTerminal()
{
    return errorIsConsole;
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
