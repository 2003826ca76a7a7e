// SPDX-License-Identifier: GPL-3.0-or-later
// A data race on purpose, for the thread sanitizer job to report: if it stays
// silent here, the job cannot be trusted to find a race anywhere else.
//
// The main thread's access runs in a slot called from Qt's event loop, so Qt's
// frames are in its stack, as in every slot of the program. Suppressions that
// matched any race with a Qt frame in it would hide this one too.

#include <QCoreApplication>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

int shared = 0;
// Relaxed: it tells the main thread when to look, without ordering the two
// accesses to shared, so the sanitizer sees them as a race on every run.
std::atomic<bool> written{false};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    std::thread writer([] {
        shared = 1;
        written.store(true, std::memory_order_relaxed);
    });
    int seen = 0;
    QTimer::singleShot(0, &application, [&] {
        while (!written.load(std::memory_order_relaxed))
            std::this_thread::yield();
        seen = shared;
        QCoreApplication::quit();
    });
    const int status = QCoreApplication::exec();
    writer.join();
    std::printf("%d\n", seen);
    return status;
}
