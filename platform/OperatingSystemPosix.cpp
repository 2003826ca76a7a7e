// SPDX-License-Identifier: GPL-3.0-or-later
#include "OperatingSystem.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <locale.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

namespace os {
namespace {

std::atomic<void (*)(int)> stopRequest{nullptr};

extern "C" void onStopSignal(int signal)
{
    if (auto *request = stopRequest.load())
        request(signal);
    // The next one takes the default action and ends the process.
    std::signal(signal, SIG_DFL);
}

} // namespace

std::vector<QByteArray> commandLineArguments(int argc, char *argv[])
{
    return std::vector<QByteArray>(argv, argv + argc);
}

void prepareStandardStreams()
{
    std::signal(SIGPIPE, SIG_IGN);
}

bool standardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) != 0;
}

QString errorText(int error)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return QString::fromLocal8Bit(c ? strerror_l(error, c) : std::strerror(error));
}

int writeError()
{
    return errno != 0 ? errno : EIO;
}

bool readWouldWait(int fd)
{
    pollfd input{fd, POLLIN, 0};
    return ::poll(&input, 1, 0) == 0;
}

void onStopRequest(void (*request)(int signal))
{
    stopRequest.store(request);
    rearmStopRequest();
}

void rearmStopRequest()
{
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

void nameThread(std::thread &thread, const char *name)
{
    pthread_setname_np(thread.native_handle(), name);
}

} // namespace os
